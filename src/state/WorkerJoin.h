#pragma once

#include <atomic>
#include <thread>

// Joins a worker thread once running has gone false. Meanwhile this thread's queued calls keep
// being delivered (user input excepted), so a worker blocked in a hand-over queued to this very
// thread finishes instead of waiting for ever. Returns at once for a thread never started.
void joinDelivering(std::thread& thread, const std::atomic<bool>& running);
