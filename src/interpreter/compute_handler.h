// The compute handler: runs an assignment (targets with optional index brackets, formula, storing).
#pragma once

#include "interpreter/compute_services.h"
#include "interpreter/statement_plan.h"
#include "interpreter/statement_table.h"

namespace zelvora {

inline constexpr std::size_t MaxAssignmentTargets = 15;

// tokens: the whole statement with its end tokens. Leaves Code and Message in statements.
bool ComputeAssignment(
    tComputeServices& services, tStmtList& statements, const tAnsiTokens& tokens);
// The same with the assignment's plan: made from the tokens on the first run, used as it is on
// the later ones (the plan must come from the same tokens).
bool ComputeAssignment(tComputeServices& services, tStmtList& statements, const tAnsiTokens& tokens,
    tAssignmentPlan& plan);
// Takes the assignment's tokens apart into the plan.
void PlanAssignment(const tAnsiTokens& tokens, tAssignmentPlan& plan);

} // namespace zelvora
