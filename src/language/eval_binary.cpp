// The short way of the evaluation machine for a formula of one binary operator between two plain
// operands ("x + 1", "a * b"): the operator is applied to the operands where they stand, with the
// value, the temporary name and the failure the general way gives.
#include "language/eval_machine.h"
#include "language/failure_operand.h"
#include "language/machine_bindings.h"
#include "variables/operator_handlers.h"
#include "variables/operator_results.h"

namespace zelvora {
namespace {

using O = tOpcode;

// Longest token text the parser reads.
constexpr std::size_t MaxTokenTextLength = 255;

bool IsPlainOperand(const t_ansitoken& token)
{
    return token.Kind == tkName || token.Kind == tkInteger || token.Kind == tkReal;
}

// A binary operator that the store carries out and that the end of the formula applies.
bool IsStoreOperator(const tTocLookup& found)
{
    if (!found.Found || !IsBinaryOperator(found.Opcode))
        return false;
    switch (found.Opcode) {
    case O::Comma:
    case O::MatrixPlus:
    case O::RangeJoin:
    case O::Block:
    case O::Range:
        return false;
    default:
        break;
    }
    return Catalogue().Entry(found.Entry).Handler != tOperatorHandler::None
        && OpcodePriority(found.Opcode) >= OpcodePriority(O::EndOfFormula);
}

} // namespace

tFormulaPlan::tForm tEvalMachine::FormOf(const tAnsiTokens& tokens, tFormulaPlan& plan)
{
    using tForm = tFormulaPlan::tForm;
    if (tokens.size() < 3 || !IsPlainOperand(tokens[0]) || !IsPlainOperand(tokens[2]))
        return tForm::General;
    for (std::size_t i = 3; i < tokens.size(); ++i) {
        if (tokens[i].Kind != tkEnd)
            return tForm::General;
    }
    const std::string_view sign = std::string_view(tokens[1].Text).substr(0, MaxTokenTextLength);
    return IsStoreOperator(plan.CatalogueEntry(1, sign)) ? tForm::Binary : tForm::General;
}

const tVariable* tEvalMachine::PlainOperand(
    const tAnsiTokens& tokens, std::size_t index, tFormulaPlan& plan)
{
    const t_ansitoken& token = tokens[index];
    if (token.Kind != tkName)
        return &plan.NumberValue(index, token.Kind, token.Text);
    // Only a stored variable: a system variable or an unknown name takes the general way.
    return m_environment.FindRemembered(
        std::string_view(token.Text).substr(0, MaxTokenTextLength), plan.SlotMemo(index));
}

tVariable tEvalMachine::EvaluateBinaryValue(
    const tAnsiTokens& tokens, tFormulaPlan& plan, tShortWay& way)
{
    way = tShortWay {};
    if (plan.Form() != tFormulaPlan::tForm::Binary)
        return {};
    // Room for both numbers first, so that reading the second does not move the first.
    plan.ReserveNumbers(2);
    const tVariable* left = PlainOperand(tokens, 0, plan);
    const tVariable* right = left ? PlainOperand(tokens, 2, plan) : nullptr;
    // A failure stands on the machine only, never in the store or the plan.
    if (!right || IsFailureOperand(*left) || IsFailureOperand(*right))
        return {};
    way.Taken = true;
    const tTocLookup& found
        = plan.CatalogueEntry(1, std::string_view(tokens[1].Text).substr(0, MaxTokenTextLength));
    return ApplyBinary(Catalogue().Entry(found.Entry), *left, *right, way.Failure);
}

tVariable tEvalMachine::ApplyBinary(const tTOC& entry, const tVariable& left,
    const tVariable& right, std::optional<tFailure>& failure)
{
    // The general way pushes both operands (each counted) before it applies the operator, and
    // then the value.
    m_temporaryNames.Skip(2);
    tVariable value = ApplyBinaryOperatorHandler(entry.Handler, left, right, entry.Submode);
    const std::string refusal
        = machine::BinaryOperatorFailure(entry.Handler, entry.Submode, left, right, value);
    if (!refusal.empty()) {
        failure = Failure("Operator \"" + entry.Name + "\": " + refusal);
        return value;
    }
    m_temporaryNames.Skip(1);
    if (IsFailureOperand(value))
        failure = FailureOfOperand(value);
    return value;
}

std::optional<tEvaluation> tEvalMachine::EvaluateBinary(
    const tAnsiTokens& tokens, tFormulaPlan& plan)
{
    tShortWay way;
    tVariable value = EvaluateBinaryValue(tokens, plan, way);
    if (!way.Taken)
        return std::nullopt;
    if (way.Failure)
        return tEvaluation(std::move(*way.Failure));
    tVariableArray results = plan.TakeSpareValues();
    if (results.capacity() < 2)
        results.reserve(2);
    results.emplace_back();
    m_temporaryNames.NameCounted(results.emplace_back(std::move(value)).name);
    return results;
}

} // namespace zelvora
