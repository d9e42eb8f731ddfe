#pragma once

#include <functional>

namespace sm {

// Returns after at least `milliseconds` have passed, handling the thread's events
// (commands, timers, position reports) all along and at least once, also for 0 ms.
// Sleeps in the event loop between events instead of spinning. A command started
// from inside the wait may itself wait; the outer wait then resumes when that command
// has finished. Needs a QCoreApplication.
void DelayWithMessages(int milliseconds);

// Returns after that many milliseconds, handling the thread's events meanwhile. The
// program waits for real (DelayWithMessages); tests and benchmarks put in their own clock.
using WaitFunction = std::function<void(int milliseconds)>;

}  // namespace sm
