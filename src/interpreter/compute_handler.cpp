// Assignments: target names and index brackets, the formula, and storing each result.
#include "interpreter/compute_handler.h"

#include "interpreter/options.h"
#include "numerics/matrix_convert.h"
#include "numerics/run_time_error.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace zelvora {
namespace {

struct tTarget {
    std::string_view Name; // held by the assignment's plan
    tintrangelist RowRanges;
    tintrangelist ColRanges;
    bool RowsGiven = false;
    bool ColsGiven = false;
    tStoreSlotMemo* Slot = nullptr; // the plan's memo of where the name was found
};

// Index of the ']' matching the '[' at open, or -1.
int MatchingBracket(const tAnsiTokens& tokens, int open, int end)
{
    int depth = 0;
    for (int i = open; i < end; ++i) {
        if (IsSignToken(tokens[static_cast<std::size_t>(i)], '['))
            ++depth;
        else if (IsSignToken(tokens[static_cast<std::size_t>(i)], ']') && --depth == 0)
            return i;
    }
    return -1;
}

bool HasRange(const tintrangelist& ranges)
{
    return ranges.Count() >= 1;
}

// Stores the record. Showing an integer matrix or range list raises the range error for a
// cell beyond 32 bits; the target then gets its previous value back before the error ends the
// run, so that a failed statement leaves its target as it was. found, when given, is what
// FindVariable gave for the record's name, with no change of the store since.
void StoreKeepingTargetOnError(
    tComputeServices& services, tVariable&& record, const tVariable* found = nullptr)
{
    if (record.datatype != dtInteger || record.shape == shScalar) {
        if (found)
            services.StoreFound(*found, std::move(record));
        else
            services.Store(std::move(record));
        return;
    }
    std::optional<tVariable> previous;
    if (const tVariable* stored = found ? found : services.FindVariable(record.name))
        previous = *stored;
    const std::string name = record.name;
    try {
        services.Store(std::move(record));
    } catch (const tRunTimeError&) {
        tVariable restored = previous.value_or(tVariable {});
        restored.name = name;
        services.Store(std::move(restored));
        throw;
    }
}

// Stores result under its target; false (with Code 1) when the name cannot take a value.
bool StoreResult(
    tComputeServices& services, tStmtList& statements, const tTarget& target, tVariable&& result)
{
    // Written over the temporary name in the buffer the name already has.
    result.name.clear();
    result.name.append(target.Name.data(), target.Name.size());
    const tVariable* found = target.Slot ? services.FindRemembered(target.Name, *target.Slot)
                                         : services.FindVariable(target.Name);
    if (const tVariable* stored = found) {
        // Read before the store changes: storing may move or replace the record.
        const tVariable& variable = *stored;
        tIntvector rows;
        tIntvector cols;
        switch (variable.shape) {
        case shScalar:
            StoreKeepingTargetOnError(services, std::move(result), stored);
            return true;
        case shMatrix:
        case shRange:
            if (!HasRange(target.RowRanges)) {
                StoreKeepingTargetOnError(services, std::move(result), stored);
                return true;
            }
            rows = target.RowsGiven
                ? RangesToIndexVector(target.RowRanges, services.VarRows(variable))
                : IntSequence(1, services.VarRows(variable), 1);
            cols = target.ColsGiven
                ? RangesToIndexVector(target.ColRanges, services.VarCols(variable))
                : IntSequence(1, services.VarCols(variable), 1);
            break;
        case shVector:
            if (!HasRange(target.RowRanges)) {
                StoreKeepingTargetOnError(services, std::move(result), stored);
                return true;
            }
            rows = IntSequence(1, 1, 1);
            cols = target.RowsGiven
                ? RangesToIndexVector(target.RowRanges, services.VarCols(variable))
                : IntSequence(1, services.VarCols(variable), 1);
            break;
        default:
            return true;
        }
        tVariable merged = services.VarAssignPart(variable, result, rows, cols);
        merged.name = target.Name;
        StoreKeepingTargetOnError(services, std::move(merged));
        return true;
    }
    if (services.IsSystemVariable(target.Name)) {
        if (services.SystemVariableType(target.Name) == tSysVarType::None) {
            statements.Fail(1,
                "Die Systemvariable " + std::string(target.Name) + " kann nicht zugewiesen werden");
            return false;
        }
        services.SetSystemVariable(target.Name, result);
        return true;
    }
    if (services.IsOptionName(target.Name)) {
        switch (OptionAssignment(target.Name)) {
        case tOptionAssignment::DirectoryText:
            services.SetDirectorySetting(target.Name, services.VarAsString(result));
            return true;
        case tOptionAssignment::RandomStart:
            services.SetRandomStart(services.VarAsInteger(result));
            return true;
        case tOptionAssignment::FirstTimeUsed:
            services.SetFirstTimeUsed(services.VarAsBoolean(result));
            return true;
        case tOptionAssignment::None:
            break;
        }
        statements.Fail(
            1, "Die Einstellung " + std::string(target.Name) + " kann nicht zugewiesen werden");
        return false;
    }
    StoreKeepingTargetOnError(services, std::move(result));
    return true;
}

// The formula's first comma outside brackets, or -1.
int TopLevelComma(const tAnsiTokens& formula)
{
    int depth = 0;
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const t_ansitoken& token = formula[i];
        if (token.Kind != tkSign || token.Text.size() != 1)
            continue;
        const char c = token.Text[0];
        if (c == '(' || c == '[' || c == '{')
            ++depth;
        else if (c == ')' || c == ']' || c == '}')
            --depth;
        else if (c == ',' && depth == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// True when the token at index begins an item of a list: it is the formula's first token or
// follows "(", "{" or "," (a sign before it included: "-1,5").
bool BeginsListItem(const tAnsiTokens& formula, std::size_t index)
{
    const auto isListStart = [&](std::size_t i) {
        return IsSignToken(formula[i], ',') || IsSignToken(formula[i], '(')
            || IsSignToken(formula[i], '{');
    };
    if (index == 0 || isListStart(index - 1))
        return true;
    const bool withSign
        = IsSignToken(formula[index - 1], '-') || IsSignToken(formula[index - 1], '+');
    return withSign && (index == 1 || isListStart(index - 2));
}

// "1,5" between two numbers of the formula: the German decimal comma, which the language reads
// as a list of two values. The hint shows the number as it is written; empty when none is found.
std::string DecimalCommaHint(const tAnsiTokens& formula)
{
    int depth = 0;
    for (std::size_t i = 1; i + 1 < formula.size(); ++i) {
        const t_ansitoken& token = formula[i];
        if (token.Kind == tkSign && token.Text.size() == 1) {
            const char c = token.Text[0];
            depth += c == '(' || c == '[' || c == '{' ? 1
                : c == ')' || c == ']' || c == '}'    ? -1
                                                      : 0;
        }
        if (depth != 0 || !IsSignToken(token, ',') || formula[i - 1].Kind != tkInteger
            || (formula[i + 1].Kind != tkInteger && formula[i + 1].Kind != tkReal)
            || !BeginsListItem(formula, i - 1))
            continue;
        const std::string& whole = formula[i - 1].Text;
        const std::string& fraction = formula[i + 1].Text;
        return "; Dezimalkomma? " + whole + "," + fraction + " als Zahl schreibt man " + whole + "."
            + fraction;
    }
    return {};
}

std::string CountText(std::size_t count, std::string_view one, std::string_view several)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : several);
}

// A statement whose targets and values do not pair up: more targets than values always (a target
// would keep its old value unnoticed), more values than targets when the formula itself lists
// them with commas. A function with several results may give more values than targets: its
// first results are taken, as the language defines.
bool TargetsMatchValues(tStmtList& statements, std::span<const tTarget> targets,
    std::size_t valueCount, const tAnsiTokens& formula)
{
    const bool tooFewValues = targets.size() > valueCount;
    const bool tooManyValues = targets.size() < valueCount && TopLevelComma(formula) >= 0;
    if (!tooFewValues && !tooManyValues)
        return true;
    std::string names;
    for (const tTarget& target : targets)
        names += (names.empty() ? "" : ", ") + std::string(target.Name);
    statements.Fail(1,
        "Die Formel liefert " + CountText(valueCount, "Wert", "Werte") + " f\xFCr "
            + CountText(targets.size(), "Ziel", "Ziele") + " (" + names + ")"
            + (tooManyValues ? DecimalCommaHint(formula) : std::string()));
    return false;
}

// Reads the targets of the assignment, evaluating their index brackets; false when the statement
// failed.
bool ReadTargets(tComputeServices& services, tStmtList& statements, tAssignmentPlan& plan,
    std::vector<tTarget>& targets)
{
    targets.reserve(plan.TargetSteps.size());
    for (tTargetStep& step : plan.TargetSteps) {
        switch (step.Kind) {
        case tTargetStep::tKind::TooManyTargets:
            statements.Fail(1,
                "Zu viele Ziele der Zuweisung (h\xF6"
                "chstens 15)");
            return false;
        case tTargetStep::tKind::Target:
            targets.push_back({ step.Name, {}, {}, false, false, &step.Slot });
            continue;
        case tTargetStep::tKind::Index:
            break;
        }
        const tResult<tVariableArray> evaluated = services.Evaluate(step.Index, step.IndexPlan);
        if (!evaluated) {
            statements.Fail(evaluated.Error().Code, evaluated.Error().Message);
            return false;
        }
        const tVariableArray& indices = *evaluated;
        if (!targets.empty() && indices.size() >= 2) {
            targets.back().RowsGiven = true;
            targets.back().RowRanges = services.VarToIntRangeList(indices[1]);
        }
        if (!targets.empty() && indices.size() >= 3) {
            targets.back().ColsGiven = true;
            targets.back().ColRanges = services.VarToIntRangeList(indices[2]);
        }
    }
    return true;
}

} // namespace

void PlanAssignment(const tAnsiTokens& tokens, tAssignmentPlan& plan)
{
    plan = tAssignmentPlan();
    plan.Ready = true;
    const int count = static_cast<int>(tokens.size());
    int equals = count;
    for (int i = 1; i < count; ++i) {
        if (IsSignToken(tokens[static_cast<std::size_t>(i)], '=')) {
            equals = i;
            break;
        }
    }
    if (equals < count)
        plan.Formula.assign(tokens.begin() + equals + 1, tokens.end());
    std::size_t targets = 0;
    for (int i = 0; i < equals; ++i) {
        const t_ansitoken& token = tokens[static_cast<std::size_t>(i)];
        if (token.Kind == tkName || token.Kind == tkString) {
            tTargetStep step;
            if (targets == MaxAssignmentTargets) {
                step.Kind = tTargetStep::tKind::TooManyTargets;
                plan.TargetSteps.push_back(std::move(step));
                return;
            }
            ++targets;
            step.Name = token.Text.substr(0, MaxVariableNameLength);
            plan.TargetSteps.push_back(std::move(step));
            continue;
        }
        if (!IsSignToken(token, '['))
            continue;
        const int close = MatchingBracket(tokens, i, equals);
        if (close < 0)
            break;
        tTargetStep step;
        step.Kind = tTargetStep::tKind::Index;
        step.Index.assign(tokens.begin() + i + 1, tokens.begin() + close);
        AppendEndTokens(step.Index, 3);
        plan.TargetSteps.push_back(std::move(step));
        i = close;
    }
}

bool ComputeAssignment(tComputeServices& services, tStmtList& statements, const tAnsiTokens& tokens)
{
    tAssignmentPlan plan;
    return ComputeAssignment(services, statements, tokens, plan);
}

bool ComputeAssignment(tComputeServices& services, tStmtList& statements, const tAnsiTokens& tokens,
    tAssignmentPlan& plan)
{
    statements.Reported.reset(); // a failure is reported once, where it ends the statement
    if (!plan.Ready)
        PlanAssignment(tokens, plan);

    // One plain target, the common case, needs no list of targets.
    tTarget single;
    std::vector<tTarget> several;
    std::span<tTarget> targets;
    const tAnsiTokens& formula = plan.Formula;
    if (plan.TargetSteps.size() == 1
        && plan.TargetSteps.front().Kind == tTargetStep::tKind::Target) {
        single.Name = plan.TargetSteps.front().Name;
        single.Slot = &plan.TargetSteps.front().Slot;
        // A formula of one operator between two plain operands (x = x + 1) gives its one value
        // straight to the target.
        tShortWay way;
        tVariable value = services.EvaluateBinaryValue(formula, plan.FormulaPlan, way);
        if (way.Taken) {
            if (way.Failure) {
                statements.Fail(way.Failure->Code, way.Failure->Message);
                return false;
            }
            return StoreResult(services, statements, single, std::move(value))
                && !statements.Reported;
        }
        targets = std::span(&single, 1);
    } else {
        if (!ReadTargets(services, statements, plan, several))
            return false;
        targets = several;
    }

    tResult<tVariableArray> evaluation = services.Evaluate(formula, plan.FormulaPlan);
    if (!evaluation) {
        statements.Fail(evaluation.Error().Code, evaluation.Error().Message);
        return false;
    }
    tVariableArray results = std::move(evaluation).Value();

    const std::size_t valueCount = results.empty() ? 0 : results.size() - 1;
    if (!TargetsMatchValues(statements, targets, valueCount, formula))
        return false;
    const std::size_t stored = std::min(targets.size(), valueCount);
    for (std::size_t i = 0; i < stored; ++i) {
        if (!StoreResult(services, statements, targets[i], std::move(results[i + 1])))
            return false;
    }
    plan.FormulaPlan.KeepSpareValues(std::move(results));
    return !statements.Reported;
}

} // namespace zelvora
