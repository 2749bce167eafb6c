// SPDX-License-Identifier: MIT
#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace tintaro {

namespace {

// The icon sits in bits 4..6 of the style (16 critical, 32 question, 48 exclamation, 64
// information); the button bits are ignored, there is only OK.
QMessageBox::Icon iconForStyle(int style) {
    constexpr QMessageBox::Icon kIcons[8] = {QMessageBox::NoIcon, QMessageBox::Critical,
                                             QMessageBox::Question, QMessageBox::Warning,
                                             QMessageBox::Information};
    return kIcons[(style >> 4) & 7];
}

// The real service: a modal box with only an OK button.
class QtMessageBoxService final : public MessageBoxService {
public:
    void show(const QString& text, int style, const QString& caption) override {
        // On the heap and guarded: the window it sits on may be deleted while the box waits
        // (a timer closing it), and that deletes the box with it.
        QPointer<QMessageBox> box = new QMessageBox(QApplication::activeWindow());
        box->setWindowTitle(caption);
        box->setText(text);
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setIcon(iconForStyle(style));
        box->setWindowModality(Qt::ApplicationModal);
        box->exec();
        delete box.data();
    }
};

MessageBoxService* g_service = nullptr;

} // namespace

void MsgBox(const QString& text, int style, const QString& caption) {
    messageBoxService().show(text, style, caption.isEmpty() ? kAppTitle : caption);
}

MessageBoxService& messageBoxService() {
    static QtMessageBoxService real;
    return g_service ? *g_service : real;
}

void setMessageBoxService(MessageBoxService* service) {
    g_service = service;
}

} // namespace tintaro
