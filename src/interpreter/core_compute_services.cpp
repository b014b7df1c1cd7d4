// The compute handler's services on the real store and evaluation machine.
#include "interpreter/core_compute_services.h"

#include "variables/element_access.h"
#include "variables/variable_convert.h"

namespace zelvora {

const tVariable* tStoreEnvironment::FindVariable(std::string_view name)
{
    return m_store.Find(name);
}

std::optional<tVariable> tStoreEnvironment::SystemVariableValue(std::string_view name)
{
    return m_systemVariables ? m_systemVariables(name) : std::nullopt;
}

tVariable tCoreComputeServices::VarAssignPart(const tVariable& variable, const tVariable& value,
    const tIntvector& rows, const tIntvector& cols)
{
    return zelvora::VarAssignPart(variable, value, rows, cols);
}

tintrangelist tCoreComputeServices::VarToIntRangeList(const tVariable& value)
{
    return zelvora::VarToIntRangeList(value);
}

std::int32_t tCoreComputeServices::VarAsInteger(const tVariable& value)
{
    return zelvora::VarAsInteger(value);
}
bool tCoreComputeServices::VarAsBoolean(const tVariable& value)
{
    return zelvora::VarAsBoolean(value);
}
std::string tCoreComputeServices::VarAsString(const tVariable& value)
{
    return zelvora::VarAsString(value);
}
std::int32_t tCoreComputeServices::VarRows(const tVariable& variable)
{
    return zelvora::VarRows(variable);
}
std::int32_t tCoreComputeServices::VarCols(const tVariable& variable)
{
    return zelvora::VarCols(variable);
}

} // namespace zelvora
