// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <deque>
#include <functional>

namespace tintaro {

// Runs the editor's registry stores one at a time, in order, on a thread of their own: one
// through Wine takes up to half a second. The busy pointer shows while any is pending; each
// failure is shown in a message box once its store has ended. Destroying it, or the
// application quitting, waits for the pending stores.
class ColourStore : public QObject {
public:
    // A store: it runs on the worker and gives the message for its failure, empty on success.
    using Job = std::function<QString()>;

    explicit ColourStore(QObject* parent = nullptr);
    ~ColourStore() override;

    // Queues `job` and returns at once.
    void store(Job job);
    // Blocks until every queued store has finished, then shows their failures.
    void wait();

private:
    // On this object's thread: ends a finished store and shows the failures not yet shown.
    void finish(QString failure);

    int m_pending = 0;
    std::deque<QString> m_unshown;
    bool m_showing = false;
    // Last, so that it goes first: no store outlives what it reports into.
    QThreadPool m_pool;
};

} // namespace tintaro
