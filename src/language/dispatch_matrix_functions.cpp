// Functions of one matrix: the shape gate and the structural functions.
#include "language/builtin_dispatch.h"
#include "language/dispatch_gates.h"
#include "numerics/matrix_structure.h"
#include "variables/variable.h"

namespace zelvora {
namespace {

using O = tOpcode;

tCallOutcome DiagCopyCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs&, const tVariable& m) {
        if (m.datatype == dtString)
            return call::StringMatrix(DiagonalCopy(m.strmatrix));
        return call::RealMatrix(DiagonalCopy(m.matrix));
    });
}

tCallOutcome DiagCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable& m) {
        if (a.Count() == 1)
            return call::RealMatrix(DiagonalVector(a.Matrix(1), 0));
        if (a.Count() == 2)
            return call::RealMatrix(DiagonalVector(a.Matrix(1), a.Integer(2)));
        (void)m;
        return call::Empty();
    });
}

tCallOutcome TranspCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs&, const tVariable& m) {
        if (m.datatype == dtString)
            return call::StringMatrix(Transpose(m.strmatrix));
        return call::RealMatrix(Transpose(m.matrix));
    });
}

tCallOutcome MirrorCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs&, const tVariable& m) {
        if (m.datatype == dtString)
            return call::StringMatrix(Mirror(m.strmatrix, 1));
        return call::RealMatrix(Mirror(m.matrix, 1));
    });
}

// A copy as an array: later operators work element by element.
tCallOutcome ArrayCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs&, const tVariable& m) {
        if (m.datatype == dtBoolean)
            return call::Slot();
        tVariable copy;
        if (m.datatype == dtString)
            VarSetStrMatrix(copy, m.strmatrix, tgLogical);
        else
            VarSetMatrix(copy, m.matrix, tgLogical);
        return call::Value(std::move(copy));
    });
}

tCallOutcome EmptyCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs&, const tVariable&) { return call::Empty(); });
}

// clang-format off
    constexpr tDispatchRow Rows[] = {
        { O::Reserved115, EmptyCall },
        { O::DiagCopy, DiagCopyCall },
        { O::Diag, DiagCall },
        { O::Transp, TranspCall },
        { O::Spiegeln, MirrorCall },
        { O::Ar, ArrayCall },
        { O::Reserved231, EmptyCall },
    };
// clang-format on

} // namespace

std::span<const tDispatchRow> MatrixFunctionRows()
{
    return Rows;
}

} // namespace zelvora
