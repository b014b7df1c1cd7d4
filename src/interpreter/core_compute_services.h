// The compute handler's services on the real store and evaluation machine.
#pragma once

#include "interpreter/compute_services.h"
#include "interpreter/system_variables.h"
#include "language/eval_machine.h"
#include "variables/display_list.h"

#include <functional>
#include <memory>

namespace zelvora {

// Formulas read variables straight from the store; system variables come from a lookup that the
// settings provide (none without one).
class tStoreEnvironment : public tEvalEnvironment {
public:
    using tSystemVariableLookup = std::function<std::optional<tVariable>(std::string_view)>;

    // The store is followed through its owner: LOAD replaces it.
    explicit tStoreEnvironment(tVisibleVarsList& store, tSystemVariableLookup systemVariables = {})
        : m_store(store)
        , m_systemVariables(std::move(systemVariables))
    {
    }
    const tVariable* FindVariable(std::string_view name) override;
    const tVariable* FindRemembered(std::string_view name, tStoreSlotMemo& memo) override
    {
        return m_store.Find(name, memo);
    }
    std::optional<tVariable> SystemVariableValue(std::string_view name) override;

private:
    tVisibleVarsList& m_store;
    tSystemVariableLookup m_systemVariables;
};

class tCoreComputeServices : public tComputeServices {
public:
    tCoreComputeServices(tVisibleVarsList& store, tEvalMachine& machine, tSystemVariables& sysvars)
        : m_store(store)
        , m_machine(machine)
        , m_sysvars(sysvars)
    {
    }

    tResult<tVariableArray> Evaluate(const tAnsiTokens& tokens) override
    {
        return m_machine.Evaluate(tokens);
    }
    tResult<tVariableArray> Evaluate(const tAnsiTokens& tokens, tFormulaPlan& plan) override
    {
        return m_machine.Evaluate(tokens, &plan);
    }

    tVariable EvaluateBinaryValue(
        const tAnsiTokens& tokens, tFormulaPlan& plan, tShortWay& way) override
    {
        return m_machine.EvaluateBinaryValue(tokens, plan, way);
    }

    const tVariable* FindVariable(std::string_view name) const override
    {
        return m_store.Find(name);
    }
    const tVariable* FindRemembered(std::string_view name, tStoreSlotMemo& memo) const override
    {
        return m_store.Find(name, memo);
    }
    void Store(tVariable&& record) override { m_store.Store(std::move(record)); }
    void StoreFound(const tVariable& found, tVariable&& record) override
    {
        m_store.StoreFound(&found, std::move(record));
    }

    tVariable VarAssignPart(const tVariable& variable, const tVariable& value,
        const tIntvector& rows, const tIntvector& cols) override;
    tintrangelist VarToIntRangeList(const tVariable& value) override;
    std::int32_t VarAsInteger(const tVariable& value) override;
    bool VarAsBoolean(const tVariable& value) override;
    std::string VarAsString(const tVariable& value) override;
    std::int32_t VarRows(const tVariable& variable) override;
    std::int32_t VarCols(const tVariable& variable) override;

    // System variables and the options an assignment may set.
    tSysVarType SystemVariableType(std::string_view name) override
    {
        return m_sysvars.SystemVariableType(name);
    }
    bool IsSystemVariable(std::string_view name) override
    {
        return m_sysvars.IsSystemVariable(name);
    }
    void SetSystemVariable(std::string_view name, const tVariable& value) override
    {
        m_sysvars.SetSystemVariable(name, value);
    }
    bool IsOptionName(std::string_view name) override { return m_sysvars.IsOptionName(name); }
    void SetDirectorySetting(std::string_view name, const std::string& value) override
    {
        m_sysvars.SetDirectorySetting(name, value);
    }
    void SetRandomStart(std::int32_t value) override { m_sysvars.SetRandomStart(value); }
    void SetFirstTimeUsed(bool value) override { m_sysvars.SetFirstTimeUsed(value); }

private:
    tVisibleVarsList& m_store;
    tEvalMachine& m_machine;
    tSystemVariables& m_sysvars;
};

} // namespace zelvora
