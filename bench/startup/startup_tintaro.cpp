// SPDX-License-Identifier: MIT
// Tintaro's start as the program does it: the main window loads (its list filled from the
// prefix in WINEPREFIX, the vote window shown) and is shown; the process ends once both
// windows have painted.
#include "Application.h"
#include "FirstPaint.h"
#include "frmPrincipal.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tintaro::setUpApplication();

    QPointer<tintaro::frmPrincipal> main = new tintaro::frmPrincipal;
    main->Show();
    const int code = FirstPaint(10000).run();
    delete main;
    return code;
}
