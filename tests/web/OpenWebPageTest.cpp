// SPDX-License-Identifier: MIT
#include "FakeBrowser.h"
#include "RecordingMessageBoxes.h"
#include "modulo_web.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QTest>
#include <memory>

using tintaro::OpenWebPage;
using tintaro::test::RecordingMessageBoxes;

class OpenWebPageTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeBrowser> m_browser;

    // Waits until GIO has noticed the profile change (it watches the folders from a thread).
    bool waitForDefault(const QString& id) {
        return QTest::qWaitFor([&] { return FakeBrowser::currentDefault() == id; }, 10000);
    }

private Q_SLOTS:
    void initTestCase() {
        m_browser = std::make_unique<FakeBrowser>();
        QVERIFY(m_browser->isValid());
    }

    void init() {
        QVERIFY(m_browser->install());
        const QString line =
            m_browser->path(QStringLiteral("bin/recorder")) + QStringLiteral(" %u");
        QVERIFY(QTest::qWaitFor([&] { return FakeBrowser::currentCommandLine() == line; }, 10000));
        m_browser->clearRuns();
    }

    void addressReachesTheBrowserUnchanged_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("useBrowser");
        const QString pwned = m_browser->path(QStringLiteral("pwned"));
        QTest::newRow("vote page")
            << QStringLiteral("https://zelkor.example/votar_redireccion.htm") << -1;
        QTest::newRow("any nonzero is true") << QStringLiteral("https://h/p?a=1&b=2") << 1;
        QTest::newRow("false opens the browser too") << QStringLiteral("https://h/p?x=1") << 0;
        QTest::newRow("shell syntax is plain text")
            << QStringLiteral("https://h/a b?q=\"x\"&y='z';$(touch %1) `touch %1`; touch %1 | \\")
                   .arg(pwned)
            << -1;
        QTest::newRow("line breaks and tabs") << QStringLiteral("a\nb\tc\r") << -1;
        QTest::newRow("field code inside the address") << QStringLiteral("x %u %% %c") << -1;
        QTest::newRow("not ascii") << QStringLiteral("https://ejemplo.example/¿Quieres?ñ=€") << -1;
        QTest::newRow("leading dash") << QStringLiteral("--help") << -1;
    }
    void addressReachesTheBrowserUnchanged() {
        QFETCH(QString, address);
        QFETCH(int, useBrowser);
        RecordingMessageBoxes boxes;
        OpenWebPage(address, static_cast<std::int16_t>(useBrowser));
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->runs().size(), 1, 10000);
        QCOMPARE(m_browser->runs().front(), QStringList{address});
        QVERIFY(boxes.messages.isEmpty());
        QVERIFY(!QFileInfo::exists(m_browser->path(QStringLiteral("pwned"))));
    }

    void addressEndsAtNul() {
        RecordingMessageBoxes boxes;
        QString address = QStringLiteral("https://h/a");
        address.append(QChar(u'\0')).append(QStringLiteral("hidden"));
        OpenWebPage(address, -1);
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->runs().size(), 1, 10000);
        QCOMPARE(m_browser->runs().front(), QStringList{QStringLiteral("https://h/a")});
    }

    void emptyAddressStartsTheBrowserWithoutArgument() {
        RecordingMessageBoxes boxes;
        OpenWebPage(QString(), -1);
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->runs().size(), 1, 10000);
        QCOMPARE(m_browser->runs().front(), QStringList{});
        QVERIFY(boxes.messages.isEmpty());
    }

    // A desktop whose default browser is set for web addresses alone (no program for web page
    // files) still has a browser, for the address's own scheme.
    void browserForAddressesOnly_data() {
        QTest::addColumn<QStringList>("handles");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("found");
        const QString http = QStringLiteral("x-scheme-handler/http");
        const QString https = QStringLiteral("x-scheme-handler/https");
        const QString page = QStringLiteral("https://zelkor.example/votar_redireccion.htm");
        QTest::newRow("both schemes") << QStringList{http, https} << page << true;
        QTest::newRow("https only") << QStringList{https} << page << true;
        QTest::newRow("scheme in capitals")
            << QStringList{https} << QStringLiteral("HTTPS://h/p") << true;
        QTest::newRow("http address") << QStringList{http} << QStringLiteral("http://h/p") << true;
        QTest::newRow("http only, https address") << QStringList{http} << page << false;
        QTest::newRow("address without scheme")
            << QStringList{http, https} << QStringLiteral("votar") << false;
        QTest::newRow("scheme prefix only")
            << QStringList{http, https} << QStringLiteral("httpsx://h/p") << false;
    }
    void browserForAddressesOnly() {
        QFETCH(QStringList, handles);
        QFETCH(QString, address);
        QFETCH(bool, found);
        QVERIFY(m_browser->install(QStringLiteral("%u"), {}, false, handles));
        QVERIFY(waitForDefault(QString()));
        QVERIFY(QTest::qWaitFor(
            [&] {
                return FakeBrowser::currentDefault(handles.constLast().toUtf8().constData()) ==
                       QStringLiteral("testbrowser.desktop");
            },
            10000));
        RecordingMessageBoxes boxes;
        OpenWebPage(address, -1);
        if (found) {
            QTRY_COMPARE_WITH_TIMEOUT(m_browser->runs().size(), 1, 10000);
            QCOMPARE(m_browser->runs().front(), QStringList{address});
            QVERIFY(boxes.messages.isEmpty());
        } else {
            QCOMPARE(boxes.messages.size(), 1);
            QCOMPARE(boxes.messages.front().text, QStringLiteral("Could not open your browser!"));
            QTest::qWait(200);
            QVERIFY(m_browser->runs().isEmpty());
        }
    }

    void failuresShowTheirMessage_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("useBrowser");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        const QString notFound = QStringLiteral("Could not open your browser!");
        const QString notFoundCaption = QStringLiteral("Browser Not Found...");
        const QString failed = QStringLiteral("Web page fialed to be opened.");
        const QString failedCaption = QStringLiteral("Website URL Failed...");
        const QString page = QStringLiteral("https://zelkor.example/votar_redireccion.htm");
        QTest::newRow("no browser") << "none" << page << -1 << notFound << notFoundCaption;
        QTest::newRow("no browser, scheme handler")
            << "none" << page << 0 << notFound << notFoundCaption;
        QTest::newRow("entry's program uninstalled")
            << "uninstalled" << page << -1 << notFound << notFoundCaption;
        QTest::newRow("program cannot start") << "broken" << page << -1 << failed << failedCaption;
        QTest::newRow("program cannot start, false")
            << "broken" << page << 0 << failed << failedCaption;
        QTest::newRow("program ends with an error")
            << "false" << page << -1 << failed << failedCaption;
        QTest::newRow("terminal browser, no terminal")
            << "terminal" << page << -1 << failed << failedCaption;
    }
    void failuresShowTheirMessage() {
        QFETCH(QString, failure);
        QFETCH(QString, address);
        QFETCH(int, useBrowser);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        if (failure == QStringLiteral("none")) {
            QVERIFY(m_browser->uninstall());
            QVERIFY(waitForDefault(QString()));
        } else if (failure == QStringLiteral("uninstalled")) {
            // GIO passes over an entry whose program is gone: there is no browser at all.
            QVERIFY(
                m_browser->install(QStringLiteral("%u"), m_browser->path(QStringLiteral("gone"))));
            QVERIFY(waitForDefault(QString()));
        } else if (failure == QStringLiteral("broken")) {
            QVERIFY(m_browser->breakProgram());
        } else if (failure == QStringLiteral("false")) {
            QVERIFY(m_browser->install(QStringLiteral("%u"), QStringLiteral("/bin/false")));
            QVERIFY(QTest::qWaitFor(
                [] { return FakeBrowser::currentCommandLine().startsWith(u"/bin/false"); }, 10000));
        } else if (failure == QStringLiteral("terminal")) {
            QVERIFY(m_browser->install(QStringLiteral("%u"), {}, true));
            QVERIFY(QTest::qWaitFor([] { return FakeBrowser::currentRunsInTerminal(); }, 10000));
        }
        // No terminal emulator can be found in an empty folder.
        const QByteArray savedPath = qgetenv("PATH");
        const auto restorePath = qScopeGuard([&] { qputenv("PATH", savedPath); });
        if (failure == QStringLiteral("terminal"))
            qputenv("PATH", m_browser->path(QStringLiteral("dirs")).toUtf8());
        RecordingMessageBoxes boxes;
        OpenWebPage(address, static_cast<std::int16_t>(useBrowser));
        QCOMPARE(boxes.messages.size(), 1);
        QCOMPARE(boxes.messages.front().text, text);
        QCOMPARE(boxes.messages.front().caption, caption);
        QCOMPARE(boxes.messages.front().style, 48);
        QTest::qWait(200);
        QVERIFY(m_browser->runs().isEmpty());
    }
};

QTEST_GUILESS_MAIN(OpenWebPageTest)
#include "OpenWebPageTest.moc"
