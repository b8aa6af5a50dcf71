#include "EngineTicks.h"

#include "TestNamespaces.h"

bool TickUntilDone(COperationEngine& engine, IClock& clock, std::chrono::milliseconds limit) {
    const auto end = clock.Now() + limit;
    while (clock.Now() < end) {
        clock.Sleep(std::chrono::milliseconds(COperationEngine::kTickMs));
        engine.OnEngineTick();
        if (engine.State() == COperationEngine::EngineState::Idle &&
            engine.CurrentOpKind() == OpKind::kNone) {
            return true;
        }
    }
    return false;
}

void TickFor(COperationEngine& engine, IClock& clock, std::chrono::milliseconds duration) {
    const auto end = clock.Now() + duration;
    while (clock.Now() < end) {
        clock.Sleep(std::chrono::milliseconds(COperationEngine::kTickMs));
        engine.OnEngineTick();
    }
}
