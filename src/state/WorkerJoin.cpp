#include "WorkerJoin.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <chrono>

void joinDelivering(std::thread& thread, const std::atomic<bool>& running) {
    if (!thread.joinable())
        return;
    while (running.load()) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    thread.join();
}
