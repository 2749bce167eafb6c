#include "ColourStore.h"

#include "MessageBox.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>

namespace tintaro {

ColourStore::ColourStore(QObject* parent)
    : QObject(parent) {
    // A program that quits with the editor still open must not lose the last colour either.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &ColourStore::wait);
}

ColourStore::~ColourStore() {
    wait();
    if (m_worker.joinable()) {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        m_worker.join();
    }
}

void ColourStore::store(Job job) {
    if (m_pending++ == 0)
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_changed.notify_all();
    if (!m_worker.joinable())
        m_worker = std::thread(&ColourStore::work, this);
}

void ColourStore::wait() {
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_jobs.empty() && !m_running; });
    }
    finish();
}

void ColourStore::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_running = true;
        lock.unlock();
        QString failure = job();
        lock.lock();
        m_running = false;
        m_results.push_back(std::move(failure));
        m_changed.notify_all();
        QMetaObject::invokeMethod(this, &ColourStore::finish, Qt::QueuedConnection);
    }
}

void ColourStore::finish() {
    std::deque<QString> results;
    {
        std::lock_guard lock(m_mutex);
        results.swap(m_results);
    }
    for (QString& failure : results) {
        if (--m_pending == 0)
            QGuiApplication::restoreOverrideCursor();
        if (!failure.isEmpty())
            m_unshown.push_back(std::move(failure));
    }
    // A box waits in an event loop of its own, where the next store may finish: its failure
    // joins the queue and is shown when this box is closed, one box at a time.
    if (m_showing)
        return;
    m_showing = true;
    const QPointer<ColourStore> alive(this);
    while (!m_unshown.empty()) {
        const QString text = m_unshown.front();
        m_unshown.pop_front();
        MsgBox(text, kMsgExclamation);
        if (!alive)
            return;
    }
    m_showing = false;
}

} // namespace tintaro
