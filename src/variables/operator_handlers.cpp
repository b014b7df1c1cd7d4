// The binary operator handlers: the one way the formula machine applies an operator that a
// record operation carries out.
#include "variables/operator_handlers.h"

#include "variables/variable_operators.h"

namespace zelvora {

tVariable ApplyBinaryOperatorHandler(
    tOperatorHandler handler, const tVariable& l, const tVariable& r, std::int32_t submode)
{
    switch (handler) {
    case tOperatorHandler::Addition:
        return VarAdd(l, r);
    case tOperatorHandler::Subtraction:
        return VarSubtract(l, r);
    case tOperatorHandler::Multiplication:
        return VarMultiply(l, r, submode);
    case tOperatorHandler::Division:
        return VarDivide(l, r, submode);
    case tOperatorHandler::Power:
        return VarPower(l, r, submode);
    case tOperatorHandler::IntegerQuotient:
        return VarIntQuotient(l, r);
    case tOperatorHandler::IntegerRemainder:
        return VarIntRemainder(l, r);
    case tOperatorHandler::BinomialCoefficient:
        return VarBinomial(l, r);
    case tOperatorHandler::Comparison:
        return VarCompare(l, r, submode);
    case tOperatorHandler::Logic:
        return VarLogic(l, r, submode);
    case tOperatorHandler::Membership:
        return VarMembership(l, r);
    case tOperatorHandler::Condition:
        return VarCondition(l, r, submode);
    case tOperatorHandler::EmptyResult:
    case tOperatorHandler::None:
        break;
    }
    return tVariable {};
}

tVariableArray ApplyOperatorHandler(tOperatorHandler handler, const tVariableArray& operands,
    std::int32_t first, std::int32_t last, std::int32_t submode)
{
    if (last - first != 1 || first < 0 || static_cast<std::size_t>(last) >= operands.size())
        return { tVariable {} };
    tVariableArray values;
    values.push_back(ApplyBinaryOperatorHandler(handler, operands[static_cast<std::size_t>(first)],
        operands[static_cast<std::size_t>(last)], submode));
    return values;
}

} // namespace zelvora
