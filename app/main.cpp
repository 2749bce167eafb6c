// SPDX-License-Identifier: MIT
#include "Application.h"
#include "CommandLine.h"
#include "frmPrincipal.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char* argv[]) {
    if (const auto status = tintaro::runCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    tintaro::setUpApplication();

    QPointer<tintaro::frmPrincipal> main = new tintaro::frmPrincipal;
    main->Show();
    const int code = QApplication::exec();
    delete main; // still here only when the program ended without a pick
    return code;
}
