#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace tintaro {

namespace {

// The other icons a style can ask for.
constexpr int kMsgCritical = 16;
constexpr int kMsgQuestion = 32;
constexpr int kMsgInformation = 64;

// The icon sits in bits 4..6 of the style; the button bits are ignored, there is only OK.
QMessageBox::Icon iconForStyle(int style) {
    switch (style & 0x70) {
    case kMsgCritical:
        return QMessageBox::Critical;
    case kMsgQuestion:
        return QMessageBox::Question;
    case kMsgExclamation:
        return QMessageBox::Warning;
    case kMsgInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The real service: a modal box with only an OK button.
class QtMessageBoxService final : public MessageBoxService {
public:
    void show(const QString& text, int style, const QString& caption) override {
        // On the heap and guarded: the window it sits on may be deleted while the box waits
        // (a timer closing it), and that deletes the box with it.
        QPointer<QMessageBox> box = new QMessageBox(QApplication::activeWindow());
        box->setWindowTitle(caption.isEmpty() ? kAppTitle : caption);
        box->setText(text);
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setIcon(iconForStyle(style));
        box->setWindowModality(Qt::ApplicationModal);
        box->exec();
        delete box.data();
    }
};

QtMessageBoxService& realService() {
    static QtMessageBoxService service;
    return service;
}

MessageBoxService* g_service = nullptr;

} // namespace

void MsgBox(const QString& text, int style, const QString& caption) {
    messageBoxService().show(text, style, caption.isEmpty() ? kAppTitle : caption);
}

MessageBoxService& messageBoxService() {
    return g_service ? *g_service : realService();
}

void setMessageBoxService(MessageBoxService* service) {
    g_service = service;
}

} // namespace tintaro
