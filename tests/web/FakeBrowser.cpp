// SPDX-License-Identifier: MIT
#include "FakeBrowser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

namespace {

bool writeAtomically(const QString& fileName, const QByteArray& content,
                     QFileDevice::Permissions permissions = {}) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    if (permissions && !file.setPermissions(permissions))
        return false;
    return file.commit();
}

QByteArray shellQuoted(const QString& text) {
    QByteArray quoted = text.toUtf8();
    quoted.replace('\'', "'\\''");
    return '\'' + quoted + '\'';
}

} // namespace

FakeBrowser::FakeBrowser() {
    if (!m_root.isValid())
        return;
    for (const char* folder : {"data/applications", "dirs", "config", "configdirs", "bin", "runs"})
        QDir(m_root.path()).mkpath(QString::fromLatin1(folder));
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
    qputenv("XDG_DATA_DIRS", path(QStringLiteral("dirs")).toUtf8());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CONFIG_DIRS", path(QStringLiteral("configdirs")).toUtf8());
    // No session bus and no virtual file system modules: nothing outside the profile is used.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + path(QStringLiteral("no-bus")).toUtf8());
    qputenv("GIO_USE_VFS", "local");
}

bool FakeBrowser::writeProgram(const QByteArray& script) {
    return writeAtomically(path(QStringLiteral("bin/recorder")), script,
                           QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                               QFileDevice::ExeOwner);
}

bool FakeBrowser::install(const QString& execArgs, const QString& program, bool inTerminal,
                          const QStringList& handles) {
    // Each run writes its argument count and arguments, NUL-terminated, and renames the file
    // only when complete, so a reader never sees half a record.
    const QByteArray runs = shellQuoted(path(QStringLiteral("runs")));
    const QByteArray script =
        "#!/bin/sh\n"
        "f=$(mktemp " +
        runs +
        "/run.XXXXXX) || exit 1\n"
        "{ printf '%d\\0' \"$#\"; for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > \"$f\"\n"
        "mv \"$f\" \"$f.rec\"\n";
    const QByteArray entry =
        "[Desktop Entry]\nType=Application\nName=Test Browser\nExec=" +
        (program.isEmpty() ? path(QStringLiteral("bin/recorder")) : program).toUtf8() + ' ' +
        execArgs.toUtf8() + "\nMimeType=" + handles.join(u';').toUtf8() + ";\n" +
        (inTerminal ? "Terminal=true\n" : "");
    QByteArray defaults = "[Default Applications]\n";
    for (const QString& type : handles)
        defaults += type.toUtf8() + "=testbrowser.desktop\n";
    return writeProgram(script) &&
           writeAtomically(path(QStringLiteral("data/applications/testbrowser.desktop")), entry) &&
           writeAtomically(path(QStringLiteral("config/mimeapps.list")), defaults);
}

bool FakeBrowser::uninstall() {
    QFile::remove(path(QStringLiteral("data/applications/testbrowser.desktop")));
    QFile::remove(path(QStringLiteral("config/mimeapps.list")));
    return !QFileInfo::exists(path(QStringLiteral("data/applications/testbrowser.desktop")));
}

bool FakeBrowser::breakProgram() {
    return writeProgram("#!" + path(QStringLiteral("bin/no-such-interpreter")).toUtf8() + "\n");
}

QString FakeBrowser::currentDefault(const char* contentType) {
    GAppInfo* app = g_app_info_get_default_for_type(contentType, FALSE);
    if (!app)
        return {};
    const QString id = QString::fromUtf8(g_app_info_get_id(app));
    g_object_unref(app);
    return id;
}

QString FakeBrowser::currentCommandLine() {
    GAppInfo* app = g_app_info_get_default_for_type("text/html", FALSE);
    if (!app)
        return {};
    const QString line = QString::fromUtf8(g_app_info_get_commandline(app));
    g_object_unref(app);
    return line;
}

bool FakeBrowser::currentRunsInTerminal() {
    GAppInfo* app = g_app_info_get_default_for_type("text/html", FALSE);
    if (!app)
        return false;
    const bool terminal = G_IS_DESKTOP_APP_INFO(app) &&
                          g_desktop_app_info_get_boolean(G_DESKTOP_APP_INFO(app), "Terminal");
    g_object_unref(app);
    return terminal;
}

QList<QStringList> FakeBrowser::runs() const {
    QDir dir(path(QStringLiteral("runs")));
    QFileInfoList files = dir.entryInfoList({QStringLiteral("*.rec")}, QDir::Files);
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() < b.lastModified();
    });
    QList<QStringList> result;
    for (const QFileInfo& info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QList<QByteArray> fields = file.readAll().split('\0');
        fields.removeLast(); // after the final terminator
        QStringList args;
        for (qsizetype i = 1; i < fields.size(); ++i)
            args.append(QString::fromUtf8(fields[i]));
        if (fields.isEmpty() || fields.front().toInt() != args.size())
            args.prepend(QStringLiteral("<corrupt record>"));
        result.append(args);
    }
    return result;
}

void FakeBrowser::clearRuns() {
    QDir dir(path(QStringLiteral("runs")));
    for (const QString& name : dir.entryList(QDir::Files))
        dir.remove(name);
}
