// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private desktop profile for the browser launcher: GIO is pointed at temporary XDG folders, so
// the tests never read or change the user's own settings and never start a real browser.
// Construct it before the first GIO call of the process (initTestCase).
class FakeBrowser {
public:
    FakeBrowser();

    bool isValid() const { return m_root.isValid(); }
    QString path(const QString& relative) const { return m_root.filePath(relative); }

    // Installs "testbrowser.desktop" as the default for the content types in `handles`: web
    // pages ("text/html") and the http and https schemes unless told otherwise. Its program
    // records each run's arguments. `execArgs` follows the program in the Exec line; a
    // non-empty `program` replaces the recorder there. `inTerminal` marks the entry as one that
    // runs in a terminal (Terminal=true).
    bool install(const QString& execArgs = QStringLiteral("%u"), const QString& program = {},
                 bool inTerminal = false, const QStringList& handles = kWebHandles);
    static inline const QStringList kWebHandles = {QStringLiteral("text/html"),
                                                   QStringLiteral("x-scheme-handler/http"),
                                                   QStringLiteral("x-scheme-handler/https")};
    // Removes the entry and the defaults: no browser is left.
    bool uninstall();
    // Keeps the entry, but its program can no longer be started (its interpreter is missing).
    bool breakProgram();

    // The id of GIO's current default for `contentType`, empty when there is none.
    static QString currentDefault(const char* contentType = "text/html");
    // The Exec line of that default, empty when there is none.
    static QString currentCommandLine();
    // Whether that default runs in a terminal (Terminal=true).
    static bool currentRunsInTerminal();

    // The arguments of every recorded run so far, oldest first.
    QList<QStringList> runs() const;
    void clearRuns();

private:
    bool writeProgram(const QByteArray& script);

    QTemporaryDir m_root;
};
