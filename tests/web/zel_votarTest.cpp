// SPDX-License-Identifier: MIT
#include "zel_votar.h"

#include "ClassicLook.h"
#include "DarkScheme.h"
#include "FakeBrowser.h"
#include "RecordingMessageBoxes.h"

#include <QAccessible>
#include <QApplication>
#include <QBitmap>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

using tintaro::zel_votar;
using tintaro::test::darkScheme;
using tintaro::test::RecordingMessageBoxes;
using tintaro::test::SchemeGuard;

namespace {

const QString kVotePage = QStringLiteral("https://zelkor.example/votar_redireccion.htm");
const QColor kGreen(0x64, 0xB9, 0x2B);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kGold(0xD9, 0xA3, 0x13);

QLabel* label(QWidget* window, const char* name) {
    return window->findChild<QLabel*>(QString::fromLatin1(name));
}

// Whether any pixel of the widget as drawn has exactly this colour.
bool drawsColour(QWidget* widget, const QColor& colour) {
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
    return false;
}

} // namespace

class zel_votarTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeBrowser> m_browser;
    QPointer<zel_votar> m_window;

    // With TINTARO_SCREENSHOT_DIR set, keeps a picture of the window for a person to look at.
    void saveShot(const QString& name) const {
        const QString dir = qEnvironmentVariable("TINTARO_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            m_window->grab().save(dir + u'/' + name);
    }

    QTimer* timer() const { return m_window->findChild<QTimer*>(QStringLiteral("Timer1")); }

    // Moves the pointer, without a button, to the centre of a control (or a point of the window).
    void moveTo(const char* control) {
        QWidget* target = m_window->findChild<QWidget*>(QString::fromLatin1(control));
        QVERIFY(target);
        QTest::mouseMove(m_window, target->mapTo(m_window, target->rect().center()));
    }

private Q_SLOTS:
    void initTestCase() {
        m_browser = std::make_unique<FakeBrowser>();
        QVERIFY(m_browser->isValid());
        QVERIFY(m_browser->install());
        QVERIFY(QTest::qWaitFor([] { return !FakeBrowser::currentDefault().isEmpty(); }, 10000));
    }

    void init() {
        // Tests that remove the browser put it back; GIO notices from its folder watch.
        QVERIFY(QTest::qWaitFor([] { return !FakeBrowser::currentDefault().isEmpty(); }, 10000));
        m_browser->clearRuns();
        m_window = new zel_votar;
        m_window->Show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup() { delete m_window; }

    void windowAndControls() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Votame"));
        QCOMPARE(m_window->minimumSize(), QSize(145, 89));
        QCOMPARE(m_window->maximumSize(), QSize(145, 89));
        QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        auto* frame = m_window->findChild<tintaro::EtchedFrame*>(QStringLiteral("Frame1"));
        QVERIFY(frame);
        QCOMPARE(frame->windowTitle(),
                 QString(12, u' ') + QStringLiteral("Zelkor") + QString(15, u' '));
        QCOMPARE(frame->geometry(), QRect(0, 0, 145, 89));

        struct Expected {
            const char* name;
            QString text;
            QRect geometry;
            bool visible;
        };
        const Expected controls[] = {
            {"Label5", QStringLiteral("¿Quieres que continue desarrollando programas?"),
             QRect(8, 16, 129, 25), true},
            {"Label3", QStringLiteral("Votame"), QRect(8, 48, 41, 17), true},
            {"Label1", QStringLiteral("Faltan para cerrarse"), QRect(8, 72, 97, 17), false},
            {"Label2", QString(), QRect(104, 72, 33, 17), true},
        };
        for (const Expected& c : controls) {
            QLabel* l = label(m_window, c.name);
            QVERIFY2(l, c.name);
            QCOMPARE(l->parentWidget(), frame);
            QCOMPARE(l->text(), c.text);
            QCOMPARE(l->geometry(), c.geometry);
            QCOMPARE(l->isVisible(), c.visible);
        }
        QCOMPARE(timer()->interval(), 1000);
        QVERIFY(!timer()->isActive());

        // The background is the exact green, on the window and inside the frame.
        const QImage image = m_window->grab().toImage();
        QCOMPARE(image.size(), QSize(145, 89));
        QCOMPARE(image.pixelColor(60, 60).rgb(), kGreen.rgb());
        QCOMPARE(image.pixelColor(120, 50).rgb(), kGreen.rgb());
        saveShot(QStringLiteral("zel_votar-loaded.png"));

        // The question wraps into two lines at the window's font, not three.
        QLabel* question = label(m_window, "Label5");
        const QFontMetrics metrics(question->font());
        const QRect text =
            metrics.boundingRect(QRect(0, 0, 129, 200), Qt::TextWordWrap, question->text());
        QVERIFY(text.height() < 3 * metrics.lineSpacing());
        // The one-line texts fit their labels, the longest countdown text included.
        for (const auto& [name, shown] :
             {std::pair{"Label3", QStringLiteral("Votame")},
              std::pair{"Label1", QStringLiteral("Faltan para cerrarse")},
              std::pair{"Label2", QStringLiteral("19 seg")}}) {
            QLabel* l = label(m_window, name);
            QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(shown) <= l->width(), name);
        }
    }

    // The green is fixed, so its texts keep the dark colour they were drawn for when the
    // desktop's scheme turns dark, whether before the window opens or while it is open.
    void darkDesktopScheme() {
        const SchemeGuard restore;
        QApplication::setPalette(darkScheme());
        QPointer<zel_votar> opened = new zel_votar;
        opened->Show();
        const QColor inOpened = label(opened, "Label5")->palette().color(QPalette::WindowText);
        const QColor inOpen = label(m_window, "Label5")->palette().color(QPalette::WindowText);
        delete opened;
        QCOMPARE(inOpened, QColor(Qt::black));
        QCOMPARE(inOpen, QColor(Qt::black));
    }

    void everyControlHasAnAccessibleName() {
        const QList<std::pair<const char*, QString>> expected{
            {"Frame1", QStringLiteral("Zelkor")},
            {"Label5", QStringLiteral("¿Quieres que continue desarrollando programas?")},
            {"Label3", QStringLiteral("Votame")},
            {"Label1", QStringLiteral("Faltan para cerrarse")},
            {"Label2", QStringLiteral("Segundos para cerrarse")}};
        for (const auto& [name, accessible] : expected) {
            auto* control = m_window->findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(control, name);
            QCOMPARE(control->accessibleName(), accessible);
        }
        for (QWidget* child : m_window->findChildren<QWidget*>())
            if (!child->objectName().isEmpty() && !child->objectName().startsWith(u"qt_"))
                QVERIFY2(!child->accessibleName().isEmpty(), qPrintable(child->objectName()));
    }

    // The link's pointer is a monochrome hand: a black outline around a white palm, the rest
    // transparent, pointing at the hotspot with its fingertip.
    void linkHasTheHandCursor() {
        const QCursor cursor = label(m_window, "Label3")->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(6, 1));
        const QImage bits = cursor.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage mask = cursor.mask().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(bits.size(), QSize(32, 32));
        QCOMPARE(mask.size(), QSize(32, 32));
        // In a bitmap black is a set bit: the outline is set in both, the palm in the mask alone.
        const auto at = [&](int x, int y) {
            const bool drawn = QColor(mask.pixel(x, y)) == QColor(Qt::black);
            const bool black = QColor(bits.pixel(x, y)) == QColor(Qt::black);
            return !drawn ? (black ? '?' : ' ') : black ? '#' : '.';
        };
        int outline = 0, palm = 0;
        QRect drawnArea;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                QVERIFY2(at(x, y) != '?', "a black bit outside the mask");
                outline += at(x, y) == '#';
                palm += at(x, y) == '.';
                if (at(x, y) != ' ')
                    drawnArea |= QRect(x, y, 1, 1);
            }
        QCOMPARE(outline, 75);
        QCOMPARE(palm, 165);
        QCOMPARE(drawnArea, QRect(0, 1, 18, 22));
        // The fingertip: black at the hotspot, nothing above it, white below it.
        QCOMPARE(at(6, 1), '#');
        QCOMPARE(at(6, 0), ' ');
        QCOMPARE(at(6, 2), '.');
    }

    void linkColourFollowsThePointer_data() {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QColor>("colour");
        const QString link = QStringLiteral("Label3");
        QTest::newRow("over the link") << QStringList{link} << kBlue;
        QTest::newRow("link then frame") << QStringList{link, QStringLiteral("Frame1")} << kGreen;
        QTest::newRow("link then question") << QStringList{link, QStringLiteral("Label5")} << kGold;
        QTest::newRow("question then link") << QStringList{QStringLiteral("Label5"), link} << kBlue;
        QTest::newRow("frame only") << QStringList{QStringLiteral("Frame1")} << kGreen;
        QTest::newRow("countdown labels are not the frame")
            << QStringList{link, QStringLiteral("Label2")} << kBlue;
        // Hidden until the countdown starts, the label's place is the frame's.
        QTest::newRow("link, then the hidden countdown text")
            << QStringList{link, QStringLiteral("Label1")} << kGreen;
    }
    void linkColourFollowsThePointer() {
        QFETCH(QStringList, path);
        QFETCH(QColor, colour);
        QLabel* link = label(m_window, "Label3");
        const QColor before = link->palette().color(QPalette::WindowText);
        QCOMPARE(before, m_window->palette().color(QPalette::WindowText));
        for (const QString& control : path) {
            // The frame's centre lies under the question, so use an empty spot of it.
            if (control == QStringLiteral("Frame1"))
                QTest::mouseMove(m_window, QPoint(125, 55));
            else
                moveTo(control.toLatin1().constData());
        }
        QCOMPARE(link->palette().color(QPalette::WindowText), colour);
        QVERIFY(drawsColour(link, colour));
        QVERIFY(!timer()->isActive());
    }

    // A move with the button held over a countdown label stays that label's, as a move without
    // one does: it is no move over the frame beneath, and the link keeps its colour.
    void dragOverTheCountdownIsNotOverTheFrame_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("countdown text") << QStringLiteral("Label1") << kBlue;
        QTest::newRow("seconds") << QStringLiteral("Label2") << kBlue;
        QTest::newRow("the frame itself") << QStringLiteral("Frame1") << kGreen;
    }
    void dragOverTheCountdownIsNotOverTheFrame() {
        QFETCH(QString, control);
        QFETCH(QColor, colour);
        RecordingMessageBoxes boxes;
        QLabel* link = label(m_window, "Label3");
        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(label(m_window, "Label1")->isVisible());
        // Its run is recorded late; the next test must not find it.
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->runs().size(), 1, 10000);
        // From elsewhere: a move to where the pointer already is is no move.
        QTest::mouseMove(m_window, QPoint(125, 55));
        moveTo("Label3");
        QCOMPARE(link->palette().color(QPalette::WindowText), kBlue);
        // Pressed there, the control keeps the pointer's moves until the release. For the frame,
        // an empty spot of it (its centre lies under the question).
        QWidget* target = m_window->findChild<QWidget*>(control);
        const QPoint from =
            control == QStringLiteral("Frame1") ? QPoint(125, 55) : target->rect().center();
        QTest::mousePress(target, Qt::LeftButton, {}, from);
        QTest::mouseMove(target, from + QPoint(2, 1));
        QTest::mouseRelease(target, Qt::LeftButton, {}, from + QPoint(2, 1));
        QCOMPARE(link->palette().color(QPalette::WindowText), colour);
        QVERIFY(boxes.messages.isEmpty());
    }

    void clickOpensThePageAndCountsDown() {
        RecordingMessageBoxes boxes;
        QSignalSpy destroyed(m_window.data(), &QObject::destroyed);
        QTest::mouseClick(label(m_window, "Label3"), Qt::LeftButton);
        QVERIFY(timer()->isActive());
        QVERIFY(label(m_window, "Label1")->isVisible());
        QCOMPARE(label(m_window, "Label2")->text(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->runs().size(), 1, 10000);
        QCOMPARE(m_browser->runs().front(), QStringList{kVotePage});
        QVERIFY(boxes.messages.isEmpty());

        for (int left = 19; left >= 1; --left) {
            m_window->Timer1_Timer();
            QCOMPARE(label(m_window, "Label2")->text(), QStringLiteral("%1 seg").arg(left));
            // A screen reader reads the count, not a fixed name.
            QCOMPARE(label(m_window, "Label2")->accessibleName(),
                     QStringLiteral("%1 seg").arg(left));
            QVERIFY(m_window->isVisible());
        }
        saveShot(QStringLiteral("zel_votar-counting.png"));
        m_window->Timer1_Timer();
        QVERIFY(!m_window->isVisible());
        QTRY_COMPARE(destroyed.size(), 1);
        QVERIFY(m_window.isNull());
    }

    // The link without a mouse: Tab reaches it, Space or Enter or a screen reader's press
    // opens the page and starts the countdown, as a click does.
    void linkFromTheKeyboard_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("return") << int(Qt::Key_Return);
        QTest::newRow("screen reader") << 0;
    }

    void linkFromTheKeyboard() {
        QFETCH(int, key);
        RecordingMessageBoxes boxes;
        QLabel* link = label(m_window, "Label3");
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(link);
        QCOMPARE(control->role(), QAccessible::Link);
        QCOMPARE(control->text(QAccessible::Name), QStringLiteral("Votame"));
        if (key == 0) {
            control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        } else {
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window));
            // Keys go where the focus is, as the window system delivers them.
            QWidget* focused = QApplication::focusWidget();
            QTest::keyClick(focused ? focused : m_window.data(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), link);
            QTest::keyClick(link, Qt::Key(key));
        }
        QVERIFY(timer()->isActive());
        QVERIFY(label(m_window, "Label1")->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->runs().size(), 1, 10000);
        QCOMPARE(m_browser->runs().front(), QStringList{kVotePage});
        QVERIFY(boxes.messages.isEmpty());
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(m_window);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Votame"));
    }

    void secondClickKeepsCounting() {
        RecordingMessageBoxes boxes;
        QTest::mouseClick(label(m_window, "Label3"), Qt::LeftButton);
        for (int i = 0; i < 5; ++i)
            m_window->Timer1_Timer();
        QCOMPARE(label(m_window, "Label2")->text(), QStringLiteral("15 seg"));
        QTest::qWait(50);
        const int remaining = timer()->remainingTime();
        QTest::mouseClick(label(m_window, "Label3"), Qt::LeftButton);
        QVERIFY(timer()->isActive());
        // The running interval is not restarted by the second click.
        QVERIFY2(timer()->remainingTime() <= remaining, qPrintable(QString::number(remaining)));
        QCOMPARE(label(m_window, "Label2")->text(), QStringLiteral("15 seg"));
        m_window->Timer1_Timer();
        QCOMPARE(label(m_window, "Label2")->text(), QStringLiteral("14 seg"));
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->runs().size(), 2, 10000);
        QCOMPARE(m_browser->runs(), (QList<QStringList>{{kVotePage}, {kVotePage}}));
    }

    void realTicksArriveFromTheTimer() {
        RecordingMessageBoxes boxes;
        QTest::mouseClick(label(m_window, "Label3"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(label(m_window, "Label2")->text(), QStringLiteral("19 seg"),
                                  5000);
    }

    void pressElsewhereIsNoClick() {
        RecordingMessageBoxes boxes;
        QLabel* link = label(m_window, "Label3");
        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(80, 5));
        QTest::mouseClick(link, Qt::RightButton);
        QVERIFY(!timer()->isActive());
        QVERIFY(!label(m_window, "Label1")->isVisible());
    }

    void browserMissingStillCountsDown() {
        QVERIFY(m_browser->uninstall());
        QVERIFY(QTest::qWaitFor([] { return FakeBrowser::currentDefault().isEmpty(); }, 10000));
        RecordingMessageBoxes boxes;
        QTest::mouseClick(label(m_window, "Label3"), Qt::LeftButton);
        QCOMPARE(boxes.messages.size(), 1);
        QCOMPARE(boxes.messages.front().text, QStringLiteral("Could not open your browser!"));
        QCOMPARE(boxes.messages.front().caption, QStringLiteral("Browser Not Found..."));
        QCOMPARE(boxes.messages.front().style, 48);
        QVERIFY(timer()->isActive());
        QVERIFY(label(m_window, "Label1")->isVisible());
        QVERIFY(m_browser->install());
    }

    // The browser's message box runs its own event loop; the window may unload meanwhile.
    void unloadWhileTheMessageIsOpen_data() {
        QTest::addColumn<bool>("byCountdown");
        QTest::newRow("countdown ends") << true;
        QTest::newRow("user closes the window") << false;
    }
    void unloadWhileTheMessageIsOpen() {
        QFETCH(bool, byCountdown);
        RecordingMessageBoxes boxes;
        QTest::mouseClick(label(m_window, "Label3"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->runs().size(), 1, 10000);
        QVERIFY(m_browser->uninstall());
        QVERIFY(QTest::qWaitFor([] { return FakeBrowser::currentDefault().isEmpty(); }, 10000));

        bool aliveDuringBox = false;
        boxes.onShow = [&] {
            // Like a real box: the ticks or the close arrive as events of the box's own loop.
            QEventLoop boxLoop;
            QTimer::singleShot(0, &boxLoop, [&] {
                if (byCountdown) {
                    for (int i = 0; i < 20; ++i)
                        m_window->Timer1_Timer();
                } else {
                    m_window->close();
                }
            });
            QTimer::singleShot(100, &boxLoop, &QEventLoop::quit);
            boxLoop.exec();
            aliveDuringBox = !m_window.isNull() && !m_window->isVisible();
        };
        QTest::mouseClick(label(m_window, "Label3"), Qt::LeftButton);
        QCOMPARE(boxes.messages.size(), 1);
        QVERIFY(aliveDuringBox);
        QTRY_VERIFY(m_window.isNull());
        QVERIFY(m_browser->install());
    }

    void defaultInstanceIsRecreatedAfterUnload() {
        zel_votar* first = zel_votar::defaultInstance();
        QCOMPARE(zel_votar::defaultInstance(), first);
        QSignalSpy destroyed(first, &QObject::destroyed);
        first->Show();
        first->close();
        QTRY_COMPARE(destroyed.size(), 1);
        zel_votar* second = zel_votar::defaultInstance();
        QVERIFY(second);
        delete second;
    }
};

QTEST_MAIN(zel_votarTest)
#include "zel_votarTest.moc"
