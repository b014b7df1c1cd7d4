// The evaluation machine: operand and operator stacks per bracket level, priority reduction and the
// dispatch of every opcode. Formulas are evaluated as they are read; a failure is an operand that
// operators and calls give on and "sonst" replaces.
#pragma once

#include "language/formula_plan.h"
#include "language/temporary_names.h"
#include "lexicon/catalogue.h"
#include "lexicon/scanner.h"
#include "numerics/result.h"
#include "variables/variable.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace zelvora {

// The store and the system variables as the parser reads them.
class tEvalEnvironment {
public:
    virtual ~tEvalEnvironment() = default;
    // The stored variable of that name (folded comparison), or null.
    virtual const tVariable* FindVariable(std::string_view name) = 0;
    // The same, answered from where the name was found before while the store's layout is
    // unchanged (a store that keeps no layout looks the name up).
    virtual const tVariable* FindRemembered(std::string_view name, tStoreSlotMemo& memo)
    {
        (void)memo;
        return FindVariable(name);
    }
    // The value of a system variable as a scalar, or nothing when the name is none.
    virtual std::optional<tVariable> SystemVariableValue(std::string_view name) = 0;
};

// What a built-in function call gives back.
struct tCallOutcome {
    enum class tKind {
        Values, // the values, pushed in order (the first one with the call's sign)
        Slot, // the routine left its slot untouched: the call yields the integer 1
        Unavailable, // no routine for this function is built: the formula fails, naming it
    };
    tKind Kind = tKind::Values;
    tVariableArray Values;
    // The routine failed: the call gives this failure instead of values.
    std::optional<tFailure> Failure {};
    // A single value takes the call's sign; several take sign 1 unless SignAll is set.
    bool SignAll = false;
    // Something odd that is no failure (ragged rows of a file read); the machine passes it on.
    std::string Warning {};
    // Why the routine refuses its arguments (an argument it cannot take): the call fails with
    // "Funktion "NAME": " and this text.
    std::string Refusal {};
    // Further results of a single value that the formula gives only when the call is the whole
    // formula (the names of a file's header line for a second target); inside an expression
    // they are dropped, so the call stays one operand.
    tVariableArray Further {};
};

// The built-in functions (from "format" to the last function), by opcode with their arguments.
class tBuiltinDispatch {
public:
    virtual ~tBuiltinDispatch() = default;
    virtual tCallOutcome Call(
        tOpcode opcode, const tTOC& entry, std::span<const tVariable> arguments)
        = 0;
    // What a call of the function needs beyond its signature (the type words of a rotation), for
    // the failure of a call with too few or too many arguments; empty when nothing.
    virtual std::string ArgumentHint(tOpcode opcode) const
    {
        (void)opcode;
        return {};
    }
};

struct tOperatorEntry {
    tOpcode Opcode = tOpcode::NotFound;
    std::uint8_t Priority = 0;
    std::int32_t Base = 0; // Top when pushed: the left operand's slot, or a function's slot
    std::int32_t EntryNo = 0; // 0 for the end of the formula
    tOperatorHandler Handler = tOperatorHandler::None;
    std::int32_t Submode = 0;
};

inline constexpr std::size_t MaxWaitingOperators = 50;

// One bracket level: operands in slots 1..Top (slot 0 an empty value) and the waiting operators
// (entries from OperatorCount on are never read). StartLevel makes slot 0.
struct tEvalLevel {
    tVariableArray Operands;
    std::array<tOperatorEntry, MaxWaitingOperators> Operators;
    std::int32_t OperatorCount = 0;
    std::uint8_t State = 0; // 0 operand expected, 1 operator expected
    bool Closed = false;
    std::int32_t Sign = 1;

    std::int32_t Top() const { return static_cast<std::int32_t>(Operands.size()) - 1; }
};

// The values of a formula (element 0 an empty value, 1..n the values of its top level), or the
// failure that ended it: one that could not be read, or the first failure still standing.
using tEvaluation = tResult<tVariableArray>;

class tEvalMachine {
public:
    // warningSink receives the warnings of built-in functions; without one they are dropped.
    explicit tEvalMachine(tEvalEnvironment& environment, tBuiltinDispatch* dispatch = nullptr,
        std::function<void(std::string_view)> warningSink = {});

    // No tokens give the single element 0 holding the integer 0. A plan made for these tokens
    // keeps what they resolve to for the next evaluation of the same formula.
    tEvaluation Evaluate(const tAnsiTokens& tokens, tFormulaPlan* plan = nullptr);

    // The formula cannot be read on (a misplaced token, too deep brackets, an unknown name):
    // nothing more is read or applied, and the formula fails with this message (the first one).
    void FailReading(std::string_view message);
    bool ReadingFailed() const { return m_readingFailure.has_value(); }

    // Operations for the parser.
    void StartLevel(tEvalLevel& level);
    // A started level for the parser's next bracket level; levels are kept for the next formula
    // and released in the reverse order of acquiring (a formula evaluated inside a call takes
    // the levels above those in use).
    tEvalLevel& AcquireLevel();
    void ReleaseLevel() { --m_levelsInUse; }
    void PushValue(tEvalLevel& level, tVariable value, std::int32_t sign);
    // The same for a value that stays where it is (a stored variable, a number of the plan): it
    // is copied straight into its slot.
    void PushCopy(tEvalLevel& level, const tVariable& value, std::int32_t sign);
    void PushOperator(
        tEvalLevel& level, std::uint8_t priority, tOpcode opcode, std::int32_t entryNo);

    // Hands a warning to the sink (the statement runs on).
    void Warn(std::string_view text)
    {
        if (m_warningSink)
            m_warningSink(text);
    }

    // The value of a formula whose plan found it to be one binary operator between two plain
    // operands, applied where the operands stand, for an assignment that names the value itself:
    // counted as the general way counts it, but left unnamed. The way says whether the formula
    // was taken so (not when the plan has no such form yet or an operand is no stored variable
    // or number: the general way then reads it) and the failure of the operator.
    tVariable EvaluateBinaryValue(const tAnsiTokens& tokens, tFormulaPlan& plan, tShortWay& way);

    tEvalEnvironment& Environment() { return m_environment; }
    tTocINFO& Toc() { return Catalogue(); }

private:
    // The form of a planned formula, decided from its tokens.
    static tFormulaPlan::tForm FormOf(const tAnsiTokens& tokens, tFormulaPlan& plan);
    // The same as a named value of the formula.
    std::optional<tEvaluation> EvaluateBinary(const tAnsiTokens& tokens, tFormulaPlan& plan);
    tVariable ApplyBinary(const tTOC& entry, const tVariable& left, const tVariable& right,
        std::optional<tFailure>& failure);
    const tVariable* PlainOperand(const tAnsiTokens& tokens, std::size_t index, tFormulaPlan& plan);
    // Counts the pushed value and names it "$n" when it has no name.
    void NameTemporary(tVariable& pushed);
    void ApplyLast(tEvalLevel& level);
    void Apply(tEvalLevel& level, const tOperatorEntry& entry);
    void ApplyFunction(tEvalLevel& level, const tOperatorEntry& entry);
    // The operation of the entry gives a failure that names its operator or function.
    void FailOperation(tEvalLevel& level, const tOperatorEntry& entry, std::string_view what);
    // A failure among the operands: the operation gives it (or "sonst" its right operand).
    bool PassOnFailure(tEvalLevel& level, const tOperatorEntry& entry);
    // Replaces the operands from base on by the values, the first one pushed with sign.
    void Replace(
        tEvalLevel& level, std::int32_t base, tVariableArray values, std::int32_t sign = 1);

    tEvalEnvironment& m_environment;
    tBuiltinDispatch* m_dispatch;
    std::vector<std::unique_ptr<tEvalLevel>> m_levels;
    std::size_t m_levelsInUse = 0;
    std::optional<tFailure> m_readingFailure; // of the formula being evaluated
    std::function<void(std::string_view)> m_warningSink;
    tTemporaryNames m_temporaryNames; // never reset
    // The further results of the last call that had some, and the name of its value.
    std::string m_furtherOf;
    tVariableArray m_further;
};

} // namespace zelvora
