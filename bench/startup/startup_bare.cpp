// SPDX-License-Identifier: MIT
// The baseline: the least a Qt Widgets program does to put one window on the screen.
#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(319, 269);
    window.show();
    const int code = FirstPaint(10000).run();
    window.close();
    return code;
}
