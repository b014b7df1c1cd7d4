// Arithmetic of the library: scalar, element by element, powers, standard functions, texts.
#include "numerics/matrix_arith.h"

#include "numerics/library_state.h"
#include "numerics/matrix_kernels.h"
#include "numerics/scalar_math.h"
#include "numerics/worker_pool.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace zelvora {
namespace {
using kernels::BroadcastElements;
using kernels::MapElements;
using kernels::PlanBroadcast;

constexpr int faultFlags = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;
constexpr int32_t functionErrorCode = 99;
// Element-wise results of fewer elements than this stay on the run thread.
constexpr int64_t parallelElements = 1 << 17;
constexpr const char* functionErrorMessage = "Rechenfehler in einem Matrixelement (\xDC"
                                             "berlauf oder ung\xFCltige Operation)";

// Applies f to every element and raises the run-time error of any math error on the way.
template <typename F> trealmatrix MapRaising(const trealmatrix& m, F f)
{
    tMathErrorWatch watch;
    trealmatrix result = MapElements<long double>(m, f);
    watch.RaiseIfFaulted();
    return result;
}

// f (plain arithmetic, no state) of two matrices element by element; any math error on the way
// raises its run-time error. Large results are split into row ranges among the context's worker
// threads: the flags a worker raised are raised again on the run thread, where the watch reads
// them, so the same error comes for any number of threads.
template <typename F>
trealmatrix BroadcastRaising(
    const trealmatrix& a, const trealmatrix& b, const kernels::tBroadcastPlan& plan, F f)
{
    tMathErrorWatch watch;
    trealmatrix result = kernels::NewResult<long double>(plan.rows, plan.cols);
    const auto elements = static_cast<int64_t>(plan.rows) * plan.cols;
    tWorkerPool* pool = elements >= parallelElements ? NumericsContext().workers : nullptr;
    const int32_t threads = pool ? pool->Threads() : 1;
    std::vector<int> raised(static_cast<std::size_t>(threads), 0);
    const int32_t piece = threads == 1 ? plan.rows : std::max(2, plan.rows / (8 * threads));
    ForEachRowRange(pool, plan.rows, piece, [&](int32_t first, int32_t last, int32_t thread) {
        if (thread != 0)
            std::feclearexcept(faultFlags);
        kernels::BroadcastRows(a, b, plan, f, result, first, last);
        if (thread != 0)
            raised[static_cast<std::size_t>(thread)] |= std::fetestexcept(faultFlags);
    });
    for (const int flags : raised) {
        if (flags != 0)
            std::feraiseexcept(flags);
    }
    watch.RaiseIfFaulted();
    return result;
}

long double PowerOrZero(long double base, long double exponent)
{
    long double power = 0;
    return TryPower(base, exponent, &power) == tMathFault::None ? power : 0;
}

int64_t MaxExponentOf(long double element, int32_t base)
{
    const int64_t c = RoundToInt64(std::fabs(element));
    const int64_t step = base < 0 ? -static_cast<int64_t>(base) : base;
    if (c < 2 || step < 2)
        return 0;
    int64_t exponent = 0;
    for (int64_t divisor = step; c % divisor == 0; divisor *= step) {
        ++exponent;
        if (divisor > c / step) // the next power exceeds c and cannot divide it
            break;
    }
    return exponent;
}

// Rounds to a multiple of 10^digits (ties to even) in double precision.
long double RoundToDigits(long double element, int32_t digits)
{
    const auto factor = static_cast<double>(PowerRule(10, digits));
    const auto value = static_cast<double>(element);
    return static_cast<double>(std::nearbyint(value / static_cast<long double>(factor)) * factor);
}

long double ElementFunction(tElementFunction function, long double m)
{
    switch (function) {
    case tElementFunction::Square:
        return m * m;
    case tElementFunction::Sqrt:
        return m >= 0 ? std::sqrt(m) : 0;
    case tElementFunction::Ln:
        return m > 0 ? std::log(m) : 0;
    case tElementFunction::Exp:
        return std::exp(m);
    case tElementFunction::Sin:
        return std::sin(m);
    case tElementFunction::Cos:
        return std::cos(m);
    case tElementFunction::Tan: {
        const long double cosine = std::cos(m);
        return cosine == 0 ? 0 : std::sin(m) / cosine;
    }
    case tElementFunction::ArcTan:
        return std::atan(m);
    case tElementFunction::ArcSin:
        return m >= -1 && m <= 1 ? std::asin(m) : 0;
    case tElementFunction::ArcCos:
        return m >= -1 && m <= 1 ? std::acos(m) : 0;
    case tElementFunction::Sinh:
        return std::sinh(m);
    case tElementFunction::Cosh:
        return std::cosh(m);
    case tElementFunction::Tanh:
        return std::tanh(m);
    case tElementFunction::ArcSinh:
        return std::asinh(m);
    case tElementFunction::ArcCosh:
        return m > 1 ? std::acosh(m) : 0;
    case tElementFunction::ArcTanh:
        return m >= -1 && m <= 1 ? std::atanh(m) : 0;
    }
    return 0;
}
} // namespace

trealmatrix ScalarArith(const trealmatrix& m, tScalarOp op, long double x)
{
    switch (op) {
    case tScalarOp::Add:
        return MapRaising(m, [x](long double e) { return e + x; });
    case tScalarOp::SubtractFrom:
        return MapRaising(m, [x](long double e) { return x - e; });
    case tScalarOp::Subtract:
        return MapRaising(m, [x](long double e) { return e - x; });
    case tScalarOp::Multiply:
        return MapElements<long double>(m, [x](long double e) { return SafeMul(e, x, 0); });
    case tScalarOp::Divide:
        if (x == 0)
            return trealmatrix(m.Rows(), m.Cols());
        return MapElements<long double>(m, [x](long double e) { return SafeDiv(e, x, 0); });
    case tScalarOp::DivideInto:
        return MapElements<long double>(m, [x](long double e) { return SafeDiv(x, e, 0); });
    case tScalarOp::Mod:
    case tScalarOp::Div: {
        const int64_t a = RoundToInt32(x);
        if (a == 0)
            return trealmatrix(m.Rows(), m.Cols());
        // a = -1 is taken apart: -2^63 div -1 does not fit 64 bits (its real quotient does).
        if (op == tScalarOp::Mod)
            return MapElements<long double>(m, [a](long double e) -> long double {
                const int64_t c = RoundToInt64(e);
                return a == -1 ? 0 : c % a;
            });
        return MapElements<long double>(m, [a](long double e) -> long double {
            const int64_t c = RoundToInt64(e);
            return a == -1 ? -static_cast<long double>(c) : static_cast<long double>(c / a);
        });
    }
    case tScalarOp::ModInto:
    case tScalarOp::DivInto: {
        const int64_t a = RoundToInt32(x);
        const bool mod = op == tScalarOp::ModInto;
        return MapElements<long double>(m, [a, mod](long double e) -> long double {
            const int64_t c = RoundToInt32(e);
            if (c == 0)
                return 0;
            return mod ? a % c : a / c;
        });
    }
    case tScalarOp::Gcd: {
        const int32_t a = RoundToInt32(x);
        if (a == 0)
            return trealmatrix(m.Rows(), m.Cols());
        return MapElements<long double>(
            m, [a](long double e) -> long double { return Gcd64(a, RoundToInt32(e)); });
    }
    case tScalarOp::Negate:
        return MapRaising(m, [](long double e) { return 0 - e; });
    case tScalarOp::Not:
        return MapElements<long double>(
            m, [](long double e) -> long double { return e == 0 ? 1 : 0; });
    case tScalarOp::Abs:
        return MapElements<long double>(m, [](long double e) { return std::fabs(e); });
    case tScalarOp::Sign:
        return MapElements<long double>(m, [](long double e) -> long double {
            const auto d = static_cast<double>(e);
            return d > 0 ? 1 : (d < 0 ? -1 : 0);
        });
    case tScalarOp::Int:
        return MapElements<long double>(m, [](long double e) { return std::trunc(e); });
    case tScalarOp::Frac:
        return MapRaising(m, [](long double e) { return e - std::trunc(e); });
    case tScalarOp::Round: {
        const int32_t digits = RoundToInt32(x);
        if (digits < -37 || digits > 37)
            throw tRangeError();
        tMathErrorWatch watch;
        trealmatrix result = MapElements<long double>(
            m, [digits](long double e) { return RoundToDigits(e, digits); });
        // Only overflow counts here: a value beyond the double range does not round.
        if (watch.Fault() == tMathFault::Overflow || watch.Fault() == tMathFault::Invalid)
            watch.RaiseIfFaulted();
        return result;
    }
    case tScalarOp::MaxExponent:
        return MaxExponent(m, RoundToInt32(x));
    case tScalarOp::MaxPower:
        return MaxPower(m, RoundToInt32(x));
    case tScalarOp::PowerOfScalar:
        return MapElements<long double>(m, [x](long double e) { return PowerOrZero(x, e); });
    case tScalarOp::PowerByScalar:
        return MapElements<long double>(m, [x](long double e) { return PowerOrZero(e, x); });
    }
    // Every operation has its case above: another value is a fault of the calling code.
    throw std::logic_error("ScalarArith: unknown operation");
}

trealmatrix MaxExponent(const trealmatrix& m, int32_t base)
{
    return MapElements<long double>(
        m, [base](long double e) -> long double { return MaxExponentOf(e, base); });
}

trealmatrix MaxPower(const trealmatrix& m, int32_t base)
{
    return MapElements<long double>(
        m, [base](long double e) { return PowerRule(base, MaxExponentOf(e, base)); });
}

tResult<trealmatrix> ElementwiseArith(const trealmatrix& a, const trealmatrix& b, tElementwiseOp op)
{
    const auto plan = PlanBroadcast(a.Dims(), b.Dims());
    if (!plan.fits)
        return Failure(1, "");
    auto raising = [&](auto f) { return BroadcastRaising(a, b, plan, f); };
    switch (op) {
    case tElementwiseOp::Add:
        return raising([](long double x, long double y) { return x + y; });
    case tElementwiseOp::Subtract:
        return raising([](long double x, long double y) { return x - y; });
    case tElementwiseOp::Multiply:
        return raising([](long double x, long double y) { return x * y; });
    case tElementwiseOp::Divide:
        return BroadcastElements<long double>(
            a, b, plan, [](long double x, long double y) { return SafeDiv(x, y, 0); });
    case tElementwiseOp::IntDivide:
        return BroadcastElements<long double>(
            a, b, plan, [](long double x, long double y) { return SafeIntDiv(x, y, 0); });
    case tElementwiseOp::Modulo:
        return BroadcastElements<long double>(
            a, b, plan, [](long double x, long double y) { return SafeIntMod(x, y, 0); });
    }
    throw std::logic_error("ElementwiseArith: unknown operation");
}

tResult<trealmatrix> ElementwisePower(const trealmatrix& base, const trealmatrix& exponent)
{
    const auto plan = PlanBroadcast(base.Dims(), exponent.Dims());
    if (!plan.fits)
        return Failure(1, "");
    return BroadcastElements<long double>(base, exponent, plan, PowerOrZero);
}

trealmatrix ElementwisePower(long double base, const trealmatrix& exponent)
{
    return ScalarArith(exponent, tScalarOp::PowerOfScalar, base);
}

trealmatrix ElementwisePower(const trealmatrix& base, long double exponent)
{
    return ScalarArith(base, tScalarOp::PowerByScalar, exponent);
}

tResult<tStringmatrix> TextConcat(const tStringmatrix& left, const tStringmatrix& right)
{
    const auto plan = PlanBroadcast(left.Dims(), right.Dims());
    if (!plan.fits)
        return Failure(1, "");
    return BroadcastElements<std::string>(
        left, right, plan, [](const std::string& x, const std::string& y) { return x + y; });
}

tStringmatrix TextConcat(const std::string& left, const tStringmatrix& right)
{
    return MapElements<std::string>(right, [&left](const std::string& e) { return left + e; });
}

tStringmatrix TextConcat(const tStringmatrix& left, const std::string& right)
{
    return MapElements<std::string>(left, [&right](const std::string& e) { return e + right; });
}

tResult<trealmatrix> ElementwiseFunction(const trealmatrix& m, tElementFunction function)
{
    bool faultedAnywhere = false;
    trealmatrix result = MapElements<long double>(m, [&](long double e) -> long double {
        std::feclearexcept(faultFlags);
        const long double value = ElementFunction(function, e);
        const bool faulted
            = std::fetestexcept(faultFlags) != 0 || (std::isfinite(e) && !std::isfinite(value));
        if (!faulted)
            return value;
        faultedAnywhere = true;
        return 0;
    });
    if (faultedAnywhere)
        return Failure(functionErrorCode, functionErrorMessage);
    return result;
}

} // namespace zelvora
