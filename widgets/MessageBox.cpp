// SPDX-License-Identifier: MIT
#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace tintaro {

namespace {

MessageBoxService* g_service = nullptr;

} // namespace

void MsgBox(const QString& text, int style, const QString& caption) {
    const QString title = caption.isEmpty() ? kAppTitle : caption;
    if (g_service) {
        g_service->show(text, style, title);
        return;
    }
    // The icon sits in bits 4..6 of the style (16 critical, 32 question, 48 exclamation, 64
    // information); the button bits are ignored, there is only OK.
    constexpr QMessageBox::Icon kIcons[8] = {QMessageBox::NoIcon, QMessageBox::Critical,
                                             QMessageBox::Question, QMessageBox::Warning,
                                             QMessageBox::Information};
    // On the heap and guarded: the window it sits on may be deleted while the box waits (a
    // timer closing it), and that deletes the box with it.
    QPointer<QMessageBox> box = new QMessageBox(kIcons[(style >> 4) & 7], title, text,
                                                QMessageBox::Ok, QApplication::activeWindow());
    box->setDefaultButton(QMessageBox::Ok);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box.data();
}

void setMessageBoxService(MessageBoxService* service) {
    g_service = service;
}

} // namespace tintaro
