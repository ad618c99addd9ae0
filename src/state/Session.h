#pragma once

#include <cstdint>

struct EditState;

// The start and end of an editing session: the diagnostic lines the log keeps, and the
// clean-up when the user closes through the close button.
namespace Session {

// The system's millisecond counter since boot, wrapped to 32 bits like the tick counts in the log.
std::int32_t tickCount();

// Writes "the system time is: Y - M - D." and "start time: N ms", storing the tick in startTick.
void start(EditState& state);

// Removes every working file, stores endTick and writes "end time: N ms" and "time:N ms".
void shutdown(EditState& state);

} // namespace Session
