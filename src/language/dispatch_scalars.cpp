// The general, trigonometric and integer functions of one value in formulas: each row picks the
// arguments and defaults of its function and calls the store's operation on them.
#include "language/builtin_dispatch.h"
#include "numerics/gauss_jordan.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "variables/factorial.h"
#include "variables/integer_functions.h"
#include "variables/unary_functions.h"
#include "variables/value_functions.h"

#include <algorithm>
#include <cmath>

namespace zelvora {
namespace {

using O = tOpcode;

template <tVariable (*operation)(const tVariable&)> tCallOutcome OfFirst(const tCallArgs& args)
{
    return call::Value(operation(args.Arg(1)));
}

template <tUnaryFunction function> tCallOutcome UnaryCall(const tCallArgs& args)
{
    return call::Value(VarUnaryFunction(args.Arg(1), function));
}

// The elements a function of one number works on one by one: a number, or the elements of a
// matrix that is not a plain square one (that gets the whole-matrix function instead).
template <typename tTest> bool AnyElement(const tVariable& v, tTest test)
{
    if (v.shape == shScalar)
        return (v.datatype == dtInteger && test(static_cast<long double>(v.intvalue)))
            || (v.datatype == dtReal && test(v.realvalue));
    const bool wholeMatrix
        = v.shape == shMatrix && v.tag == tgPlain && v.matrix.Rows() == v.matrix.Cols();
    if (v.shape != shMatrix || wholeMatrix || (v.datatype != dtInteger && v.datatype != dtReal))
        return false;
    for (std::int32_t r = 1; r <= v.matrix.Rows(); ++r)
        for (std::int32_t c = 1; c <= v.matrix.Cols(); ++c)
            if (test(v.matrix(r, c)))
                return true;
    return false;
}

// ---- Whole-matrix functions that may not converge

bool IsWholeMatrixCase(const tVariable& v)
{
    return v.shape == shMatrix && v.tag == tgPlain && v.matrix.Rows() == v.matrix.Cols()
        && v.matrix.Rows() >= 1 && (v.datatype == dtInteger || v.datatype == dtReal);
}

bool AllFinite(const trealmatrix& m)
{
    for (std::int32_t r = 1; r <= m.Rows(); ++r)
        for (std::int32_t c = 1; c <= m.Cols(); ++c)
            if (!std::isfinite(m(r, c)))
                return false;
    return true;
}

// The failure of a whole-matrix function whose iteration did not reach its result; the element-
// wise form is written with the array mark "#".
std::string DivergenceText(std::string_view function)
{
    return "die Matrix hat Eigenwerte au\xDF"
           "erhalb des Bereichs, in dem "
        + std::string(function) + " einer ganzen Matrix konvergiert; elementweise rechnet "
        + std::string(function) + "(M#)";
}

// Heron's iteration converged when X*X gives A back (relative to A's size).
bool RootConverged(const trealmatrix& a, const trealmatrix& x)
{
    if (!AllFinite(x) || x.Dims() != a.Dims())
        return false;
    const long double residual
        = MatSquareSum(ElementwiseArith(a, MatMul(x, x).Value(), tElementwiseOp::Subtract).Value());
    return residual <= 1e-10L * std::max(1.0L, MatSquareSum(a));
}

// The logarithm's series in Y = (M - I)(M + I)^-1 converges when the powers of Y die out (all
// eigenvalues of M in the right half plane); Y^256 shows whether they do.
bool LogConverges(const trealmatrix& m)
{
    const trealmatrix id = IdentityMatrix(m.Rows());
    const trealmatrix sum = ElementwiseArith(m, id, tElementwiseOp::Add).Value();
    tResult<trealmatrix> quotient
        = SolveRight(ElementwiseArith(m, id, tElementwiseOp::Subtract).Value(), sum);
    if (!quotient) // M + I singular: M has the eigenvalue -1, outside the logarithm's domain
        return false;
    trealmatrix y = std::move(quotient).Value();
    for (int i = 0; i < 8 && AllFinite(y); ++i)
        y = MatMul(y, y).Value();
    return MatSquareSum(y) < 1e-6L;
}

tCallOutcome SqrtCall(const tCallArgs& args)
{
    tCallOutcome outcome = UnaryCall<tUnaryFunction::Sqrt>(args);
    // The square root takes 0 for a negative number, as the language defines.
    if (AnyElement(args.Arg(1), [](long double x) { return x < 0; }))
        outcome.Warning = "Wurzel einer negativen Zahl, 0 genommen";
    if (IsWholeMatrixCase(args.Arg(1)) && outcome.Values.size() == 1
        && !RootConverged(args.Matrix(1), outcome.Values[0].matrix))
        outcome.Refusal = DivergenceText("Wurzel");
    return outcome;
}

tCallOutcome LnCall(const tCallArgs& args)
{
    if (IsWholeMatrixCase(args.Arg(1)) && !LogConverges(args.Matrix(1))) {
        tCallOutcome failed = call::Empty();
        failed.Refusal = DivergenceText("Ln");
        return failed;
    }
    tCallOutcome outcome = UnaryCall<tUnaryFunction::Ln>(args);
    // The logarithm of a negative number takes its magnitude; element by element a number that is
    // not positive gives 0.
    const tVariable& x = args.Arg(1);
    if (x.shape == shScalar && AnyElement(x, [](long double e) { return e < 0; }))
        outcome.Warning = "Logarithmus einer negativen Zahl, ihr Betrag genommen";
    else if (x.shape != shScalar && AnyElement(x, [](long double e) { return e <= 0; }))
        outcome.Warning = "Logarithmus einer Zahl kleiner oder gleich 0, 0 genommen";
    return outcome;
}

tCallOutcome FormatCall(const tCallArgs& args)
{
    if (args.Count() < 2)
        return call::Empty();
    return call::Value(VarFormat(args.Arg(1), args.Text(2)));
}

// PExp(x[, count[, index]]): count 1 and index 0 by default.
tCallOutcome PartialExpCall(const tCallArgs& args)
{
    return call::Value(VarPartialExp(args.Arg(1), args.Integer(2, 1), args.Integer(3, 0)));
}

tCallOutcome AngleCall(const tCallArgs& args)
{
    return call::Value(VarAngle(args.Arg(1), args.Arg(2)));
}

// Gerundet(x[, digits]): digits 0 by default.
tCallOutcome RoundCall(const tCallArgs& args)
{
    return call::Value(VarRound(args.Arg(1), args.Integer(2, 0)));
}

// GGT, GGTZL, GGTSP: one argument on its own, more folded from left to right.
template <tGcdKind kind> tCallOutcome GcdCall(const tCallArgs& args)
{
    if (args.Count() < 2)
        return call::Value(VarGcd(args.Arg(1), kind));
    tVariable result = VarGcdPair(args.Arg(1), args.Arg(2), kind);
    for (std::int32_t i = 3; i <= args.Count(); ++i)
        result = VarGcdPair(result, args.Arg(i), kind);
    return call::Value(std::move(result));
}

template <bool power> tCallOutcome MaxExponentCall(const tCallArgs& args)
{
    if (args.Count() < 2)
        return call::Empty();
    return call::Value(VarMaxExponent(args.Arg(1), args.Integer(2), power));
}

tCallOutcome OrderCall(const tCallArgs& args)
{
    if (args.Count() > 2)
        return call::Empty();
    return call::Value(VarMultiplicativeOrder(args.Arg(1), args.Arg(2)));
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::Format,      FormatCall },
    { O::Num,         OfFirst<VarNumericValue> },
    { O::Abs,         OfFirst<VarAbs> },
    { O::Neg,         OfFirst<VarNegate> },
    { O::Nicht,       OfFirst<VarNegate> },
    { O::Vorz,        OfFirst<VarSign> },
    { O::Ln,          LnCall },
    { O::Quadrat,     UnaryCall<tUnaryFunction::Square> },
    { O::Wurzel,      SqrtCall },
    { O::Exp,         UnaryCall<tUnaryFunction::Exp> },
    { O::PExp,        PartialExpCall },
    { O::Sinh,        UnaryCall<tUnaryFunction::Sinh> },
    { O::Cosh,        UnaryCall<tUnaryFunction::Cosh> },
    { O::Tanh,        UnaryCall<tUnaryFunction::Tanh> },
    { O::Arcsinh,     UnaryCall<tUnaryFunction::ArcSinh> },
    { O::Arccosh,     UnaryCall<tUnaryFunction::ArcCosh> },
    { O::Arctanh,     UnaryCall<tUnaryFunction::ArcTanh> },
    { O::Sin,         UnaryCall<tUnaryFunction::Sin> },
    { O::Cos,         UnaryCall<tUnaryFunction::Cos> },
    { O::Tan,         UnaryCall<tUnaryFunction::Tan> },
    { O::Arcsin,      UnaryCall<tUnaryFunction::ArcSin> },
    { O::Arccos,      UnaryCall<tUnaryFunction::ArcCos> },
    { O::Arctan,      UnaryCall<tUnaryFunction::ArcTan> },
    { O::ArcCS,       AngleCall },
    { O::Dezimalteil, OfFirst<VarFractionalPart> },
    { O::Ganzzahl,    OfFirst<VarIntegerPart> },
    { O::Gerundet,    RoundCall },
    { O::PrimNr,      OfFirst<VarPrimeNo> },
    { O::GGT,         GcdCall<tGcdKind::All> },
    { O::GGTZL,       GcdCall<tGcdKind::Rows> },
    { O::GGTSP,       GcdCall<tGcdKind::Columns> },
    { O::MAXEXP,      MaxExponentCall<false> },
    { O::MAXPOW,      MaxExponentCall<true> },
    { O::F_ord,       OrderCall },
    { O::Fak,         OfFirst<VarFactorial> },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> ScalarFunctionRows()
{
    return Rows;
}

} // namespace zelvora
