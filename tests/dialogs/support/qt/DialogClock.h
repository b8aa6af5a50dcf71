#pragma once

#include "TestNamespaces.h"
#include "VirtualClock.h"

// The virtual clock of the shared dialog tests on Qt: the simulated radios answer on it
// and RunUntil runs the windows' timers on it.
CVirtualClock& DialogClock();
