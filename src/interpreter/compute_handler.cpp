// Assignments: target names and index brackets, the formula, and storing each result.
#include "interpreter/compute_handler.h"

#include "interpreter/options.h"
#include "numerics/matrix_convert.h"
#include "numerics/run_time_error.h"

#include <array>
#include <optional>
#include <vector>

namespace zelvora {
namespace {

struct tTarget {
    std::string Name;
    tintrangelist RowRanges;
    tintrangelist ColRanges;
    bool RowsGiven = false;
    bool ColsGiven = false;
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
// run, so that a failed statement leaves its target as it was.
void StoreKeepingTargetOnError(tComputeServices& services, const tVariable& record)
{
    if (record.datatype != dtInteger || record.shape == shScalar) {
        services.Store(record);
        return;
    }
    std::optional<tVariable> previous;
    if (services.FindShown(record.name))
        previous = services.CurrentVariable();
    try {
        services.Store(record);
    } catch (const tRunTimeError&) {
        tVariable restored = previous.value_or(tVariable {});
        restored.name = record.name;
        services.Store(restored);
        throw;
    }
}

// Stores result under its target; false (with Code 1) when the name cannot take a value.
bool StoreResult(
    tComputeServices& services, tStmtList& statements, const tTarget& target, tVariable result)
{
    result.name = target.Name;
    if (services.FindShown(target.Name)) {
        const tVariable& variable = services.CurrentVariable();
        tIntvector rows;
        tIntvector cols;
        switch (variable.shape) {
        case shScalar:
            StoreKeepingTargetOnError(services, result);
            return true;
        case shMatrix:
        case shRange:
            if (!HasRange(target.RowRanges)) {
                StoreKeepingTargetOnError(services, result);
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
                StoreKeepingTargetOnError(services, result);
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
        StoreKeepingTargetOnError(services, merged);
        return true;
    }
    if (services.IsSystemVariable(target.Name)) {
        if (services.SystemVariableType(target.Name) == tSysVarType::None) {
            statements.Fail(
                1, "Die Systemvariable " + target.Name + " kann nicht zugewiesen werden");
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
        statements.Fail(1, "Die Einstellung " + target.Name + " kann nicht zugewiesen werden");
        return false;
    }
    StoreKeepingTargetOnError(services, result);
    return true;
}

} // namespace

bool ComputeAssignment(tComputeServices& services, tStmtList& statements, const tAnsiTokens& tokens)
{
    statements.Code = 0; // a failure writes its code and message once, where it ends the statement
    statements.Message.clear();
    const int count = static_cast<int>(tokens.size());
    int equals = count;
    for (int i = 1; i < count; ++i) {
        if (IsSignToken(tokens[static_cast<std::size_t>(i)], '=')) {
            equals = i;
            break;
        }
    }

    std::vector<tTarget> targets;
    for (int i = 0; i < equals; ++i) {
        const t_ansitoken& token = tokens[static_cast<std::size_t>(i)];
        if (token.Kind == tkName || token.Kind == tkString) {
            if (targets.size() == MaxAssignmentTargets) {
                statements.Fail(1,
                    "Zu viele Ziele der Zuweisung (h\xF6"
                    "chstens 15)");
                return false;
            }
            targets.push_back(
                { token.Text.substr(0, MaxVariableNameLength), {}, {}, false, false });
            continue;
        }
        if (!IsSignToken(token, '['))
            continue;
        const int close = MatchingBracket(tokens, i, equals);
        if (close < 0)
            break;
        tAnsiTokens index(tokens.begin() + i + 1, tokens.begin() + close);
        AppendEndTokens(index, 3);
        const tResult<tVariableArray> evaluated = services.Evaluate(index);
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
        i = close;
    }

    tAnsiTokens formula;
    if (equals < count)
        formula.assign(tokens.begin() + equals + 1, tokens.end());
    tResult<tVariableArray> evaluation = services.Evaluate(formula);
    if (!evaluation) {
        statements.Fail(evaluation.Error().Code, evaluation.Error().Message);
        return false;
    }
    tVariableArray results = std::move(evaluation).Value();

    const std::size_t stored = std::min(targets.size(), results.empty() ? 0 : results.size() - 1);
    for (std::size_t i = 0; i < stored; ++i) {
        if (!StoreResult(services, statements, targets[i], std::move(results[i + 1])))
            return false;
    }
    return statements.Code == 0;
}

} // namespace zelvora
