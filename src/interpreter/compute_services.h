// What the compute handler needs of the formula machine, the variable store and the settings.
#pragma once

#include "language/formula_plan.h"
#include "lexicon/scanner.h"
#include "numerics/matrix_types.h"
#include "numerics/result.h"
#include "variables/variable.h"

#include <cstdint>
#include <string>

namespace zelvora {

// Type of a system variable: 0 none, 1 integer, 2 string, 3 boolean.
enum class tSysVarType : std::uint8_t { None = 0, Integer = 1, String = 2, Boolean = 3 };

class tComputeServices {
public:
    virtual ~tComputeServices() = default;

    // Formula machine: element 0 empty and the formula's values as 1..n, or its failure.
    virtual tResult<tVariableArray> Evaluate(const tAnsiTokens& tokens) = 0;
    // The same, keeping what the tokens resolve to in plan for the next run of the formula.
    virtual tResult<tVariableArray> Evaluate(const tAnsiTokens& tokens, tFormulaPlan& plan)
    {
        (void)plan;
        return Evaluate(tokens);
    }

    // The value of a formula that the plan found to be one binary operator between two plain
    // operands, unnamed; the way says whether it was taken so (else Evaluate reads the formula).
    virtual tVariable EvaluateBinaryValue(
        const tAnsiTokens& tokens, tFormulaPlan& plan, tShortWay& way)
    {
        (void)tokens;
        (void)plan;
        way = tShortWay {};
        return {};
    }

    // Variable store: the variable of that name as stored now, or null; valid until the next
    // change of the store.
    virtual const tVariable* FindVariable(std::string_view name) const = 0;
    // The same, answered from where the name was found before while the store's layout is
    // unchanged.
    virtual const tVariable* FindRemembered(std::string_view name, tStoreSlotMemo& memo) const
    {
        (void)memo;
        return FindVariable(name);
    }
    // Adds a new variable or replaces the one of the same name; an empty record adds nothing.
    virtual void Store(tVariable&& record) = 0;
    // The same for a record whose name FindVariable gave found for, with no change of the store
    // since, so that the name need not be looked up again.
    virtual void StoreFound(const tVariable& found, tVariable&& record)
    {
        (void)found;
        Store(std::move(record));
    }

    // Conversions and the merge of a value into part of a matrix.
    virtual tVariable VarAssignPart(const tVariable& variable, const tVariable& value,
        const tIntvector& rows, const tIntvector& cols)
        = 0;
    virtual tintrangelist VarToIntRangeList(const tVariable& value) = 0;
    virtual std::int32_t VarAsInteger(const tVariable& value) = 0;
    virtual bool VarAsBoolean(const tVariable& value) = 0;
    virtual std::string VarAsString(const tVariable& value) = 0;
    virtual std::int32_t VarRows(const tVariable& variable) = 0;
    virtual std::int32_t VarCols(const tVariable& variable) = 0;

    // System variables and the options an assignment may set.
    virtual tSysVarType SystemVariableType(std::string_view name) = 0;
    virtual bool IsSystemVariable(std::string_view name) = 0;
    virtual void SetSystemVariable(std::string_view name, const tVariable& value) = 0;
    virtual bool IsOptionName(std::string_view name) = 0;
    virtual void SetDirectorySetting(std::string_view name, const std::string& value) = 0;
    virtual void SetRandomStart(std::int32_t value) = 0;
    virtual void SetFirstTimeUsed(bool value) = 0;
};

} // namespace zelvora
