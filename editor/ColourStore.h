#pragma once

#include <QObject>
#include <QString>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace tintaro {

// Runs the editor's registry stores on a thread of their own, so that a slow one (through Wine,
// up to half a second) never freezes the windows. Stores run one at a time in the order they
// were queued. The busy pointer shows while any is pending, and each failure is shown in a
// message box once its store has finished. Destroying it, or the application quitting, waits
// for the pending stores.
class ColourStore : public QObject {
public:
    // A store: it runs on the worker and gives the message for its failure, empty on success.
    using Job = std::function<QString()>;

    explicit ColourStore(QObject* parent = nullptr);
    ~ColourStore() override;
    ColourStore(const ColourStore&) = delete;
    ColourStore& operator=(const ColourStore&) = delete;

    // Queues `job` and returns at once.
    void store(Job job);
    // Blocks until every queued store has finished, then shows their failures.
    void wait();
    // True from queueing a store until its end has been handled here.
    bool pending() const { return m_pending > 0; }

private:
    void work();
    // On this object's thread: ends the finished stores and shows their failures.
    void finish();

    std::thread m_worker;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;        // queued, not started
    bool m_running = false;        // a job is on the worker
    bool m_stopping = false;       // the worker is to end
    std::deque<QString> m_results; // finished, not yet handled here
    // Only on this object's thread:
    int m_pending = 0;
    std::deque<QString> m_unshown;
    bool m_showing = false;
};

} // namespace tintaro
