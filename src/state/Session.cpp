#include "Session.h"

#include "EditState.h"
#include "LogFile.h"
#include "WorkFiles.h"

#include <QDate>
#include <QElapsedTimer>

namespace Session {

std::int32_t tickCount() {
    // CLOCK_MONOTONIC counts from boot on Linux; keep the low 32 bits, as the log always has.
    QElapsedTimer timer;
    timer.start();
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(timer.msecsSinceReference()));
}

void start(EditState& state) {
    const QDate today = QDate::currentDate();
    const bool known = today.isValid();
    LogFile::append(QString::asprintf("the system time is: %d - %d - %d.", known ? today.year() : 0,
                                      known ? today.month() : 0, known ? today.day() : 0));
    state.startTick = tickCount();
    LogFile::append(QString::asprintf("start time: %d ms", state.startTick));
}

void shutdown(EditState& state) {
    WorkFiles::removeWorkFiles();
    state.endTick = tickCount();
    LogFile::append(QString::asprintf("end time: %d ms", state.endTick));
    const auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(state.endTick) -
                                                   static_cast<std::uint32_t>(state.startTick));
    LogFile::append(QString::asprintf("time:%d ms", elapsed));
}

} // namespace Session
