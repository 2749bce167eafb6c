// SPDX-License-Identifier: MIT
#include "MessageBox.h"

#include "RecordingMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

using tintaro::kAppTitle;
using tintaro::MsgBox;
using tintaro::test::RecordingMessageBoxes;

namespace {

// What the real box looked like while it was open.
struct SeenBox {
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modal = false;
};

// Watches for the modal box, notes what it shows and presses its OK button.
void closeBoxWhenOpen(SeenBox& seen) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.seen = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.modal = box->isModal();
        timer->stop();
        timer->deleteLater();
        box->button(QMessageBox::Ok)->click();
    });
    timer->start();
}

} // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void recordsTextStyleAndCaption_data();
    void recordsTextStyleAndCaption();
    void recordsInOrderAndRunsOnShowWhileOpen();
    void recorderRestoresTheRealService();
    void realBoxIsModalWithOnlyOk_data();
    void realBoxIsModalWithOnlyOk();
    void realBoxSurvivesItsWindowBeingDeleted();
};

void MessageBoxTest::recordsTextStyleAndCaption_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shownCaption");
    QTest::newRow("defaults") << -1 << QString() << QStringLiteral("Tintaro 6 \"Zelkor\"");
    QTest::newRow("exclamation, no caption")
        << 48 << QString() << QStringLiteral("Tintaro 6 \"Zelkor\"");
    QTest::newRow("own caption") << 0 << QStringLiteral("Aviso") << QStringLiteral("Aviso");
    QTest::newRow("odd style kept") << 4660 << QString() << QStringLiteral("Tintaro 6 \"Zelkor\"");
}

void MessageBoxTest::recordsTextStyleAndCaption() {
    QFETCH(int, style);
    QFETCH(QString, caption);
    QFETCH(QString, shownCaption);
    RecordingMessageBoxes boxes;
    const QString text = QStringLiteral("El valor debe estar entre 0 y 360");
    if (style < 0)
        MsgBox(text);
    else
        MsgBox(text, style, caption);
    QCOMPARE(boxes.messages.size(), 1);
    QCOMPARE(boxes.messages[0].text, text);
    QCOMPARE(boxes.messages[0].style, style < 0 ? tintaro::kMsgOkOnly : style);
    QCOMPARE(boxes.messages[0].caption, shownCaption);
}

void MessageBoxTest::recordsInOrderAndRunsOnShowWhileOpen() {
    RecordingMessageBoxes boxes;
    QStringList events;
    boxes.onShow = [&] {
        events << QStringLiteral("open %1 (%2 recorded)")
                      .arg(boxes.messages.last().text)
                      .arg(boxes.messages.size());
    };
    MsgBox(QStringLiteral("uno"));
    events << QStringLiteral("after uno");
    MsgBox(QStringLiteral("dos"), tintaro::kMsgExclamation);
    events << QStringLiteral("after dos");
    QCOMPARE(events,
             QStringList({QStringLiteral("open uno (1 recorded)"), QStringLiteral("after uno"),
                          QStringLiteral("open dos (2 recorded)"), QStringLiteral("after dos")}));
    // A service called directly still shows the application title for an empty caption.
    boxes.show(QStringLiteral("tres"), 0, QString());
    QCOMPARE(boxes.messages.last().caption, kAppTitle);
}

void MessageBoxTest::recorderRestoresTheRealService() {
    {
        RecordingMessageBoxes boxes;
        MsgBox(QStringLiteral("grabado"));
        QCOMPARE(boxes.messages.size(), 1);
    }
    SeenBox seen;
    closeBoxWhenOpen(seen);
    MsgBox(QStringLiteral("real"));
    QVERIFY(seen.seen);
    QCOMPARE(seen.text, QStringLiteral("real"));
}

void MessageBoxTest::realBoxIsModalWithOnlyOk_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::newRow("plain") << 0 << QString() << QStringLiteral("Tintaro 6 \"Zelkor\"")
                           << int(QMessageBox::NoIcon);
    QTest::newRow("exclamation") << 48 << QStringLiteral("Error") << QStringLiteral("Error")
                                 << int(QMessageBox::Warning);
    QTest::newRow("critical") << 16 << QString() << QStringLiteral("Tintaro 6 \"Zelkor\"")
                              << int(QMessageBox::Critical);
    QTest::newRow("information") << 64 << QString() << QStringLiteral("Tintaro 6 \"Zelkor\"")
                                 << int(QMessageBox::Information);
    // Buttons other than OK are never shown, whatever the style asks for.
    QTest::newRow("yes/no asked, exclamation")
        << (48 + 4) << QString() << QStringLiteral("Tintaro 6 \"Zelkor\"")
        << int(QMessageBox::Warning);
}

void MessageBoxTest::realBoxIsModalWithOnlyOk() {
    QFETCH(int, style);
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(int, icon);
    SeenBox seen;
    closeBoxWhenOpen(seen);
    MsgBox(QStringLiteral("No se encontró el navegador"), style, caption);
    QVERIFY(seen.seen);
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, QStringLiteral("No se encontró el navegador"));
    QCOMPARE(int(seen.icon), icon);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(seen.modal);
}

void MessageBoxTest::realBoxSurvivesItsWindowBeingDeleted() {
    auto* window = new QWidget;
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QPointer<QWidget> watched(window);
    bool sawParent = false;

    // While the box is open the window is closed for good, as a countdown would.
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, window, &sawParent] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        sawParent = box->parentWidget() == window;
        timer->stop();
        timer->deleteLater();
        delete window;
    });
    timer->start();
    MsgBox(QStringLiteral("abierta"));
    QVERIFY(sawParent);
    QVERIFY(watched.isNull());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

QTEST_MAIN(MessageBoxTest)
#include "MessageBoxTest.moc"
