// SPDX-License-Identifier: MIT
#include "ColourStore.h"

#include "MessageBox.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>

namespace tintaro {

ColourStore::ColourStore(QObject* parent)
    : QObject(parent) {
    // One store at a time, in the order queued.
    m_pool.setMaxThreadCount(1);
    // A program that quits with the editor still open must not lose the last colour either.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &ColourStore::wait);
}

ColourStore::~ColourStore() {
    wait();
}

void ColourStore::store(Job job) {
    if (m_pending++ == 0)
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    m_pool.start([this, job = std::move(job)] {
        QString failure = job();
        {
            std::lock_guard lock(m_mutex);
            m_results.push_back(std::move(failure));
        }
        QMetaObject::invokeMethod(this, &ColourStore::finish, Qt::QueuedConnection);
    });
}

void ColourStore::wait() {
    m_pool.waitForDone();
    finish();
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
