// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QSet>

class QWidget;

// Watches the application's windows until each visible top-level window has painted at least
// once, then quits the event loop, so that a start-up program ends right after the first
// complete frame of every window. run.sh times the whole process, its teardown and exit included.
class FirstPaint : public QObject {
    Q_OBJECT
public:
    // Quits the loop with exit code 1 if the windows have not all painted within timeoutMs.
    explicit FirstPaint(int timeoutMs, QObject* parent = nullptr);

    // Runs the event loop until every visible top-level window has painted; returns 0, or 1 on
    // time-out or when no window is visible at all.
    int run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkDone();

    QSet<QWidget*> m_painted;
    int m_timeoutMs;
};
