// SPDX-License-Identifier: MIT
#include "Application.h"
#include "Base64TestEncoder.h"
#include "FileFixtures.h"
#include "Form1.h"
#include "TempDir.h"
#include "frmPrincipal.h"
#include "zel_votar.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <dirent.h>

using namespace tintaro;

namespace {

// A Wine-prefix-shaped folder whose user.reg names C:\users\t\AppData\Roaming.
class Prefix {
public:
    Prefix() {
        test::makePrefix(dir.path());
        std::filesystem::create_directories(messenger());
        test::writeFile(dir.path() / "user.reg",
                        "WINE REGISTRY Version 2\n\n[Software\\\\Microsoft\\\\Windows\\\\"
                        "CurrentVersion\\\\Explorer\\\\Shell Folders]\n"
                        "\"AppData\"=\"C:\\\\users\\\\t\\\\AppData\\\\Roaming\"\n");
        qputenv("WINEPREFIX", QByteArray::fromStdString(dir.path().string()));
    }
    std::filesystem::path messenger() const {
        return dir.path() / "drive_c/users/t/AppData/Roaming/Microsoft/MSN Messenger";
    }
    void account(const std::string& name, const std::string& email) {
        test::writeFile(messenger() / name / "UserTile" / "map.dat",
                        test::base64Encode(test::utf16le("<\"" + email + "\">")));
    }
    // The account folders in the order the file system lists them.
    QStringList readdirOrder() const {
        QStringList names;
        DIR* stream = ::opendir(messenger().c_str());
        while (const dirent* entry = ::readdir(stream))
            if (entry->d_name[0] != '.')
                names << QString::fromUtf8(entry->d_name);
        ::closedir(stream);
        return names;
    }
    test::TempDir dir;
};

QStringList listLines(const QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// The value handed to the editor's `algo` (ten-thousandths) for picking line `row`: its folder
// name as a number.
qint64 algoOfLine(const QListWidget* list, int row) {
    return list->item(row)->text().section(QLatin1Char(':'), 0, 0).toLongLong() * 10000;
}

// Records which windows get shown, in order.
class ShowRecorder : public QObject {
public:
    QStringList shown;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            shown << QString::fromUtf8(watched->metaObject()->className());
        return false;
    }
};

} // namespace

class FrmPrincipalTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() {
        if (zel_votar* vote = zel_votar::defaultInstance())
            vote->close();
        if (Form1* editor = Form1::defaultInstance())
            editor->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void everyControlHasAnAccessibleName() {
        Prefix prefix;
        frmPrincipal window;
        const QList<std::pair<QWidget*, QString>> expected{
            {window.Image1, QStringLiteral("Zelkor")},
            {window.Label3, QStringLiteral("¿50.000 usuarios pueden estar confundidos?")},
            {window.Label4, window.Label4->text()},
            {window.Label1,
             QStringLiteral("Haz click sobre la cuenta de msn que quieres cambiar el color.")},
            {window.List1, QStringLiteral("Cuentas de msn")}};
        for (const auto& [control, name] : expected)
            QCOMPARE(control->accessibleName(), name);
        // The window itself: a window named as its title bar reads (the application's name,
        // as the program sets it up), not a nameless panel.
        setUpApplication();
        QAccessibleInterface* self = QAccessible::queryAccessibleInterface(&window);
        QCOMPARE(self->role(), QAccessible::Window);
        QCOMPARE(self->text(QAccessible::Name), QStringLiteral("Tintaro"));
        QVERIFY(window.windowTitle().isEmpty());
        // No named control is left without one.
        for (QWidget* child : window.findChildren<QWidget*>())
            if (!child->objectName().isEmpty() && !child->objectName().startsWith(u"qt_"))
                QVERIFY2(!child->accessibleName().isEmpty(), qPrintable(child->objectName()));
    }

    void layoutAndTexts() {
        Prefix prefix;
        frmPrincipal window;
        QCOMPARE(window.size(), QSize(319, 269));
        QCOMPARE(window.windowTitle(), QString());
        QCOMPARE(window.Image1->geometry(), QRect(16, 8, 96, 96));
        QCOMPARE(window.Label3->geometry(), QRect(120, 8, 105, 41));
        QCOMPARE(window.Label4->geometry(), QRect(120, 64, 193, 33));
        QCOMPARE(window.Label1->geometry(), QRect(16, 112, 337, 17));
        QCOMPARE(window.List1->geometry(), QRect(8, 128, 305, 134));
        QCOMPARE(window.Label3->text(),
                 QStringLiteral("¿50.000 usuarios pueden estar confundidos?"));
        QCOMPARE(window.Label1->text(),
                 QStringLiteral("Haz click sobre la cuenta de msn que quieres cambiar el color."));
        QVERIFY(window.Label4->text().contains(QStringLiteral("\"Zelkor\"")));
        QVERIFY(window.Label4->text().contains(QStringLiteral("https://zelkor.example/")));
        QCOMPARE(window.List1->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(window.Image1->pixmap().size(), QSize(96, 96));

        // The credit is drawn in pure red: solid pixels exactly, edges only shades of it.
        QCOMPARE(window.Label4->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        const QImage credit = window.Label4->grab().toImage();
        const QColor ground = credit.pixelColor(0, 0);
        int red = 0, other = 0;
        for (int y = 0; y < credit.height(); ++y)
            for (int x = 0; x < credit.width(); ++x) {
                const QColor c = credit.pixelColor(x, y);
                red += c == QColor(255, 0, 0);
                other += c != ground && !(c.red() >= c.green() && c.green() == c.blue());
            }
        QVERIFY2(red >= 5, qPrintable(QString::number(red)));
        QCOMPARE(other, 0);
        // Every text is seen whole at the window's font: the instruction ends inside the window,
        // the wrapped texts end inside their labels.
        const QFontMetrics metrics(window.font());
        QVERIFY(window.Label1->x() + metrics.horizontalAdvance(window.Label1->text()) <=
                window.width());
        for (const QLabel* wrapped : {window.Label3, window.Label4}) {
            const QRect needed = metrics.boundingRect(QRect(0, 0, wrapped->width(), 1000),
                                                      Qt::TextWordWrap, wrapped->text());
            QVERIFY2(needed.height() <= wrapped->height(), qPrintable(wrapped->text()));
        }
        // The question is drawn broken into lines, not cut at the label's right edge: there is
        // ink below its first line.
        const QImage question = window.Label3->grab().toImage();
        const QColor questionGround = question.pixelColor(question.width() - 1, 0);
        int inkBelow = 0;
        for (int y = QFontMetrics(window.Label3->font()).lineSpacing(); y < question.height(); ++y)
            for (int x = 0; x < question.width(); ++x)
                inkBelow += question.pixelColor(x, y) != questionGround;
        QVERIFY2(inkBelow > 10, qPrintable(QString::number(inkBelow)));
        QVERIFY(window.Label3->wordWrap());
        // The picture's corner is blue ground.
        const QImage picture = window.Image1->pixmap().toImage();
        const QColor corner = picture.pixelColor(2, 2);
        QVERIFY(corner.blue() > 150 && corner.red() < 100);
    }

    void dataFolderAndFileLengthUseThePrefix() {
        Prefix prefix;
        prefix.account("9", "a@example.com");
        frmPrincipal window;
        QCOMPARE(window.GetDataFolder(), QStringLiteral("C:\\users\\t\\AppData\\Roaming"));
        const QString tile = window.GetDataFolder() +
                             QStringLiteral("\\microsoft\\MSN MESSENGER\\9\\usertile\\map.dat");
        QCOMPARE(window.GetFileLength(tile), 48);
        QCOMPARE(window.GetFileLength(tile + QStringLiteral("x")), -1);
        QCOMPARE(window.GetFileLength(window.GetDataFolder()), -1);
    }

    void linesInEnumerationOrder() {
        Prefix prefix;
        for (int i = 0; i < 12; ++i)
            prefix.account(std::to_string(1000 + i * 37), "u" + std::to_string(i) + "@example.com");
        test::writeFile(prefix.messenger() / "99" / "nothing.txt", "");
        frmPrincipal window;
        window.Form_Load();
        QStringList expected;
        for (const QString& name : prefix.readdirOrder()) {
            if (name == QStringLiteral("99"))
                continue;
            const int i = (name.toInt() - 1000) / 37;
            expected << name + QStringLiteral(": u") + QString::number(i) +
                            QStringLiteral("@example.com");
        }
        QCOMPARE(listLines(window.List1), expected);
        QVERIFY(window.List1->selectedItems().isEmpty());
    }

    // Control characters in a decoded address (a damaged map.dat) show as replacement marks, so
    // every account keeps to one line of the list.
    void controlCharactersStayOnOneLine() {
        Prefix prefix;
        prefix.account("11", "a\nb@x.es");
        prefix.account("22", "c\td\x7f\r@x.es");
        prefix.account("33", "plain@x.es");
        frmPrincipal window;
        window.Form_Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList expected;
        for (const QString& name : prefix.readdirOrder())
            expected << (name == u"11"   ? QStringLiteral("11: a\uFFFDb@x.es")
                         : name == u"22" ? QStringLiteral("22: c\uFFFDd\uFFFD\uFFFD@x.es")
                                         : QStringLiteral("33: plain@x.es"));
        QCOMPARE(listLines(window.List1), expected);
        // As high as the plain line.
        const int plainRow = static_cast<int>(expected.indexOf(QStringLiteral("33: plain@x.es")));
        const int plain = window.List1->visualItemRect(window.List1->item(plainRow)).height();
        for (int row = 0; row < window.List1->count(); ++row)
            QCOMPARE(window.List1->visualItemRect(window.List1->item(row)).height(), plain);
    }

    // However the lines differ in width, the horizontal scroll range reaches the end of the
    // longest, wherever it stands in the list.
    void longestLineCanBeScrolledIntoView_data() {
        QTest::addColumn<int>("longAt");
        for (int at : {0, 2, 5})
            QTest::addRow("long account %d of 6", at) << at;
    }
    void longestLineCanBeScrolledIntoView() {
        QFETCH(int, longAt);
        Prefix prefix;
        for (int i = 0; i < 6; ++i)
            prefix.account(std::to_string(100 + i),
                           i == longAt ? std::string(90, 'w') + "@example.com" : "s@e.es");
        frmPrincipal window;
        window.Form_Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QFontMetrics metrics(window.List1->font());
        int longest = 0;
        for (const QString& line : listLines(window.List1))
            longest = std::max(longest, metrics.horizontalAdvance(line));
        QVERIFY(longest > window.List1->viewport()->width());
        const QScrollBar* bar = window.List1->horizontalScrollBar();
        QTRY_VERIFY2(bar->maximum() + window.List1->viewport()->width() >= longest,
                     qPrintable(QStringLiteral("%1 + %2 < %3")
                                    .arg(bar->maximum())
                                    .arg(window.List1->viewport()->width())
                                    .arg(longest)));
    }

    void emptyPrefixStillShowsTheVoteWindow() {
        Prefix prefix;
        std::filesystem::remove_all(prefix.messenger());
        frmPrincipal window;
        window.Form_Load();
        QCOMPARE(window.List1->count(), 0);
        QVERIFY(zel_votar::defaultInstance()->isVisible());
    }

    // An empty list says why, naming the prefix searched, inside the list's frame: a long
    // path without spaces breaks anywhere rather than running out of the list.
    void emptyListSaysWhy_data() {
        QTest::addColumn<QString>("change"); // what is taken from a prefix with accounts
        QTest::addColumn<QString>("why");    // %1 the prefix, %2 its C: drive
        QTest::newRow("missing") << QStringLiteral("prefix")
                                 << QStringLiteral("No existe el prefijo de Wine %1.");
        QTest::newRow("no user.reg, long path") << QStringLiteral("user.reg")
                                                << QStringLiteral("El prefijo de Wine %1 no "
                                                                  "tiene user.reg.");
        QTest::newRow("no AppData")
            << QStringLiteral("AppData")
            << QStringLiteral("El prefijo de Wine %1 no tiene la carpeta AppData "
                              "(%2/users/t/AppData/Roaming).");
        QTest::newRow("no Messenger folder")
            << QStringLiteral("Messenger")
            << QStringLiteral("El prefijo de Wine %1 no tiene carpeta de datos de Messenger "
                              "(%2/users/t/AppData/Roaming/Microsoft/MSN Messenger).");
        QTest::newRow("no accounts")
            << QStringLiteral("accounts")
            << QStringLiteral("No se encontró ninguna cuenta de Messenger en el prefijo de "
                              "Wine %1.");
    }
    void emptyListSaysWhy() {
        QFETCH(QString, change);
        QFETCH(QString, why);
        Prefix prefix;
        prefix.account("7", "a@example.com");
        const test::TempDir home; // no other front-end's prefixes
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QByteArray::fromStdString(home.path().string()));
        std::filesystem::path searched = prefix.dir.path();
        if (change == QStringLiteral("prefix")) {
            searched /= "absent";
        } else if (change == QStringLiteral("user.reg")) {
            searched /= std::string(90, 'a');
            std::filesystem::create_directories(searched);
        } else if (change == QStringLiteral("AppData")) {
            std::filesystem::remove_all(searched / "drive_c/users/t/AppData");
        } else {
            std::filesystem::remove_all(change == QStringLiteral("Messenger")
                                            ? prefix.messenger()
                                            : prefix.messenger() / "7");
        }
        qputenv("WINEPREFIX", QByteArray::fromStdString(searched.string()));
        frmPrincipal window;
        window.Show();
        qputenv("HOME", oldHome);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.List1->count(), 0);
        const QString path = QString::fromStdString(searched.string());
        QCOMPARE(window.List1->accessibleDescription(),
                 why.replace(QStringLiteral("%2"), path + QStringLiteral("/dosdevices/c:"))
                         .replace(QStringLiteral("%1"), path) +
                     QStringLiteral("\nOtro prefijo: tintaro --prefix CARPETA, o la variable "
                                    "WINEPREFIX."));

        window.List1->clearFocus(); // the note alone, without the focus around it
        QWidget* viewport = window.List1->viewport();
        const QImage shown = viewport->grab().toImage();
        const QRgb base = window.List1->palette().color(QPalette::Base).rgb();
        QRect inked;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixel(x, y) != base)
                    inked |= QRect(x, y, 1, 1);
        QVERIFY(!inked.isEmpty());
        const QRect inside = QRect(QPoint(0, 0), viewport->size()).adjusted(8, 8, -8, -8);
        QVERIFY2(inside.contains(inked), qPrintable(QStringLiteral("ink at %1,%2 %3x%4")
                                                        .arg(inked.x())
                                                        .arg(inked.y())
                                                        .arg(inked.width())
                                                        .arg(inked.height())));
        // Centred both ways, to the pixel, give or take the side bearings of the widest line's
        // first and last glyphs, which vary with the made-up prefix's name.
        QVERIFY(std::abs((inked.left() - 0) - (viewport->width() - 1 - inked.right())) <= 2);
        QVERIFY(std::abs((inked.top() - 0) - (viewport->height() - 1 - inked.bottom())) <= 2);
        window.close();
    }

    // The keyboard focus shows in the list: on the first line while none is current (the line
    // the first arrow key picks), around the inside of an empty list. Nothing else changes.
    void focusShowsInTheList() {
        for (const int accounts : {0, 3}) {
            Prefix prefix;
            for (int i = 0; i < accounts; ++i)
                prefix.account(std::to_string(100 + i), "a@example.com");
            frmPrincipal window;
            window.Show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            window.List1->clearFocus();
            const QImage unfocused = window.List1->viewport()->grab().toImage();
            window.List1->setFocus(Qt::TabFocusReason);
            const QImage focused = window.List1->viewport()->grab().toImage();
            QRect changed;
            for (int y = 0; y < focused.height(); ++y)
                for (int x = 0; x < focused.width(); ++x)
                    if (focused.pixel(x, y) != unfocused.pixel(x, y))
                        changed |= QRect(x, y, 1, 1);
            QCOMPARE(changed, accounts ? window.List1->visualItemRect(window.List1->item(0))
                                       : window.List1->viewport()->rect());
        }
    }

    void accountsLeaveNoNote() {
        Prefix prefix;
        prefix.account("7", "a@example.com");
        frmPrincipal window;
        window.Form_Load();
        QCOMPARE(window.List1->count(), 1);
        QVERIFY(window.List1->accessibleDescription().isEmpty());
    }

    void voteWindowIsShownBeforeTheMainWindow() {
        Prefix prefix;
        prefix.account("1", "a@example.com");
        ShowRecorder recorder;
        qApp->installEventFilter(&recorder);
        auto* window = new frmPrincipal;
        QPointer<frmPrincipal> guard = window;
        window->Show();
        qApp->removeEventFilter(&recorder);
        QCOMPARE(recorder.shown, QStringList({QStringLiteral("tintaro::zel_votar"),
                                              QStringLiteral("tintaro::frmPrincipal")}));
        QCOMPARE(window->List1->count(), 1);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
    }

    void clickOpensTheEditorAndClosesForGood() {
        Prefix prefix;
        for (const char* name : {"0123", "456", "78"})
            prefix.account(name, "x@example.org");
        QPointer<frmPrincipal> window = new frmPrincipal;
        window->Show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const int row = 1;
        const qint64 expected = algoOfLine(window->List1, row);
        const QRect rect = window->List1->visualItemRect(window->List1->item(row));
        QTest::mouseClick(window->List1->viewport(), Qt::LeftButton, {}, rect.center());

        QCOMPARE(Form1::defaultInstance()->algo.tenThousandths, expected);
        QVERIFY(Form1::defaultInstance()->isVisible());
        QVERIFY(!window || !window->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }

    void onlyTheLeftButtonPicks_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("right click") << Qt::RightButton << false;
        QTest::newRow("middle click") << Qt::MiddleButton << false;
        QTest::newRow("right double click") << Qt::RightButton << true;
        QTest::newRow("back button") << Qt::BackButton << false;
    }

    void onlyTheLeftButtonPicks() {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, doubleClick);
        Prefix prefix;
        prefix.account("11", "a@example.com");
        prefix.account("22", "b@example.com");
        QPointer<frmPrincipal> window = new frmPrincipal;
        window->Show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QWidget* viewport = window->List1->viewport();
        const QRect line = window->List1->visualItemRect(window->List1->item(1));
        const qint64 picked = algoOfLine(window->List1, 1);
        if (doubleClick)
            QTest::mouseDClick(viewport, button, {}, line.center());
        else
            QTest::mouseClick(viewport, button, {}, line.center());
        // A drag with that button held across both lines selects nothing either.
        QTest::mousePress(viewport, button, {}, line.center());
        QMouseEvent move(QEvent::MouseMove, QPointF(line.center().x(), 1),
                         viewport->mapToGlobal(QPointF(line.center().x(), 1)), Qt::NoButton, button,
                         {});
        QCoreApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, button, {}, QPoint(line.center().x(), 1));

        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(window->List1->selectedItems().isEmpty());
        QVERIFY(Form1::defaultInstance()->isHidden());

        QTest::mouseClick(viewport, Qt::LeftButton, {}, line.center());
        QCOMPARE(Form1::defaultInstance()->algo.tenThousandths, picked);
        QVERIFY(Form1::defaultInstance()->isVisible());
        QVERIFY(!window || !window->isVisible());
    }

    void arrowKeyOpensTheEditor_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<qint64>("algo");
        QTest::newRow("leading zero") << QStringLiteral("0123") << qint64(1230000);
        QTest::newRow("plain") << QStringLiteral("5") << qint64(50000);
        QTest::newRow("largest") << QStringLiteral("922337203685477")
                                 << qint64(9223372036854770000);
    }

    void arrowKeyOpensTheEditor() {
        QFETCH(QString, folder);
        QFETCH(qint64, algo);
        Prefix prefix;
        prefix.account(folder.toStdString(), "k@example.com");
        QPointer<frmPrincipal> window = new frmPrincipal;
        window->Show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        window->List1->setFocus();
        QVERIFY(Form1::defaultInstance()->isHidden());
        QTest::keyClick(window->List1, Qt::Key_Down);
        QCOMPARE(Form1::defaultInstance()->algo.tenThousandths, algo);
        QVERIFY(Form1::defaultInstance()->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }

    // The first key pressed in the list, with no line current yet, picks the line a list box
    // would select: the first for the arrows, Home and Page Up, the last for End, the last
    // wholly shown line for Page Down.
    void firstKeyPicksItsLine_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("accounts");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("longLine");
        QTest::newRow("down") << int(Qt::Key_Down) << 3 << 0 << false;
        QTest::newRow("up") << int(Qt::Key_Up) << 3 << 0 << false;
        QTest::newRow("home") << int(Qt::Key_Home) << 3 << 0 << false;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << 3 << 0 << false;
        QTest::newRow("end") << int(Qt::Key_End) << 3 << 2 << false;
        QTest::newRow("end, one line") << int(Qt::Key_End) << 1 << 0 << false;
        QTest::newRow("end, many lines") << int(Qt::Key_End) << 30 << 29 << false;
        QTest::newRow("page down, less than a page") << int(Qt::Key_PageDown) << 3 << 2 << false;
        QTest::newRow("page down, many lines") << int(Qt::Key_PageDown) << 30 << 10 << false;
        // A line wider than the list brings the horizontal scroll bar, which hides the bottom.
        QTest::newRow("page down, scroll bar across") << int(Qt::Key_PageDown) << 30 << 8 << true;
    }
    void firstKeyPicksItsLine() {
        QFETCH(int, key);
        QFETCH(int, accounts);
        QFETCH(int, row);
        QFETCH(bool, longLine);
        Prefix prefix;
        for (int i = 0; i < accounts; ++i)
            prefix.account(std::to_string(100 + i),
                           (i == 0 && longLine ? std::string(90, 'w') : "a" + std::to_string(i)) +
                               "@example.com");
        QPointer<frmPrincipal> window = new frmPrincipal;
        window->Show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTRY_COMPARE(window->List1->horizontalScrollBar()->isVisible(), longLine);
        window->List1->setFocus();
        if (key == Qt::Key_PageDown && accounts > row + 1) {
            // The line picked is the last one shown whole, the next one is cut by the edge.
            const int bottom = window->List1->viewport()->height();
            QVERIFY(window->List1->visualItemRect(window->List1->item(row)).bottom() < bottom);
            QVERIFY(window->List1->visualItemRect(window->List1->item(row + 1)).bottom() >= bottom);
        }
        const qint64 expected = algoOfLine(window->List1, row);
        QTest::keyClick(window->List1, Qt::Key(key));
        QCOMPARE(Form1::defaultInstance()->algo.tenThousandths, expected);
        QVERIFY(Form1::defaultInstance()->isVisible());
    }
};

QTEST_MAIN(FrmPrincipalTest)
#include "frmPrincipal_test.moc"
