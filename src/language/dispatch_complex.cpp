// Complex pairs (R2_) and cube-root triples (R3_) in formulas: argument 1 a numeric matrix, the
// second operand a matrix or, for the products, a number.
#include "language/builtin_dispatch.h"
#include "language/dispatch_gates.h"
#include "numerics/complex_pairs.h"
#include "numerics/matrix_arith.h"
#include "numerics/scalar_math.h"

namespace zelvora {
namespace {

using O = tOpcode;

// A routine of the first matrix behind the gate of the functions of one matrix; a string matrix
// has no numbers and gives empty, as does a missing second operand where one is needed.
template <typename tRoutine>
tCallOutcome Numeric(const tCallArgs& args, tRoutine routine, bool needsSecond = false)
{
    return Gated(args, [&](const tCallArgs& a, const tVariable& first) {
        if (first.datatype == dtString || (needsSecond && a.Count() < 2))
            return call::Empty();
        return call::RealMatrix(routine(a));
    });
}

// R2_Add, R2_Sub, R3_Add, R3_Sub: element by element with the matrix of argument 2.
template <tElementwiseOp op> tCallOutcome SumCall(const tCallArgs& args)
{
    return Numeric(
        args, [](const tCallArgs& a) { return ElementwiseArith(a.Matrix(1), a.Matrix(2), op); },
        true);
}

// R2_Mul and R2_Div: a matrix W pair by pair; any other argument 2 as a real factor.
template <bool divide> tCallOutcome PairProductCall(const tCallArgs& args)
{
    return Numeric(
        args,
        [](const tCallArgs& a) {
            const trealmatrix m = a.Matrix(1);
            if (a.IsMatrix(2))
                return divide ? PairDivide(m, a.Matrix(2)) : PairMultiply(m, a.Matrix(2));
            const long double x = a.Real(2);
            return divide ? PairScale(m, x == 0 ? 0 : SafeDiv(1, x, 0)) : PairScale(m, x);
        },
        true);
}

// R2_Inv and R2_Exp also take a number x: [1/x, 0] ([0, 0] for x = 0) and [e^x, 0].
tCallOutcome PairInverseCall(const tCallArgs& args)
{
    return Numeric(args, [](const tCallArgs& a) {
        if (!a.IsScalar(1))
            return PairReciprocal(a.Matrix(1));
        trealmatrix row(1, 2);
        const long double x = a.Real(1);
        row(1, 1) = x == 0 ? 0 : 1 / x;
        return row;
    });
}

tCallOutcome PairExpCall(const tCallArgs& args)
{
    return Numeric(args, [](const tCallArgs& a) {
        if (!a.IsScalar(1))
            return PairExp(a.Matrix(1));
        trealmatrix pair(1, 2);
        pair(1, 1) = a.Real(1);
        return PairExp(pair);
    });
}

template <auto routine> tCallOutcome ConvertCall(const tCallArgs& args)
{
    return Numeric(args, [](const tCallArgs& a) { return routine(a.Matrix(1)); });
}

tResult<trealmatrix> NormalisedTriples(const trealmatrix& m)
{
    const tResult<trealmatrix> pairs = TriplesToPairs(m);
    if (!pairs)
        return pairs;
    return PairsToTriples(*pairs);
}

template <auto routine> tCallOutcome TripleProductCall(const tCallArgs& args)
{
    return Numeric(
        args, [](const tCallArgs& a) { return routine(a.Matrix(1), a.Matrix(2)); }, true);
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::R2_Add,  SumCall<tElementwiseOp::Add> },
    { O::R2_Sub,  SumCall<tElementwiseOp::Subtract> },
    { O::R2_Inv,  PairInverseCall },
    { O::R2_Mul,  PairProductCall<false> },
    { O::R2_Div,  PairProductCall<true> },
    { O::R2_Exp,  PairExpCall },
    { O::R2_ToR3, ConvertCall<PairsToTriples> },
    { O::R3_Add,  SumCall<tElementwiseOp::Add> },
    { O::R3_Sub,  SumCall<tElementwiseOp::Subtract> },
    { O::R3_Mul,  TripleProductCall<TripleMultiply> },
    { O::R3_Div,  TripleProductCall<TripleDivide> },
    { O::R3_ToR2, ConvertCall<TriplesToPairs> },
    { O::R3_Norm, ConvertCall<NormalisedTriples> },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> ComplexRows()
{
    return Rows;
}

} // namespace zelvora
