// A failure carried as an operand of the evaluation machine: operators and functions applied to it
// give it on, "sonst" replaces it, and one still standing at the end fails the formula.
#pragma once

#include "numerics/result.h"
#include "variables/variable.h"

#include <optional>
#include <span>

namespace zelvora {

tVariable FailureOperand(const tFailure& failure);
bool IsFailureOperand(const tVariable& v);
// The failure an operand carries; only for a failure operand.
tFailure FailureOfOperand(const tVariable& v);
// The first failure among the values, in order.
std::optional<tFailure> FirstFailure(std::span<const tVariable> values);

} // namespace zelvora
