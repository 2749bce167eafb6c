// SPDX-License-Identifier: MIT
// Peak memory of the editor: the process's high-water mark (VmHWM) right after start, with one
// plain window shown, and again after the editor has opened, been switched through its three
// modes and had a hue picked on every row of the hue strip. Prints both and their ratio.
#include "Form1.h"
#include "SurfaceWidget.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <cstdio>

using namespace tintaro;

namespace {

void flush() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The peak resident set so far, in KiB; 0 where /proc cannot tell.
long peakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

void sendMouse(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButtons buttons) {
    QMouseEvent event(type, position, widget->mapToGlobal(position), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLabel start(QStringLiteral("Tintaro"));
    start.show();
    flush();
    const long atStart = peakKiB();

    Form1 form;
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.Show();
    flush();
    for (QRadioButton* mode : {form.optS, form.optB, form.optH}) {
        mode->click();
        flush();
    }
    // A click on every row of the hue strip: each ends a drag, so each draws the hue square
    // for another hue.
    for (int row = 80; row <= 335; ++row) {
        sendMouse(form.picture, QEvent::MouseButtonPress, {284, row + 0.5}, Qt::LeftButton);
        sendMouse(form.picture, QEvent::MouseButtonRelease, {284, row + 0.5}, Qt::NoButton);
        flush();
    }
    const long afterEditor = peakKiB();

    std::printf("peak at start: %ld KiB\npeak after the editor: %ld KiB\nratio: %.3f\n", atStart,
                afterEditor, atStart > 0 ? double(afterEditor) / double(atStart) : 0.0);
    return atStart > 0 ? 0 : 1;
}
