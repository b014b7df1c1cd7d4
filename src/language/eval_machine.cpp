// The evaluation machine: priority reduction and the dispatch of opcodes.
#include "language/eval_machine.h"

#include "language/failure_operand.h"
#include "language/formula_parser.h"
#include "language/machine_bindings.h"
#include "language/machine_operators.h"
#include "numerics/run_time_error.h"
#include "variables/direct_sum.h"
#include "variables/element_access.h"
#include "variables/factorial.h"
#include "variables/operator_failures.h"
#include "variables/operator_handlers.h"
#include "variables/operator_results.h"

#include <algorithm>

namespace zelvora {
namespace {

constexpr std::size_t MaxFormulaTokens = 65535;

using O = tOpcode;

// "Matrix 2x3, Zahl": the arguments of a call as a failure message names them.
std::string ArgumentsText(std::span<const tVariable> arguments)
{
    std::string given;
    for (const tVariable& argument : arguments)
        given += (given.empty() ? "" : ", ") + OperandDescription(argument);
    return given;
}

} // namespace

tEvalMachine::tEvalMachine(tEvalEnvironment& environment, tBuiltinDispatch* dispatch,
    std::function<void(std::string_view)> warningSink)
    : m_environment(environment)
    , m_dispatch(dispatch)
    , m_warningSink(std::move(warningSink))
{
}

void tEvalMachine::FailReading(std::string_view message)
{
    if (!m_readingFailure)
        m_readingFailure = Failure(message);
}

tEvaluation tEvalMachine::Evaluate(const tAnsiTokens& tokens, tFormulaPlan* plan)
{
    if (tokens.empty()) {
        tVariableArray results(1);
        results[0] = operators::IntegerResult(0);
        return results;
    }
    if (tokens.size() > MaxFormulaTokens)
        throw tRangeError();
    m_readingFailure.reset();
    m_furtherOf.clear();
    m_further.clear();
    if (plan) {
        plan->FitTo(tokens.size());
        if (plan->Form() == tFormulaPlan::tForm::Undecided)
            plan->SetForm(FormOf(tokens, *plan));
        if (plan->Form() == tFormulaPlan::tForm::Binary) {
            if (std::optional<tEvaluation> direct = EvaluateBinary(tokens, *plan))
                return std::move(*direct);
        }
    }
    tFormulaParser parser(*this, tokens, plan);
    tVariableArray results = parser.EvaluateTopLevel();
    std::string furtherOf = std::exchange(m_furtherOf, std::string());
    tVariableArray further = std::exchange(m_further, tVariableArray());
    if (m_readingFailure)
        return *std::exchange(m_readingFailure, std::nullopt);
    if (auto failure = FirstFailure(std::span(results).subspan(1)))
        return *failure;
    // A call that is the whole formula hands on its further results.
    if (results.size() == 2 && !furtherOf.empty() && results[1].name == furtherOf) {
        for (tVariable& value : further)
            results.push_back(std::move(value));
    }
    return results;
}

tEvalLevel& tEvalMachine::AcquireLevel()
{
    if (m_levelsInUse == m_levels.size())
        m_levels.push_back(std::make_unique<tEvalLevel>());
    tEvalLevel& level = *m_levels[m_levelsInUse++];
    StartLevel(level);
    return level;
}

void tEvalMachine::StartLevel(tEvalLevel& level)
{
    // Room for a few operands at once: most levels hold two or three, and growing one slot at a
    // time would allocate again for each.
    constexpr std::size_t usualOperands = 6;
    level.Operands.clear();
    level.Operands.reserve(usualOperands);
    level.Operands.emplace_back();
    level.OperatorCount = 0;
    level.State = 0;
    level.Closed = false;
    level.Sign = 1;
}

void tEvalMachine::PushValue(tEvalLevel& level, tVariable value, std::int32_t sign)
{
    if (sign == -1 && !IsFailureOperand(value))
        value = machine::SignedCopy(value, -1);
    NameTemporary(level.Operands.emplace_back(std::move(value)));
}

void tEvalMachine::PushCopy(tEvalLevel& level, const tVariable& value, std::int32_t sign)
{
    if (sign == -1 && !IsFailureOperand(value))
        NameTemporary(level.Operands.emplace_back(machine::SignedCopy(value, -1)));
    else
        NameTemporary(level.Operands.emplace_back(value));
}

void tEvalMachine::NameTemporary(tVariable& pushed)
{
    m_temporaryNames.Name(pushed.name);
}

void tEvalMachine::PushOperator(
    tEvalLevel& level, std::uint8_t priority, tOpcode opcode, std::int32_t entryNo)
{
    if (ReadingFailed())
        return;
    while (level.OperatorCount > 0
        && level.Operators[static_cast<std::size_t>(level.OperatorCount - 1)].Priority >= priority)
        ApplyLast(level);
    if (static_cast<std::size_t>(level.OperatorCount) == MaxWaitingOperators)
        throw tRangeError();
    tOperatorEntry entry;
    entry.Opcode = opcode;
    entry.Priority = priority;
    entry.Base = level.Top();
    entry.EntryNo = entryNo;
    if (entryNo > 0) {
        const tTOC& toc = Catalogue().Entry(entryNo);
        entry.Handler = toc.Handler;
        entry.Submode = toc.Submode;
    }
    level.Operators[static_cast<std::size_t>(level.OperatorCount++)] = entry;
}

void tEvalMachine::ApplyLast(tEvalLevel& level)
{
    const tOperatorEntry entry = level.Operators[static_cast<std::size_t>(--level.OperatorCount)];
    level.Operators[static_cast<std::size_t>(level.OperatorCount)] = tOperatorEntry();
    if (ReadingFailed())
        return;
    // A function call without arguments still reaches its routine's argument check.
    const bool bareCall = IsFunctionOpcode(entry.Opcode) && entry.Base == level.Top();
    if (level.Top() < 2 && !bareCall)
        return;
    Apply(level, entry);
}

void tEvalMachine::Replace(
    tEvalLevel& level, std::int32_t base, tVariableArray values, std::int32_t sign)
{
    level.Operands.resize(static_cast<std::size_t>(base));
    for (std::size_t i = 0; i < values.size(); ++i)
        PushValue(level, std::move(values[i]), i == 0 ? sign : 1);
}

void tEvalMachine::Apply(tEvalLevel& level, const tOperatorEntry& entry)
{
    const tOpcode opcode = entry.Opcode;
    const std::int32_t base = entry.Base;
    const std::int32_t top = level.Top();
    if (base < 1 || base > top)
        return; // no operand at the base: nothing to apply
    auto slot
        = [&](std::int32_t i) -> tVariable& { return level.Operands[static_cast<std::size_t>(i)]; };
    if (PassOnFailure(level, entry))
        return;

    if (IsBinaryOperator(opcode)) {
        switch (opcode) {
        case O::Comma:
            return;
        case O::MatrixPlus: {
            if (top - base != 1)
                return;
            tVariable sum = VarDirectSum(slot(base), slot(base + 1));
            if (IsEmptyValue(sum) && !IsEmptyValue(slot(base)) && !IsEmptyValue(slot(base + 1)))
                return FailOperation(level, entry,
                    "nicht definiert f\xFCr " + OperandDescription(slot(base)) + " und "
                        + OperandDescription(slot(base + 1)));
            Replace(level, base, { std::move(sum) });
            return;
        }
        case O::RangeJoin:
        case O::Block:
        case O::Range:
            // "1..6:1..2" reads like rows 1 to 6 and columns 1 to 2, but a block takes the
            // first bound of each range only.
            if (opcode == O::Block && top - base == 1
                && (slot(base).shape == shRange || slot(base + 1).shape == shRange))
                return Replace(level, base,
                    { FailureOperand(Failure(
                        "Der Operator \":\" verbindet Zahlen oder Paare, keine Bereiche \"..\"; "
                        "Zeilen 1 bis 6 und Spalten 1 bis 2 schreibt man {1,6}:{1,2}")) });
            if (top - base == 1)
                Replace(level, base, { ApplyListOperator(opcode, slot(base), slot(base + 1)) });
            return;
        default:
            if (entry.Handler == tOperatorHandler::None)
                return;
            if (top - base == 1) {
                // The usual case: one record from two operands, without an array around it.
                tVariable value = ApplyBinaryOperatorHandler(
                    entry.Handler, slot(base), slot(base + 1), entry.Submode);
                const std::string failure = machine::BinaryOperatorFailure(
                    entry.Handler, entry.Submode, slot(base), slot(base + 1), value);
                if (!failure.empty())
                    return FailOperation(level, entry, failure);
                level.Operands.resize(static_cast<std::size_t>(base));
                PushValue(level, std::move(value), 1);
                return;
            }
            tVariableArray values
                = ApplyOperatorHandler(entry.Handler, level.Operands, base, top, entry.Submode);
            if (top - base == 1 && !values.empty()) {
                const std::string failure = machine::BinaryOperatorFailure(
                    entry.Handler, entry.Submode, slot(base), slot(base + 1), values[0]);
                if (!failure.empty())
                    return FailOperation(level, entry, failure);
            }
            Replace(level, base, std::move(values));
            return;
        }
    }
    switch (opcode) {
    case O::ConcatColumns: {
        tVariable left = slot(base);
        if (top - base != 1) {
            Replace(level, base, { left });
            return;
        }
        tVariable joined = ConcatMatrixColumns(left, slot(base + 1));
        if (IsEmptyValue(joined) && !IsEmptyValue(left) && !IsEmptyValue(slot(base + 1)))
            return FailOperation(level, entry,
                "nicht definiert f\xFCr " + OperandDescription(left) + " und "
                    + OperandDescription(slot(base + 1)));
        Replace(level, base, { std::move(joined) });
        return;
    }
    case O::OpenIndex: {
        const tVariable* cols = top - base >= 2 ? &slot(base + 2) : nullptr;
        if (top - base < 1)
            return;
        const std::string outside = slot(base).shape == shMatrix
            ? VarSelectionOutside(slot(base), slot(base + 1), cols)
            : std::string();
        if (!outside.empty())
            return Replace(level, base, { FailureOperand(Failure(outside)) });
        Replace(level, base, { IndexValue(slot(base), slot(base + 1), cols) });
        return;
    }
    case O::Like:
    case O::Transpose:
    case O::AsArray:
    case O::TimesTransposed:
        Replace(level, base,
            ApplyPostfix(opcode, slot(base), top - base >= 1 ? &slot(base + 1) : nullptr));
        return;
    case O::Factorial:
        Replace(level, base, { VarFactorial(slot(base)) });
        return;
    case O::PowerZero:
    case O::Squared:
    case O::Cubed: {
        tVariable power = machine::SuffixPower(slot(base), opcode);
        // A matrix that is not square has no matrix power.
        if (IsEmptyValue(power) && slot(base).shape == shMatrix)
            return FailOperation(
                level, entry, "nicht definiert f\xFCr " + OperandDescription(slot(base)));
        Replace(level, base, { std::move(power) });
        return;
    }
    default:
        break;
    }
    if (IsFunctionOpcode(opcode))
        ApplyFunction(level, entry);
    // Any other opcode has no routine: the operands stay.
}

bool tEvalMachine::PassOnFailure(tEvalLevel& level, const tOperatorEntry& entry)
{
    const std::int32_t base = entry.Base;
    const std::int32_t top = level.Top();
    if (entry.Opcode == O::Comma)
        return false; // a list keeps its values, failures included
    const std::span<const tVariable> operands(
        level.Operands.data() + base, static_cast<std::size_t>(top - base + 1));
    // "sonst" takes its right operand in place of a failure on its left, and a left operand that
    // holds a value needs no alternative, even one that failed.
    if (entry.Opcode == O::Sonst && top - base == 1) {
        const bool leftFailed = IsFailureOperand(operands[0]);
        if (leftFailed || (IsFailureOperand(operands[1]) && !IsEmptyValue(operands[0]))) {
            tVariable chosen
                = std::move(level.Operands[static_cast<std::size_t>(base + (leftFailed ? 1 : 0))]);
            level.Operands.resize(static_cast<std::size_t>(base));
            level.Operands.push_back(std::move(chosen));
            return true;
        }
    }
    const std::optional<tFailure> failure = FirstFailure(operands);
    if (!failure)
        return false;
    level.Operands.resize(static_cast<std::size_t>(base));
    level.Operands.push_back(FailureOperand(*failure));
    return true;
}

void tEvalMachine::FailOperation(
    tEvalLevel& level, const tOperatorEntry& entry, std::string_view what)
{
    const std::string& name = Catalogue().Entry(entry.EntryNo).Name;
    const char* kind = IsFunctionOpcode(entry.Opcode) ? "Funktion " : "Operator ";
    level.Operands.resize(static_cast<std::size_t>(entry.Base));
    level.Operands.push_back(
        FailureOperand(Failure(kind + ("\"" + name + "\": ") + std::string(what))));
}

void tEvalMachine::ApplyFunction(tEvalLevel& level, const tOperatorEntry& entry)
{
    const std::int32_t base = entry.Base;
    const std::int32_t top = level.Top();
    tVariable& functionSlot = level.Operands[static_cast<std::size_t>(base)];
    const std::int32_t sign = functionSlot.intvalue == -1 ? -1 : 1;
    const tTOC& toc = Catalogue().Entry(entry.EntryNo);
    const std::int32_t argumentCount = top - base;
    if (!toc.Arguments.Allows(argumentCount)) {
        const std::string hint
            = m_dispatch ? m_dispatch->ArgumentHint(entry.Opcode) : std::string();
        Replace(level, base,
            { FailureOperand(Failure("Funktion " + toc.Name + toc.Signature + " "
                + ExpectedArgumentsText(toc.Arguments) + ", nicht " + std::to_string(argumentCount)
                + (hint.empty() ? "" : "; " + hint))) });
        return;
    }
    tCallOutcome outcome;
    outcome.Kind = tCallOutcome::tKind::Unavailable;
    if (m_dispatch) {
        const std::span<const tVariable> arguments(
            level.Operands.data() + base + 1, static_cast<std::size_t>(top - base));
        outcome = m_dispatch->Call(entry.Opcode, toc, arguments);
    }
    if (!outcome.Warning.empty())
        Warn(outcome.Warning);
    if (!outcome.Refusal.empty())
        return FailOperation(level, entry, outcome.Refusal);
    switch (outcome.Kind) {
    case tCallOutcome::tKind::Unavailable:
        Replace(level, base,
            { FailureOperand(Failure("Die Funktion " + toc.Name
                + " ist in dieser Ausgabe noch nicht verf\xFC"
                  "gbar")) });
        return;
    case tCallOutcome::tKind::Slot: {
        // A routine that left its slot refused its arguments: the slot's 1 would pass for a result.
        const std::span<const tVariable> arguments(
            level.Operands.data() + base + 1, static_cast<std::size_t>(top - base));
        if (!arguments.empty() && std::ranges::none_of(arguments, IsEmptyValue))
            return FailOperation(
                level, entry, "die Argumente passen nicht: " + ArgumentsText(arguments));
        tVariable slotValue = functionSlot;
        Replace(level, base, { std::move(slotValue) }, sign);
        return;
    }
    case tCallOutcome::tKind::Values: {
        const std::span<const tVariable> arguments(
            level.Operands.data() + base + 1, static_cast<std::size_t>(top - base));
        if (outcome.Failure) {
            const tFailure& failure = *outcome.Failure;
            if (failure.Message.empty())
                return FailOperation(
                    level, entry, "die Argumente passen nicht: " + ArgumentsText(arguments));
            Replace(level, base, { FailureOperand(failure) });
            return;
        }
        const bool emptyArgument = std::ranges::any_of(arguments, IsEmptyValue);
        // "Wenn" without its other value selects nothing, as "falls" does: no failure.
        const bool selects = entry.Opcode == O::Wenn;
        if (outcome.Values.size() == 1 && IsEmptyValue(outcome.Values[0]) && !arguments.empty()
            && !emptyArgument && !selects) {
            return FailOperation(level, entry, "kein Ergebnis f\xFCr " + ArgumentsText(arguments));
        }
        if (outcome.Values.size() == 1) {
            Replace(level, base, std::move(outcome.Values), sign);
            if (!outcome.Further.empty()) {
                m_furtherOf = level.Operands.back().name;
                m_further = std::move(outcome.Further);
            }
            return;
        }
        level.Operands.resize(static_cast<std::size_t>(base));
        for (tVariable& value : outcome.Values)
            PushValue(level, std::move(value), outcome.SignAll ? sign : 1);
        return;
    }
    }
}

} // namespace zelvora
