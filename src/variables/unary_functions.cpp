// The standard functions of one value, partial exponential sums and the angle of a point.
#include "variables/unary_functions.h"

#include "numerics/gamma.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_functions.h"
#include "numerics/matrix_product.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"
#include "variables/operator_results.h"

#include <cmath>

namespace zelvora {
namespace {
using namespace operators;

// What a boolean scalar gives.
enum class tBooleanRule { Same, Not, False, Empty, RealZero };

struct tFunctionRow {
    tUnaryFunction function;
    long double (*scalar)(long double);
    tBooleanRule booleanRule;
    tElementFunction element;
    tResult<trealmatrix> (*whole)(const trealmatrix&);
};

template <tMatrixSeries kind> tResult<trealmatrix> Series(const trealmatrix& m)
{
    return MatrixSeries(kind, m);
}

tResult<trealmatrix> MatrixSquare(const trealmatrix& m)
{
    return MatMul(m, m);
}

tResult<trealmatrix> MatrixArcTanOfOne(const trealmatrix& m)
{
    return MatrixArcTan(m, IdentityMatrix(m.Rows()));
}

// clang-format off
constexpr tFunctionRow functionRows[] = {
    { tUnaryFunction::Ln,      [](long double x) { return std::log(std::fabs(x)); },   tBooleanRule::RealZero, tElementFunction::Ln,      MatrixLog },
    { tUnaryFunction::Exp,     [](long double x) { return std::exp(x); },              tBooleanRule::Empty,    tElementFunction::Exp,     Series<tMatrixSeries::Exp> },
    { tUnaryFunction::Square,  [](long double x) { return x * x; },                    tBooleanRule::Same,     tElementFunction::Square,  MatrixSquare },
    { tUnaryFunction::Sqrt,    [](long double x) { return std::sqrt(x > 0 ? x : 0); }, tBooleanRule::Same,     tElementFunction::Sqrt,    MatrixSqrt },
    { tUnaryFunction::Sin,     [](long double x) { return std::sin(x); },              tBooleanRule::Same,     tElementFunction::Sin,     Series<tMatrixSeries::Sin> },
    { tUnaryFunction::Cos,     [](long double x) { return std::cos(x); },              tBooleanRule::Not,      tElementFunction::Cos,     Series<tMatrixSeries::Cos> },
    { tUnaryFunction::Tan,     [](long double x) { return std::tan(x); },              tBooleanRule::False,    tElementFunction::Tan,     Series<tMatrixSeries::Tan> },
    { tUnaryFunction::ArcSin,  [](long double x) { return std::asin(x); },             tBooleanRule::Same,     tElementFunction::ArcSin,  MatrixArcSin },
    { tUnaryFunction::ArcCos,  [](long double x) { return std::acos(x); },             tBooleanRule::Not,      tElementFunction::ArcCos,  MatrixArcCos },
    { tUnaryFunction::ArcTan,  [](long double x) { return std::atan(x); },             tBooleanRule::False,    tElementFunction::ArcTan,  MatrixArcTanOfOne },
    { tUnaryFunction::Sinh,    [](long double x) { return std::sinh(x); },             tBooleanRule::Same,     tElementFunction::Sinh,    Series<tMatrixSeries::Sinh> },
    { tUnaryFunction::Cosh,    [](long double x) { return std::cosh(x); },             tBooleanRule::Not,      tElementFunction::Cosh,    Series<tMatrixSeries::Cosh> },
    { tUnaryFunction::Tanh,    [](long double x) { return std::tanh(x); },             tBooleanRule::Not,      tElementFunction::Tanh,    Series<tMatrixSeries::Tanh> },
    { tUnaryFunction::ArcSinh, [](long double x) { return std::asinh(x); },            tBooleanRule::Same,     tElementFunction::ArcSinh, MatrixArcSinh },
    { tUnaryFunction::ArcCosh, [](long double x) { return std::acosh(x); },            tBooleanRule::Not,      tElementFunction::ArcCosh, MatrixArcCosh },
    { tUnaryFunction::ArcTanh, [](long double x) { return std::atanh(x); },            tBooleanRule::Not,      tElementFunction::ArcTanh, MatrixArcTanh },
};
// clang-format on

const tFunctionRow& RowOf(tUnaryFunction function)
{
    for (const tFunctionRow& row : functionRows) {
        if (row.function == function)
            return row;
    }
    return functionRows[0];
}

// The scalar function with a math error (or a result that is no number) raised as its run-time
// error.
long double Checked(long double (*f)(long double), long double x)
{
    const tMathErrorWatch watch;
    const long double result = f(x);
    watch.RaiseIfFaulted();
    if (!std::isfinite(result))
        RaiseMathFault(std::isnan(result) ? tMathFault::Invalid : tMathFault::Overflow);
    return result;
}

tVariable BooleanCase(bool b, tBooleanRule rule)
{
    switch (rule) {
    case tBooleanRule::Same:
        return BooleanResult(b);
    case tBooleanRule::Not:
        return BooleanResult(!b);
    case tBooleanRule::False:
        return BooleanResult(false);
    case tBooleanRule::RealZero:
        return RealResult(0);
    default:
        return {};
    }
}

bool IsNumeric(std::uint8_t datatype)
{
    return datatype == dtInteger || datatype == dtReal || datatype == dtBoolean;
}

bool IsPlainSquare(const tVariable& v)
{
    return v.shape == shMatrix && v.tag == tgPlain && v.matrix.Rows() == v.matrix.Cols();
}

tVariable ScalarCase(const tVariable& v, const tFunctionRow& row)
{
    switch (v.datatype) {
    case dtInteger:
        if (row.function == tUnaryFunction::Square)
            return WideIntegerResult(static_cast<std::int64_t>(v.intvalue) * v.intvalue);
        return RealResult(Checked(row.scalar, v.intvalue));
    case dtReal:
        return RealResult(Checked(row.scalar, v.realvalue));
    case dtBoolean:
        return BooleanCase(v.boolvalue != 0, row.booleanRule);
    case dtString:
        return row.function == tUnaryFunction::Ln ? RealResult(0) : tVariable {};
    default:
        return {};
    }
}

} // namespace

tResult<tVariable> VarUnaryFunction(const tVariable& v, tUnaryFunction function)
{
    const tFunctionRow& row = RowOf(function);
    if (v.shape == shScalar)
        return ScalarCase(v, row);
    if (!IsNumeric(v.datatype))
        return tVariable {};
    const bool keepsShape = function == tUnaryFunction::Ln || function == tUnaryFunction::Exp;
    if (v.shape == shRange || v.shape == shVector) {
        if (function != tUnaryFunction::Exp)
            return tVariable {};
        tResult<trealmatrix> exp = ElementwiseFunction(v.matrix, row.element);
        if (!exp)
            return exp.Error();
        return SameShapeResult(v, std::move(exp).Value(), dtReal);
    }
    if (v.shape != shMatrix)
        return tVariable {};
    tResult<trealmatrix> elements
        = IsPlainSquare(v) ? row.whole(v.matrix) : ElementwiseFunction(v.matrix, row.element);
    if (!elements)
        return elements.Error();
    trealmatrix result = std::move(elements).Value();
    if (keepsShape)
        return SameShapeResult(v, std::move(result), dtReal);
    return RealMatrixResult(std::move(result), tgPlain);
}

namespace {

constexpr std::int32_t maxPartialSums = 65535;

long double PartialSum(long double x, std::int32_t count, std::int32_t index)
{
    return PartialExp(x, count)[static_cast<std::size_t>(index)];
}

} // namespace

tResult<tVariable> VarPartialExp(const tVariable& v, std::int32_t count, std::int32_t index)
{
    if (count < 2)
        return VarUnaryFunction(v, tUnaryFunction::Exp);
    if (index < 1)
        index = 1;
    if (index > count || count > maxPartialSums)
        throw tRangeError();
    if (v.shape == shScalar) {
        if (v.datatype != dtInteger && v.datatype != dtReal)
            return tVariable {};
        return RealResult(PartialSum(VarAsReal(v), count, index));
    }
    if (v.shape != shMatrix || !IsNumeric(v.datatype))
        return tVariable {};
    trealmatrix result(v.matrix.Rows(), v.matrix.Cols());
    for (std::int32_t r = 1; r <= result.Rows(); ++r)
        for (std::int32_t c = 1; c <= result.Cols(); ++c)
            result(r, c) = PartialSum(v.matrix(r, c), count, index);
    return RealMatrixResult(std::move(result), tgPlain);
}

tResult<tVariable> VarAngle(const tVariable& c, const tVariable& s)
{
    if (c.shape == shScalar) {
        if (c.datatype == dtBoolean)
            return BooleanResult(false);
        if ((c.datatype != dtInteger && c.datatype != dtReal) || s.shape != shScalar
            || !IsNumeric(s.datatype))
            return tVariable {};
        return RealResult(std::atan2(VarAsReal(s), VarAsReal(c)));
    }
    if (c.shape == shMatrix && s.shape == shMatrix && IsNumeric(c.datatype)
        && IsNumeric(s.datatype)) {
        tResult<trealmatrix> angles = AngleOfPair(c.matrix, s.matrix);
        if (!angles)
            return angles.Error();
        return RealMatrixResult(std::move(angles).Value(), tgPlain);
    }
    return tVariable {};
}

} // namespace zelvora
