// The binary operator handlers: the one way the formula machine applies an operator that a
// record operation carries out.
#include "variables/operator_handlers.h"

#include "variables/variable_operators.h"

namespace zelvora {

namespace {

// The one result of an operator, moved into its array (a braced list would copy it).
tVariableArray Single(tVariable value)
{
    tVariableArray values;
    values.push_back(std::move(value));
    return values;
}

} // namespace

tVariableArray ApplyOperatorHandler(tOperatorHandler handler, const tVariableArray& operands,
    std::int32_t first, std::int32_t last, std::int32_t submode)
{
    if (last - first != 1 || first < 0 || static_cast<std::size_t>(last) >= operands.size())
        return { tVariable {} };
    const tVariable& l = operands[static_cast<std::size_t>(first)];
    const tVariable& r = operands[static_cast<std::size_t>(last)];
    switch (handler) {
    case tOperatorHandler::Addition:
        return Single(VarAdd(l, r));
    case tOperatorHandler::Subtraction:
        return Single(VarSubtract(l, r));
    case tOperatorHandler::Multiplication:
        return Single(VarMultiply(l, r, submode));
    case tOperatorHandler::Division:
        return Single(VarDivide(l, r, submode));
    case tOperatorHandler::Power:
        return Single(VarPower(l, r, submode));
    case tOperatorHandler::IntegerQuotient:
        return Single(VarIntQuotient(l, r));
    case tOperatorHandler::IntegerRemainder:
        return Single(VarIntRemainder(l, r));
    case tOperatorHandler::BinomialCoefficient:
        return Single(VarBinomial(l, r));
    case tOperatorHandler::Comparison:
        return Single(VarCompare(l, r, submode));
    case tOperatorHandler::Logic:
        return Single(VarLogic(l, r, submode));
    case tOperatorHandler::Membership:
        return Single(VarMembership(l, r));
    case tOperatorHandler::Condition:
        return Single(VarCondition(l, r, submode));
    case tOperatorHandler::EmptyResult:
    case tOperatorHandler::None:
        break;
    }
    return { tVariable {} };
}

} // namespace zelvora
