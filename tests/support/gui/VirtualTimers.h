#pragma once

#include <chrono>
#include <functional>

#include "TestNamespaces.h"
#include "VirtualClock.h"

// Runs the shown windows' timers in virtual time: each is held back from firing in real
// time and fired when clock reaches its period, with the thread's events processed in
// between, until done says so or limit has passed on clock. Returns done's last answer.
// A test so waits through every timer and reply wait of a window without waiting itself.
bool RunInVirtualTime(CVirtualClock& clock, const std::function<bool()>& done,
                      std::chrono::milliseconds limit);
