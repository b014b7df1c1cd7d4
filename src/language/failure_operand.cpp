// Failures as operands of the evaluation machine.
#include "language/failure_operand.h"

namespace zelvora {

tVariable FailureOperand(const tFailure& failure)
{
    tVariable v;
    v.shape = shFailure;
    v.intvalue = failure.Code;
    v.strvalue = failure.Message;
    return v;
}

bool IsFailureOperand(const tVariable& v)
{
    return v.shape == shFailure;
}

tFailure FailureOfOperand(const tVariable& v)
{
    return tFailure { v.intvalue, v.strvalue };
}

std::optional<tFailure> FirstFailure(std::span<const tVariable> values)
{
    for (const tVariable& v : values) {
        if (IsFailureOperand(v))
            return FailureOfOperand(v);
    }
    return std::nullopt;
}

} // namespace zelvora
