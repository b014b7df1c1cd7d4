// The arithmetic operators "+", "-", "*", "/", "mod", "div" and "über" on variable records.
#include "numerics/binomial.h"
#include "numerics/gauss_jordan.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_convert.h"
#include "numerics/matrix_product.h"
#include "numerics/pseudo_inverse.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"
#include "variables/operand_class.h"
#include "variables/operator_results.h"
#include "variables/variable_operators.h"

#include <cmath>
#include <limits>

namespace zelvora {

std::int32_t operators::CheckedInt32(std::int64_t n)
{
    if (n < std::numeric_limits<std::int32_t>::min()
        || n > std::numeric_limits<std::int32_t>::max())
        throw tRangeError();
    return static_cast<std::int32_t>(n);
}

tVariable operators::WideIntegerResult(std::int64_t n)
{
    if (n < std::numeric_limits<std::int32_t>::min()
        || n > std::numeric_limits<std::int32_t>::max())
        return RealResult(static_cast<long double>(n));
    return IntegerResult(static_cast<std::int32_t>(n));
}

tVariable operators::IntMatrixResult(trealmatrix m, std::uint8_t tag)
{
    constexpr long double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr long double highest = std::numeric_limits<std::int32_t>::max();
    tVariable v;
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        for (std::int32_t c = 1; c <= m.Cols(); ++c) {
            if (!(m(r, c) >= lowest && m(r, c) <= highest)) {
                VarSetMatrix(v, std::move(m), tag);
                return v;
            }
        }
    }
    VarSetIntMatrix(v, std::move(m), tag);
    return v;
}

namespace {
using namespace operators;

bool IsRangePair(std::int32_t shapes)
{
    return shapes == spSR || shapes == spRS || shapes == spMR || shapes == spRM || shapes == spRR;
}

// A real operation on two scalars whose math errors raise their run-time error.
template <typename F> long double CheckedReal(F f)
{
    const tMathErrorWatch watch;
    const long double result = f();
    watch.RaiseIfFaulted();
    return result;
}

// The numeric part shared by most operators: a scalar on the left (scalarLeft: element m,
// scalar x), a scalar on the right (scalarRight), or two matrices (both); two matrices whose
// sizes do not combine fail.
tResult<trealmatrix> Combine(const tVariable& l, const tVariable& r, std::int32_t shapes,
    tScalarOp scalarLeft, tScalarOp scalarRight, tElementwiseOp both)
{
    if (shapes == spSM || shapes == spSR)
        return ScalarArith(r.matrix, scalarLeft, VarAsReal(l));
    if (shapes == spMS || shapes == spRS)
        return ScalarArith(l.matrix, scalarRight, VarAsReal(r));
    return ElementwiseArith(l.matrix, r.matrix, both);
}

// A numeric matrix as text: integers rounded into 32 bits, other values in the general format.
tStringmatrix NumberTexts(const tVariable& v)
{
    if (v.datatype == dtInteger)
        return IntToText(RoundToIntMatrix(v.matrix));
    return RealToText(v.matrix);
}

// ---- "+"

tVariable AddScalars(const tVariable& l, const tVariable& r, std::int32_t types)
{
    switch (types) {
    case tpIntInt:
        return WideIntegerResult(std::int64_t { l.intvalue } + r.intvalue);
    case tpIntReal:
    case tpRealInt:
    case tpRealReal:
        return RealResult(CheckedReal([&] { return VarAsReal(l) + VarAsReal(r); }));
    case tpIntString:
    case tpRealString:
        return StringResult(VarAsString(l) + r.strvalue);
    case tpStringInt:
    case tpStringReal:
        return StringResult(l.strvalue + VarAsString(r));
    case tpStringString:
        return StringResult(l.strvalue + r.strvalue);
    default:
        return {};
    }
}

tVariable AddScalarMatrix(const tVariable& l, const tVariable& r, std::int32_t types)
{
    switch (types) {
    case tpIntInt:
        return IntMatrixResult(ScalarArith(r.matrix, tScalarOp::Add, VarAsInteger(l)), r.tag);
    case tpIntReal:
    case tpRealInt:
    case tpRealReal:
        return RealMatrixResult(ScalarArith(r.matrix, tScalarOp::Add, VarAsReal(l)), r.tag);
    case tpIntString:
    case tpRealString:
        return StringMatrixResult(TextConcat(VarAsString(l), r.strmatrix), r.tag);
    case tpStringInt:
    case tpStringReal:
        return StringMatrixResult(TextConcat(l.strvalue, NumberTexts(r)), r.tag);
    case tpStringString:
        return StringMatrixResult(TextConcat(l.strvalue, r.strmatrix), r.tag);
    default:
        return {};
    }
}

tVariable AddMatrixScalar(const tVariable& l, const tVariable& r, std::int32_t types)
{
    switch (types) {
    case tpIntInt:
        return IntMatrixResult(ScalarArith(l.matrix, tScalarOp::Add, VarAsInteger(r)), l.tag);
    case tpIntReal:
    case tpRealInt:
    case tpRealReal:
        return RealMatrixResult(ScalarArith(l.matrix, tScalarOp::Add, VarAsReal(r)), l.tag);
    case tpIntString:
    case tpRealString:
        return StringMatrixResult(TextConcat(NumberTexts(l), r.strvalue), l.tag);
    case tpStringInt:
    case tpStringReal:
        return StringMatrixResult(TextConcat(l.strmatrix, VarAsString(r)), l.tag);
    case tpStringString:
        return StringMatrixResult(TextConcat(l.strmatrix, r.strvalue), l.tag);
    default:
        return {};
    }
}

tVariable AddMatrices(const tVariable& l, const tVariable& r, std::int32_t types)
{
    if (IsNumericPair(types)) {
        const tResult<trealmatrix> sum = ElementwiseArith(l.matrix, r.matrix, tElementwiseOp::Add);
        return types == tpIntInt ? IntMatrixResult(sum, PairTag(l, r, tgPlain))
                                 : RealMatrixResult(sum, PairTag(l, r, tgPlain));
    }
    switch (types) {
    case tpIntString:
    case tpRealString:
        return StringMatrixResult(
            TextConcat(NumberTexts(l), r.strmatrix), PairTag(l, r, tgLogical));
    case tpStringInt:
    case tpStringReal:
        return StringMatrixResult(
            TextConcat(l.strmatrix, NumberTexts(r)), PairTag(l, r, tgLogical));
    case tpStringString:
        return StringMatrixResult(TextConcat(l.strmatrix, r.strmatrix), PairTag(l, r, tgLogical));
    default:
        return {};
    }
}

// ---- "mod", "div"

tVariable IntegerDivision(const tVariable& l, const tVariable& r, bool remainder)
{
    const auto [types, shapes] = ClassifyOperands(l, r);
    if (!IsNumericPair(types))
        return {};
    if (shapes == spSS) {
        const std::int32_t a = VarAsInteger(l);
        const std::int32_t b = VarAsInteger(r);
        if (b == 0)
            throw tIntDivisionByZeroError();
        // 64 bits keep INT32_MIN div -1 defined; its quotient is then a real.
        const std::int64_t wide = std::int64_t { a };
        return WideIntegerResult(remainder ? wide % b : wide / b);
    }
    const tScalarOp left = remainder ? tScalarOp::ModInto : tScalarOp::DivInto;
    const tScalarOp right = remainder ? tScalarOp::Mod : tScalarOp::Div;
    const tElementwiseOp both = remainder ? tElementwiseOp::Modulo : tElementwiseOp::IntDivide;
    switch (shapes) {
    case spSM:
    case spMS:
        return IntMatrixResult(Combine(l, r, shapes, left, right, both), tgPlain);
    case spMM:
        return IntMatrixResult(
            Combine(l, r, shapes, left, right, both), remainder ? tgLogical : tgPlain);
    default:
        if (IsRangePair(shapes))
            return RangeResult(Combine(l, r, shapes, left, right, both), true);
        return {};
    }
}

// ---- "über"

long double BinomialOfElements(long double n, long double k)
{
    return static_cast<long double>(Binomial64(RoundToInt32(n), RoundToInt32(k)));
}

// C(a, b) element by element with the broadcasting of the elementwise arithmetic; sizes that do
// not combine fail.
tResult<trealmatrix> BinomialMatrix(const trealmatrix& a, const trealmatrix& b)
{
    auto size = [](std::int32_t x, std::int32_t y, std::int32_t& out) {
        out = x == y || y == 1 ? x : x == 1 ? y : -1;
        return out >= 0;
    };
    std::int32_t rows = 0;
    std::int32_t cols = 0;
    if (!size(a.Rows(), b.Rows(), rows) || !size(a.Cols(), b.Cols(), cols))
        return Failure(1, "");
    trealmatrix result(rows, cols);
    for (std::int32_t i = 1; i <= rows; ++i) {
        for (std::int32_t j = 1; j <= cols; ++j) {
            const long double n = a(a.Rows() == 1 ? 1 : i, a.Cols() == 1 ? 1 : j);
            const long double k = b(b.Rows() == 1 ? 1 : i, b.Cols() == 1 ? 1 : j);
            result(i, j) = BinomialOfElements(n, k);
        }
    }
    return result;
}

trealmatrix OneByOne(long double x)
{
    trealmatrix m(1, 1);
    m(1, 1) = x;
    return m;
}
} // namespace

tVariable VarAdd(const tVariable& l, const tVariable& r)
{
    const auto [types, shapes] = ClassifyOperands(l, r);
    switch (shapes) {
    case spSS:
        return AddScalars(l, r, types);
    case spSM:
        return AddScalarMatrix(l, r, types);
    case spMS:
        return AddMatrixScalar(l, r, types);
    case spMM:
        return AddMatrices(l, r, types);
    default:
        if (IsRangePair(shapes) && IsNumberLikePair(types))
            return RangeResult(
                Combine(l, r, shapes, tScalarOp::Add, tScalarOp::Add, tElementwiseOp::Add),
                types == tpIntInt);
        return {};
    }
}

tVariable VarSubtract(const tVariable& l, const tVariable& r)
{
    const auto [types, shapes] = ClassifyOperands(l, r);
    if (!IsNumericPair(types))
        return {};
    auto difference = [&, shapes = shapes] { // a copy: clang before 16 cannot capture bindings
        return Combine(
            l, r, shapes, tScalarOp::SubtractFrom, tScalarOp::Subtract, tElementwiseOp::Subtract);
    };
    switch (shapes) {
    case spSS:
        if (types == tpIntInt)
            return WideIntegerResult(std::int64_t { l.intvalue } - r.intvalue);
        return RealResult(CheckedReal([&] { return VarAsReal(l) - VarAsReal(r); }));
    case spSM:
        return RealMatrixResult(difference(), r.tag);
    case spMS:
        return RealMatrixResult(difference(), l.tag);
    case spMM:
        return RealMatrixResult(difference(), PairTag(l, r, tgPlain));
    default:
        if (IsRangePair(shapes))
            return RangeResult(difference(), types == tpIntInt);
        return {};
    }
}

tVariable VarMultiply(const tVariable& l, const tVariable& r, std::int32_t submode)
{
    const auto [types, shapes] = ClassifyOperands(l, r);
    if (!IsNumericPair(types))
        return {};
    const bool integer = types == tpIntInt;
    auto product = [&, shapes = shapes] { // a copy: clang before 16 cannot capture bindings
        return Combine(
            l, r, shapes, tScalarOp::Multiply, tScalarOp::Multiply, tElementwiseOp::Multiply);
    };
    auto matrix = [integer](const tResult<trealmatrix>& m, std::uint8_t tag) {
        return integer ? IntMatrixResult(m, tag) : RealMatrixResult(m, tag);
    };
    switch (shapes) {
    case spSS:
        if (integer)
            return WideIntegerResult(std::int64_t { l.intvalue } * r.intvalue);
        return RealResult(CheckedReal([&] { return VarAsReal(l) * VarAsReal(r); }));
    case spSM:
        return matrix(product(), r.tag);
    case spMS:
        return matrix(product(), tgPlain);
    case spMM: {
        const std::uint8_t tag = l.tag == tgPlain && r.tag == tgPlain ? tgPlain : tgLogical;
        if (submode == 1)
            return matrix(product(), tag);
        return matrix(MatMul(l.matrix, r.matrix), tag);
    }
    default:
        if (IsRangePair(shapes))
            return RangeResult(product(), integer);
        return {};
    }
}

tVariable VarDivide(const tVariable& l, const tVariable& r, std::int32_t submode)
{
    const auto [types, shapes] = ClassifyOperands(l, r);
    if (!IsNumericPair(types))
        return {};
    auto quotient = [&, shapes = shapes] { // a copy: clang before 16 cannot capture bindings
        return Combine(
            l, r, shapes, tScalarOp::DivideInto, tScalarOp::Divide, tElementwiseOp::Divide);
    };
    switch (shapes) {
    case spSS: {
        const long double divisor = VarAsReal(r);
        if (divisor == 0)
            return {};
        return RealResult(CheckedReal([&] { return VarAsReal(l) / divisor; }));
    }
    case spSM:
    case spMS:
        return RealMatrixResult(quotient(), tgPlain);
    case spMM:
        if (l.tag != tgPlain || r.tag != tgPlain)
            return RealMatrixResult(quotient(), tgLogical);
        if (submode == 1)
            return RealMatrixResult(quotient(), tgPlain);
        if (const tResult<trealmatrix> inverse = PseudoInverse(r.matrix))
            return RealMatrixResult(MatMul(l.matrix, *inverse), tgPlain);
        return {};
    default:
        if (IsRangePair(shapes))
            return RangeResult(quotient(), types == tpIntInt);
        return {};
    }
}

tVariable VarIntRemainder(const tVariable& l, const tVariable& r)
{
    return IntegerDivision(l, r, true);
}

tVariable VarIntQuotient(const tVariable& l, const tVariable& r)
{
    return IntegerDivision(l, r, false);
}

tVariable VarBinomial(const tVariable& l, const tVariable& r)
{
    const auto [types, shapes] = ClassifyOperands(l, r);
    if (!IsNumericPair(types))
        return {};
    switch (shapes) {
    case spSS:
        return WideIntegerResult(Binomial64(VarAsInteger(l), VarAsInteger(r)));
    case spSM:
        return IntMatrixResult(BinomialMatrix(OneByOne(VarAsInteger(l)), r.matrix), tgPlain);
    case spMS:
        return IntMatrixResult(BinomialMatrix(l.matrix, OneByOne(VarAsInteger(r))), tgPlain);
    case spMM:
        return IntMatrixResult(BinomialMatrix(l.matrix, r.matrix), tgPlain);
    case spSR:
        return RangeResult(BinomialMatrix(OneByOne(VarAsInteger(l)), r.matrix), true);
    case spRS:
        return RangeResult(BinomialMatrix(l.matrix, OneByOne(VarAsInteger(r))), true);
    default:
        if (IsRangePair(shapes))
            return RangeResult(BinomialMatrix(l.matrix, r.matrix), true);
        return {};
    }
}

} // namespace zelvora
