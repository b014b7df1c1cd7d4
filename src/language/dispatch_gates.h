// The argument gates shared by the routines of a group: which shapes a routine computes on, and
// what other shapes give.
#pragma once

#include "language/builtin_dispatch.h"

namespace zelvora {

// Functions of one matrix: argument 1 a matrix (numeric or string) runs the routine; a scalar gives
// empty, except for the two complex functions that take a number (R2_Inv, R2_Exp), which
// get the scalar; any other shape gives the slot.
template <typename tRoutine> tCallOutcome Gated(const tCallArgs& args, tRoutine routine)
{
    const tVariable& first = args.Arg(1);
    if (first.shape == shMatrix)
        return routine(args, first);
    if (first.shape == shScalar) {
        const bool number = first.datatype == dtInteger || first.datatype == dtReal;
        if (number && (args.Opcode() == tOpcode::R2_Inv || args.Opcode() == tOpcode::R2_Exp))
            return routine(args, first);
        return call::Empty();
    }
    return call::Slot();
}

enum class tMissing { Refused, Counted };

// True when every element of m is a finite number (and, when refused, not the missing-value
// marker of empty cells); otherwise the call fails with a message naming the function and the
// first such element of argument `argument`, because a routine would silently use it as a number.
bool DataUsable(const tCallArgs& args, const trealmatrix& m, int32_t argument = 1,
    tMissing missing = tMissing::Refused);

} // namespace zelvora
