// SPDX-License-Identifier: MIT
#include "Application.h"
#include "CommandLine.h"
#include "Console.h"
#include "frmPrincipal.h"

#include <QApplication>
#include <QFile>
#include <QPointer>

int main(int argc, char* argv[]) {
    // Decided before any application object: the uses that open no window need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    const tintaro::CommandLine line = tintaro::parseCommandLine(arguments);
    if (line.action != tintaro::CommandLine::Action::Window) {
        tintaro::attachToParentConsole();
        QCoreApplication app(argc, argv);
        return tintaro::runCommand(line);
    }

    QApplication app(argc, argv);
    tintaro::setUpApplication();

    QPointer<tintaro::frmPrincipal> main = new tintaro::frmPrincipal;
    main->Show();
    const int code = QApplication::exec();
    delete main; // still here only when the program ended without a pick
    return code;
}
