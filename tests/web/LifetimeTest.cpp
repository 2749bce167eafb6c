// SPDX-License-Identifier: MIT
#include "zel_votar.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

using tintaro::zel_votar;

// The program ends when its last window closes, whichever of the vote window and the editor
// that is. A plain window stands in for the editor.
class LifetimeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lastWindowEndsTheProgram_data() {
        QTest::addColumn<bool>("voteFirst");
        QTest::newRow("editor closes first") << false;
        QTest::newRow("vote window unloads first") << true;
    }
    void lastWindowEndsTheProgram() {
        QFETCH(bool, voteFirst);
        QVERIFY(QApplication::quitOnLastWindowClosed());
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);

        QPointer<zel_votar> vote = zel_votar::defaultInstance();
        vote->Show();
        auto editor = std::make_unique<QWidget>();
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(vote));
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));

        const auto unloadVote = [&] {
            // The countdown's twentieth tick unloads the window.
            for (int i = 0; i < 20 && vote; ++i)
                vote->Timer1_Timer();
        };
        const auto closeFirst = [&] { voteFirst ? unloadVote() : (void)editor->close(); };
        const auto closeSecond = [&] { voteFirst ? (void)editor->close() : unloadVote(); };

        // The program's own loop decides: it must outlive the first close and end at the second.
        bool ranAfterFirstClose = false;
        QTimer::singleShot(0, qApp, [&] {
            closeFirst();
            QTimer::singleShot(200, qApp, [&] {
                ranAfterFirstClose = true;
                QCOMPARE(lastClosed.size(), 0);
                closeSecond();
            });
        });
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(99); });
        const int result = QCoreApplication::exec();

        QVERIFY(ranAfterFirstClose);
        QCOMPARE(result, 0);
        QCOMPARE(lastClosed.size(), 1);
        QTRY_VERIFY(vote.isNull());
    }

    void stayOnTopAgainDoesNotEndTheProgram() {
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QPointer<zel_votar> vote = zel_votar::defaultInstance();
        vote->Show();
        QVERIFY(QTest::qWaitForWindowExposed(vote));
        // Re-creating the only window for its new flags must not count as closing it.
        vote->setWindowFlag(Qt::WindowStaysOnTopHint, false);
        vote->Show();
        QCoreApplication::processEvents();
        QCOMPARE(lastClosed.size(), 0);
        delete vote;
    }
};

QTEST_MAIN(LifetimeTest)
#include "LifetimeTest.moc"
