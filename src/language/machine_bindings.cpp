// The variable operations behind the machine's opcodes, bound to the store's routines.
#include "language/machine_bindings.h"

#include "variables/element_access.h"
#include "variables/variable_operators.h"

namespace zelvora::machine {

tVariable SignedCopy(const tVariable& value, std::int32_t sign)
{
    tVariable copy;
    VarCopy(copy, value, sign == -1 ? -1 : 1);
    return copy;
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
    const long double exponent = opcode == tOpcode::PowerZero ? 0 : opcode == tOpcode::Squared ? 2 : 3;
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
