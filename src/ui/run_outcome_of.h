// The run outcome of src/ui made from the interpreter's run results (for the session and the demo
// player, which run statements through the interpreter).
#pragma once

#include "interpreter/interpreter.h"
#include "ui/run_outcome.h"

namespace zelvora {

tRunOutcome OutcomeOf(const tRunResult& result);
tRunOutcome OutcomeOf(const tOutermostRunResult& result);

} // namespace zelvora
