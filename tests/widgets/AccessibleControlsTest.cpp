// SPDX-License-Identifier: MIT
// Controls made usable from the keyboard and named to screen readers.
#include "AccessibleControls.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <vector>

namespace {

// A window with a field, then a picture label made into a button that counts its uses.
struct Window {
    QWidget window;
    QLineEdit* field = new QLineEdit(&window);
    QLabel* picture = new QLabel(&window);
    int uses = 0;

    explicit Window(QAccessible::Role role = QAccessible::Button) {
        window.setWindowTitle(QStringLiteral("Ventana"));
        window.resize(120, 80);
        field->setGeometry(4, 4, 60, 20);
        picture->setGeometry(4, 30, 56, 45);
        QPixmap look(56, 45);
        look.fill(Qt::darkBlue);
        picture->setPixmap(look);
        picture->setAccessibleName(QStringLiteral("Aplicar color"));
        picture->setFocusPolicy(Qt::TabFocus);
        tintaro::makeActivatable(picture, role, [this] { ++uses; });
    }
};

} // namespace

class AccessibleControlsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysThatActivate_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("uses");
        QTest::newRow("space") << int(Qt::Key_Space) << 1;
        QTest::newRow("return") << int(Qt::Key_Return) << 1;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << 1;
        QTest::newRow("a letter") << int(Qt::Key_A) << 0;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 0;
    }

    void keysThatActivate() {
        QFETCH(int, key);
        QFETCH(int, uses);
        Window w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.field->setFocus();
        QTest::keyClick(w.field, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.picture);
        QTest::keyClick(w.picture, Qt::Key(key));
        QCOMPARE(w.uses, uses);
        // A key held down repeats; it is still one use.
        QTest::keyPress(w.picture, Qt::Key_Space, Qt::NoModifier);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                         true);
        QApplication::sendEvent(w.picture, &repeat);
        QCOMPARE(w.uses, uses + 1);
    }

    // The mark shows only when the keyboard brought the focus.
    void focusMarkOnlyFromTheKeyboard() {
        Window w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        const QImage plain = w.picture->grab().toImage();
        w.picture->setFocus(Qt::MouseFocusReason);
        QCOMPARE(w.picture->grab().toImage(), plain);
        w.field->setFocus();
        QTest::keyClick(w.field, Qt::Key_Tab);
        QVERIFY(w.picture->grab().toImage() != plain);
        w.field->setFocus();
        QCOMPARE(w.picture->grab().toImage(), plain);
        QTest::keyClick(w.field, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w.picture);
        QVERIFY(w.picture->grab().toImage() != plain);
    }

    // A window whose only focusable control is the link (the vote window): activating the
    // window focuses it, but a key pressed then does nothing and no mark shows until Tab.
    void windowActivationFocusDoesNothing() {
        QWidget window;
        auto* link = new QLabel(QStringLiteral("Votame"), &window);
        link->setGeometry(8, 8, 60, 17);
        int uses = 0;
        link->setFocusPolicy(Qt::TabFocus);
        tintaro::makeActivatable(link, QAccessible::Link, [&uses] { ++uses; });
        window.show();
        const QImage plain = link->grab().toImage();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), link);
        QTest::keyClick(link, Qt::Key_Return);
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(uses, 0);
        QCOMPARE(link->grab().toImage(), plain);
        QTest::keyClick(link, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), link);
        QTest::keyClick(link, Qt::Key_Return);
        QCOMPARE(uses, 1);
        QVERIFY(link->grab().toImage() != plain);
    }

    void screenReaderSees_data() {
        QTest::addColumn<int>("role");
        QTest::newRow("button") << int(QAccessible::Button);
        QTest::newRow("link") << int(QAccessible::Link);
    }

    void screenReaderSees() {
        QFETCH(int, role);
        Window w{static_cast<QAccessible::Role>(role)};
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w.picture);
        QVERIFY(control);
        QCOMPARE(int(control->role()), role);
        QCOMPARE(control->text(QAccessible::Name), QStringLiteral("Aplicar color"));
        QVERIFY(control->state().focusable);
        QAccessibleActionInterface* actions = control->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(w.uses, 1);
    }

    // Named by the accessible name, else the caption, else the application's name, as an
    // untitled window's title bar reads.
    void windowsAreWindows() {
        QApplication::setApplicationDisplayName(QStringLiteral("Tintaro"));
        QWidget named;
        named.setWindowTitle(QStringLiteral("MSN6 Tintaro Zelkor"));
        tintaro::exposeAsWindow(&named);
        QWidget accessible;
        accessible.setAccessibleName(QStringLiteral("Votame"));
        tintaro::exposeAsWindow(&accessible);
        QWidget untitled;
        tintaro::exposeAsWindow(&untitled);
        QWidget plain;
        for (const auto& [widget, name] : {std::pair{&named, QStringLiteral("MSN6 Tintaro Zelkor")},
                                           std::pair{&accessible, QStringLiteral("Votame")},
                                           std::pair{&untitled, QStringLiteral("Tintaro")}}) {
            QAccessibleInterface* window = QAccessible::queryAccessibleInterface(widget);
            QCOMPARE(window->role(), QAccessible::Window);
            QCOMPARE(window->text(QAccessible::Name), name);
        }
        QVERIFY(QAccessible::queryAccessibleInterface(&plain)->role() != QAccessible::Window);
    }

    // What a widget is marked as goes with it: a later widget at the same address is a plain
    // one again.
    void aMarkEndsWithItsWidget() {
        auto* window = new QWidget;
        tintaro::exposeAsWindow(window);
        const void* const address = window;
        delete window;
        std::vector<std::unique_ptr<QWidget>> made;
        QWidget* again = nullptr;
        for (int i = 0; i < 64 && !again; ++i) {
            made.push_back(std::make_unique<QWidget>());
            if (made.back().get() == address)
                again = made.back().get();
        }
        if (!again)
            QSKIP("the allocator did not hand the address out again");
        QCOMPARE(QAccessible::queryAccessibleInterface(again)->role(), QAccessible::Client);
    }
};

QTEST_MAIN(AccessibleControlsTest)
#include "AccessibleControlsTest.moc"
