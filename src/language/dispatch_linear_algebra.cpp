// Linear algebra in formulas: inverses, Cholesky factors, determinant and trace, Gauss elimination
// steps and eigen systems.
#include "language/builtin_dispatch.h"
#include "language/dispatch_gates.h"
#include "numerics/cholesky.h"
#include "numerics/determinant.h"
#include "numerics/eigen_system.h"
#include "numerics/gauss_jordan.h"
#include "numerics/plane_rotations.h"
#include "numerics/rank_inverse.h"
#include "variables/variable.h"
#include "variables/variable_convert.h"

namespace zelvora {
namespace {

using O = tOpcode;

// A routine of one matrix behind the shape gate of the functions of one matrix.
template <auto routine> tCallOutcome OneMatrixCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(routine(a.Matrix(1)));
    });
}

// A real computed from a matrix argument; any other argument gives the slot.
template <long double (*routine)(const trealmatrix&)>
tCallOutcome MatrixRealCall(const tCallArgs& args)
{
    return args.IsMatrix(1) ? call::Real(routine(args.Matrix(1))) : call::Slot();
}

// GaussElim (mode 1) and GaussElim1 (mode 0): M, {pivot row, pivot column}, rows[, columns].
template <std::int32_t mode> tCallOutcome GaussElimCall(const tCallArgs& args)
{
    const std::int32_t n = args.Count();
    if (n == 0)
        return call::Empty();
    if (n >= 5)
        return call::Value(args.Arg(1));
    const trealmatrix m = args.Matrix(1);
    if (n <= 2)
        return call::RealMatrix(m);
    const tintmatrix pivotInts = VarToIntMatrix(args.Arg(2));
    trealmatrix pivot(1, std::min<std::int32_t>(pivotInts.Cols(), 2));
    for (std::int32_t c = 1; c <= pivot.Cols(); ++c)
        pivot(1, c) = pivotInts.At(1, c);
    const tIntvector rows = VarToIndexVector(args.Arg(3), m.Rows());
    const tIntvector cols = n >= 4 ? VarToIndexVector(args.Arg(4), m.Cols()) : AllIndexes(m.Cols());
    return call::RealMatrix(GaussElimStep(m, pivot, rows, cols, mode));
}

// EigenVek: the rotated matrix, or with the eigenvalues given the eigenvectors for them.
tCallOutcome EigenVekCall(const tCallArgs& args)
{
    if (!args.IsMatrix(1))
        return call::Slot();
    if (args.Count() == 1)
        return call::RealMatrix(EigenRotated(args.Matrix(1), args.Checkpoint()));
    if (args.Count() == 2 && args.IsMatrix(2))
        return call::RealMatrix(EigenvectorsForValues(args.Matrix(1), args.Matrix(2)));
    return call::Slot();
}

// Inv stops at the session's check point when asked to.
tCallOutcome InvCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(RankInverse(a.Matrix(1), a.Checkpoint()));
    });
}

// UInv stops at the session's check point when asked to.
tCallOutcome UInvCall(const tCallArgs& args)
{
    return Gated(args, [](const tCallArgs& a, const tVariable&) {
        return call::RealMatrix(GaussJordanInverse(a.Matrix(1), a.Checkpoint()));
    });
}

// EigenSys: the eigenvectors, the rotated matrix and the transformation as three values, or
// with the eigenvalues given the eigenvectors for them.
tCallOutcome EigenSysCall(const tCallArgs& args)
{
    if (!args.IsMatrix(1))
        return call::Slot();
    if (args.Count() == 1) {
        tResult<trealmatrixarr> system = EigenSystem(args.Matrix(1), args.Checkpoint());
        if (!system)
            return call::Fail(system.Error());
        tVariableArray values;
        for (trealmatrix& m : *system)
            values.push_back(call::RealMatrixValue(std::move(m)));
        return call::Values(std::move(values));
    }
    if (args.Count() == 2 && args.IsMatrix(2))
        return call::RealMatrix(EigenvectorsForValues(args.Matrix(1), args.Matrix(2)));
    return call::Slot();
}

// clang-format off
    constexpr tDispatchRow Rows[] = {
        { O::Inv, InvCall },                              // Inv
        { O::UInv, UInvCall },                            // UInv
        { O::Cholesky, OneMatrixCall<CholeskyFactor> },       // Cholesky, GS
        { O::CholUD, OneMatrixCall<CholeskyUD> },           // CholUD, GSUD
        { O::Det, MatrixRealCall<Determinant> },         // Det
        { O::Spur, MatrixRealCall<Trace> },               // Spur, trace
        { O::GaussElim, GaussElimCall<1> },                    // GaussElim
        { O::GaussElim1, GaussElimCall<0> },                    // GaussElim1
        { O::EigenVek, EigenVekCall },                        // EigenVek, EigVec
        { O::EigenSys, EigenSysCall },                        // EigenSys, EigSys
    };
// clang-format on

} // namespace

std::span<const tDispatchRow> LinearAlgebraRows()
{
    return Rows;
}

} // namespace zelvora
