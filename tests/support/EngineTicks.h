#pragma once

#include <chrono>

#include "Clock.h"
#include "OperationEngine.h"
#include "TestNamespaces.h"

// Tick the engine every 30 ms on clock, as the window's timer does: until no operation is
// left (idle with no operation recorded; false when the limit passes first), or for the
// whole duration.
bool TickUntilDone(COperationEngine& engine, IClock& clock, std::chrono::milliseconds limit);
void TickFor(COperationEngine& engine, IClock& clock, std::chrono::milliseconds duration);
