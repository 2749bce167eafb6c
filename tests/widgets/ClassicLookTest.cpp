// SPDX-License-Identifier: MIT
// The look the fixed-design windows share: their light palette under any desktop scheme, and
// the etched frame that keeps a panel's exact colour.
#include "ClassicLook.h"

#include "DarkScheme.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QRadioButton>
#include <QTest>

using tintaro::test::darkScheme;
using tintaro::test::SchemeGuard;

namespace {

const QColor kPanel(0xD9, 0xD1, 0xC8);

// The darkest pixel of a widget as drawn: its text, for a label on a light panel.
int darkest(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    int least = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            least = std::min(least, qGray(image.pixel(x, y)));
    return least;
}

// A style whose standard palette follows a dark desktop scheme, in every colour group.
class DarkSchemeStyle : public QProxyStyle {
public:
    DarkSchemeStyle()
        : QProxyStyle(QStringLiteral("Fusion")) {}
    QPalette standardPalette() const override { return darkScheme(); }
};

} // namespace

class ClassicLookTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // On a desktop without a scheme of its own the windows look exactly as the style draws any
    // window; only the background is theirs.
    void defaultDesktopUnchanged() {
        const QPalette light = tintaro::lightPalette(kPanel);
        const QPalette app = QApplication::palette();
        for (int g = 0; g < QPalette::NColorGroups; ++g) {
            for (int r = 0; r < QPalette::NColorRoles; ++r) {
                const auto group = QPalette::ColorGroup(g);
                const auto role = QPalette::ColorRole(r);
                const QColor want = role == QPalette::Window ? kPanel : app.color(group, role);
                QVERIFY2(light.color(group, role) == want,
                         qPrintable(QStringLiteral("group %1 role %2").arg(g).arg(r)));
            }
        }
    }

    void darkSchemeKeepsDarkText_data() {
        QTest::addColumn<bool>("schemeFirst");
        QTest::newRow("scheme set before the window") << true;
        QTest::newRow("scheme changed while it is open") << false;
    }

    void darkSchemeKeepsDarkText() {
        QFETCH(bool, schemeFirst);
        SchemeGuard guard;
        if (schemeFirst)
            QApplication::setPalette(darkScheme());
        QWidget window;
        window.setPalette(tintaro::lightPalette(kPanel));
        window.setAutoFillBackground(true);
        window.resize(120, 80);
        auto* label = new QLabel(QStringLiteral("Nuevo"), &window);
        label->setGeometry(4, 4, 60, 17);
        auto* field = new QLineEdit(QStringLiteral("255"), &window);
        field->setGeometry(4, 24, 40, 19);
        auto* option = new QRadioButton(QStringLiteral("H:"), &window);
        option->setGeometry(4, 48, 40, 17);
        if (!schemeFirst)
            QApplication::setPalette(darkScheme());

        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(field->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(field->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(window.palette().color(QPalette::Window), kPanel);
        // Drawn, the caption is dark on the light panel, not the scheme's light grey.
        QVERIFY(darkest(label) < 64);
        QCOMPARE(label->grab().toImage().pixelColor(58, 15), kPanel);
        QCOMPARE(field->grab().toImage().pixelColor(36, 9), QColor(Qt::white));
    }

    void etchedFrame_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("top"); // row of the dark line
        QTest::addColumn<QColor>("panel");
        QTest::newRow("no caption") << QString() << 0 << kPanel;
        QTest::newRow("caption") << QStringLiteral("Zelkor") << -1 << kPanel;
        // Dark enough that the light line is not simply white.
        QTest::newRow("dark panel") << QStringLiteral("Zelkor") << -1 << QColor(0x60, 0x50, 0x40);
    }

    // The inside is the panel colour to the pixel; a dark and a light line run just inside
    // the edges, as an etched frame is drawn.
    void etchedFrame() {
        QFETCH(QString, title);
        QFETCH(int, top);
        QFETCH(QColor, panel);
        QWidget window;
        window.setPalette(tintaro::lightPalette(panel));
        tintaro::EtchedFrame frame(title, &window);
        frame.setGeometry(0, 0, 121, 93);
        if (top < 0)
            top = frame.fontMetrics().height() / 2;
        const QImage image = frame.grab().toImage();
        const QRgb dark = panel.darker(160).rgb();
        const QRgb light = panel.lighter(150).rgb();
        QCOMPARE(image.pixel(60, 50), panel.rgb());
        QCOMPARE(image.pixel(3, top + 20), panel.rgb());
        QCOMPARE(image.pixel(0, top + 20), dark);
        QCOMPARE(image.pixel(1, top + 20), light);
        QCOMPARE(image.pixel(119, top + 20), dark);
        QCOMPARE(image.pixel(120, top + 20), light);
        QCOMPARE(image.pixel(100, top), dark);
        QCOMPARE(image.pixel(100, top + 1), light);
        QCOMPARE(image.pixel(60, 91), dark);
        QCOMPARE(image.pixel(60, 92), light);
        // A caption interrupts the top lines and is drawn in the text colour.
        if (!title.isEmpty()) {
            QCOMPARE(image.pixel(7, top), dark); // the lines stop where the caption starts
            QCOMPARE(image.pixel(7, top + 1), light);
            QCOMPARE(image.pixel(8, top), panel.rgb());
            QVERIFY(darkest(&frame) < 64);
        }
    }

    // Under a style that follows a dark scheme, a window that is not the active one keeps the
    // same dark text on light fields as the active one.
    void darkStyleKeepsDarkTextWhenInactive() {
        SchemeGuard guard;
        const QString styleName = QApplication::style()->name();
        QApplication::setStyle(new DarkSchemeStyle);
        const QPalette light = tintaro::lightPalette(kPanel);
        QApplication::setStyle(styleName);
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                QVERIFY2(light.color(group, role) == QColor(Qt::black),
                         qPrintable(QStringLiteral("group %1 role %2").arg(group).arg(role)));
            QCOMPARE(light.color(group, QPalette::Base), QColor(Qt::white));
            QCOMPARE(light.color(group, QPalette::Window), kPanel);
        }
    }
};

QTEST_MAIN(ClassicLookTest)
#include "ClassicLookTest.moc"
