// The store's binary operator handlers: operand checks around the operators on records.
#include "variables/variable_operators.h"
#include "variables/variable_store.h"

#include <utility>

namespace zelvora {
namespace {
// Exactly one result record: the operator applied to operands[first] and operands[first + 1]
// when the call carries exactly those two operands, else the empty record.
template <typename F>
tVariableArray OneResult(const tVariableArray& operands, std::int32_t first, std::int32_t last, F f)
{
    tVariableArray result;
    result.reserve(1);
    const bool twoOperands
        = first >= 0 && last - first == 1 && static_cast<std::size_t>(last) < operands.size();
    if (twoOperands)
        result.push_back(
            f(operands[static_cast<std::size_t>(first)], operands[static_cast<std::size_t>(last)]));
    else
        result.emplace_back();
    return result;
}
} // namespace

tVariableArray tVarClass::Multiplication(const tVariableArray& operands, std::int32_t first,
    std::int32_t last, std::int32_t submode) const
{
    return OneResult(operands, first, last,
        [submode](const tVariable& l, const tVariable& r) { return VarMultiply(l, r, submode); });
}

tVariableArray tVarClass::Addition(
    const tVariableArray& operands, std::int32_t first, std::int32_t last, std::int32_t) const
{
    return OneResult(operands, first, last, VarAdd);
}

tVariableArray tVarClass::Subtraction(
    const tVariableArray& operands, std::int32_t first, std::int32_t last, std::int32_t) const
{
    return OneResult(operands, first, last, VarSubtract);
}

tVariableArray tVarClass::Division(const tVariableArray& operands, std::int32_t first,
    std::int32_t last, std::int32_t submode) const
{
    return OneResult(operands, first, last,
        [submode](const tVariable& l, const tVariable& r) { return VarDivide(l, r, submode); });
}

tVariableArray tVarClass::Power(const tVariableArray& operands, std::int32_t first,
    std::int32_t last, std::int32_t submode) const
{
    return OneResult(operands, first, last,
        [submode](const tVariable& l, const tVariable& r) { return VarPower(l, r, submode); });
}

tVariableArray tVarClass::IntegerQuotient(
    const tVariableArray& operands, std::int32_t first, std::int32_t last, std::int32_t) const
{
    return OneResult(operands, first, last, VarIntQuotient);
}

tVariableArray tVarClass::IntegerRemainder(
    const tVariableArray& operands, std::int32_t first, std::int32_t last, std::int32_t) const
{
    return OneResult(operands, first, last, VarIntRemainder);
}

tVariableArray tVarClass::BinomialCoefficient(
    const tVariableArray& operands, std::int32_t first, std::int32_t last, std::int32_t) const
{
    return OneResult(operands, first, last, VarBinomial);
}

tVariableArray tVarClass::EmptyResult(
    const tVariableArray&, std::int32_t, std::int32_t, std::int32_t) const
{
    return tVariableArray(1);
}

tVariableArray tVarClass::Comparison(const tVariableArray& operands, std::int32_t first,
    std::int32_t last, std::int32_t submode) const
{
    return OneResult(operands, first, last,
        [submode](const tVariable& l, const tVariable& r) { return VarCompare(l, r, submode); });
}

tVariableArray tVarClass::Logic(const tVariableArray& operands, std::int32_t first,
    std::int32_t last, std::int32_t submode) const
{
    return OneResult(operands, first, last,
        [submode](const tVariable& l, const tVariable& r) { return VarLogic(l, r, submode); });
}

tVariableArray tVarClass::Membership(
    const tVariableArray& operands, std::int32_t first, std::int32_t last, std::int32_t) const
{
    return OneResult(operands, first, last, VarMembership);
}

tVariableArray tVarClass::Condition(const tVariableArray& operands, std::int32_t first,
    std::int32_t last, std::int32_t submode) const
{
    return OneResult(operands, first, last,
        [submode](const tVariable& l, const tVariable& r) { return VarCondition(l, r, submode); });
}

} // namespace zelvora
