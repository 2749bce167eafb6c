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
        QMetaObject::invokeMethod(
            this, [this, failure = job()] { finish(failure); }, Qt::QueuedConnection);
    });
}

void ColourStore::wait() {
    m_pool.waitForDone();
    // The finished stores' reports wait in this object's queue: handle them now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void ColourStore::finish(QString failure) {
    if (--m_pending == 0)
        QGuiApplication::restoreOverrideCursor();
    if (!failure.isEmpty())
        m_unshown.push_back(std::move(failure));
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
