// The variable operations behind the machine's opcodes, bound to the store's routines.
#include "language/machine_bindings.h"

#include "variables/element_access.h"
#include "variables/operator_failures.h"
#include "variables/variable_operators.h"

#include <optional>

namespace zelvora::machine {

tVariable SignedCopy(const tVariable& value, std::int32_t sign)
{
    tVariable copy;
    VarCopy(copy, value, sign == -1 ? -1 : 1);
    return copy;
}

namespace {

// The shape rule of an arithmetic operator; nothing for operators without one.
std::optional<tShapeRule> ShapeRuleOf(
    tOperatorHandler handler, std::int32_t submode, const tVariable& l, const tVariable& r)
{
    const bool plain = l.tag == tgPlain && r.tag == tgPlain && submode == 0;
    switch (handler) {
    case tOperatorHandler::Addition:
    case tOperatorHandler::Subtraction:
    case tOperatorHandler::IntegerQuotient:
    case tOperatorHandler::IntegerRemainder:
    case tOperatorHandler::BinomialCoefficient:
        return tShapeRule::Elementwise;
    case tOperatorHandler::Multiplication:
        return plain ? tShapeRule::Product : tShapeRule::Elementwise;
    case tOperatorHandler::Division:
        return plain ? tShapeRule::PseudoInverseProduct : tShapeRule::Elementwise;
    case tOperatorHandler::Power:
        // A plain matrix power has no size rule of two matrices (it needs one square matrix).
        return plain ? std::nullopt : std::optional(tShapeRule::Elementwise);
    default:
        return std::nullopt;
    }
}

} // namespace

std::string BinaryOperatorFailure(tOperatorHandler handler, std::int32_t submode,
    const tVariable& l, const tVariable& r, const tVariable& result)
{
    // Sizes can only clash between two matrices.
    const bool matrices = l.shape == shMatrix && r.shape == shMatrix;
    if (const auto rule = matrices ? ShapeRuleOf(handler, submode, l, r) : std::nullopt) {
        std::string mismatch = ShapeMismatchText(*rule, l, r);
        if (!mismatch.empty())
            return mismatch;
    }
    const bool selects
        = handler == tOperatorHandler::Condition || handler == tOperatorHandler::Membership;
    if (selects || !IsEmptyValue(result) || IsEmptyValue(l) || IsEmptyValue(r))
        return {};
    if (handler == tOperatorHandler::Division && l.shape == shScalar && r.shape == shScalar)
        return "Division durch 0";
    return "nicht definiert f\xFCr " + OperandDescription(l) + " und " + OperandDescription(r);
}

tVariable ConcatRanges(const tVariable& left, const tVariable& right)
{
    return VarConcatRanges(left, right);
}

tVariable Select(const tVariable& value, const tVariable& rows, const tVariable* cols)
{
    tVariable target = value;
    if (cols)
        VarSelect(target, rows, *cols, 3);
    else
        VarSelect(target, rows, tVariable {}, 1);
    return target;
}

tVariable SuffixPower(const tVariable& value, tOpcode opcode)
{
    const long double exponent = opcode == tOpcode::PowerZero ? 0
        : opcode == tOpcode::Squared                          ? 2
                                                              : 3;
    return VarMatrixPower(value, exponent);
}

std::int32_t AsInteger(const tVariable& value)
{
    return VarAsInteger(value);
}
long double AsReal(const tVariable& value)
{
    return VarAsReal(value);
}
std::string AsString(const tVariable& value)
{
    return VarAsString(value);
}
std::int32_t Rows(const tVariable& value)
{
    return VarRows(value);
}

} // namespace zelvora::machine
