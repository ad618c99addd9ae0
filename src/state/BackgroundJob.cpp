#include "BackgroundJob.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <chrono>

BackgroundJob::BackgroundJob(std::atomic<bool>& busy, QObject* parent) : QObject(parent), m_busy(busy) {}

BackgroundJob::~BackgroundJob() {
    stopSilently();
}

bool BackgroundJob::launch(Work work, std::function<void()> tellEnd) {
    bool idle = false;
    if (!m_busy.compare_exchange_strong(idle, true))
        return false;
    // The earlier work has told its end, so its thread is about to return.
    if (m_thread.joinable())
        m_thread.join();
    m_stopRequested = false;
    m_running = true;
    m_endPending = true;
    m_thread = std::thread([this, work = std::move(work), tellEnd = std::move(tellEnd)] {
        const bool succeeded = work(m_stopRequested);
        post([this, succeeded, tellEnd] {
            m_busy = false;
            m_endPending = false;
            if (tellEnd)
                tellEnd();
            emit ended(succeeded);
        });
        m_running = false;
    });
    emit started();
    return true;
}

void BackgroundJob::post(std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void BackgroundJob::requestStop() {
    m_stopRequested = true;
}

void BackgroundJob::wait() {
    if (!m_thread.joinable())
        return;
    const bool delivering = QCoreApplication::instance() != nullptr;
    while (m_running.load()) {
        if (delivering)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    m_thread.join();
    // The end is queued behind the work; tell it before returning. Without an event loop to
    // tell it, the flag is lowered here all the same.
    if (delivering)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (m_endPending) {
        m_endPending = false;
        m_busy = false;
    }
}

void BackgroundJob::stopSilently() {
    blockSignals(true);
    requestStop();
    wait();
}
