// The compute handler: runs an assignment (targets with optional index brackets, formula, storing).
#pragma once

#include "interpreter/compute_services.h"
#include "interpreter/statement_table.h"

namespace zelvora {

inline constexpr std::size_t MaxAssignmentTargets = 15;

// tokens: the whole statement with its end tokens. Leaves Code and Message in statements.
bool ComputeAssignment(
    tComputeServices& services, tStmtList& statements, const tAnsiTokens& tokens);

} // namespace zelvora
