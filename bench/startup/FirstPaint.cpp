// SPDX-License-Identifier: MIT
#include "FirstPaint.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

FirstPaint::FirstPaint(int timeoutMs, QObject* parent)
    : QObject(parent)
    , m_timeoutMs(timeoutMs) {}

int FirstPaint::run() {
    qApp->installEventFilter(this);
    QTimer::singleShot(m_timeoutMs, qApp, [] { QCoreApplication::exit(1); });
    // Windows shown before the loop may already be fully painted by the time it runs.
    QTimer::singleShot(0, this, &FirstPaint::checkDone);
    const int code = QApplication::exec();
    qApp->removeEventFilter(this);
    return code;
}

bool FirstPaint::eventFilter(QObject* watched, QEvent* event) {
    // A window paints itself first and then its children, all within one pass; the check runs
    // once that pass is through. Only a window's own paint event counts, so that the check is
    // made once per window, not once per widget (which would charge a window with many
    // widgets for the watching itself).
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        m_painted.insert(static_cast<QWidget*>(watched));
        QTimer::singleShot(0, this, &FirstPaint::checkDone);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaint::checkDone() {
    int visible = 0;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (!w->isVisible())
            continue;
        ++visible;
        if (!m_painted.contains(w))
            return;
    }
    if (visible > 0)
        QCoreApplication::exit(0);
}
