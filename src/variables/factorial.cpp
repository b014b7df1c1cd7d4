// The factorial of scalars and matrices.
#include "variables/factorial.h"

#include "numerics/gamma.h"
#include "numerics/run_time_error.h"
#include "variables/operator_results.h"

#include <array>
#include <cmath>

namespace zelvora {
namespace {
using namespace operators;

constexpr std::array<std::int32_t, 13> smallFactorials { 1, 1, 2, 6, 24, 120, 720, 5040, 40320,
    362880, 3628800, 39916800, 479001600 };

// Gamma(x + 1); the gamma function gives 0 where its value leaves the extended range, which for
// a factorial (x > -1) can only mean overflow.
long double GammaOfNext(long double x)
{
    const long double value = GammaFunction(x + 1);
    if (value == 0 && x > -1)
        throw tFloatOverflowError();
    return value;
}

} // namespace

long double FactorialOf(long double x, bool integral)
{
    if (!integral)
        return GammaOfNext(x);
    if (x < 0)
        return 1;
    if (x < static_cast<long double>(smallFactorials.size()))
        return smallFactorials[static_cast<std::size_t>(x)];
    return GammaOfNext(x);
}

tVariable VarFactorial(const tVariable& v)
{
    if (v.shape == shScalar) {
        if (v.datatype == dtInteger) {
            if (v.intvalue >= 0 && v.intvalue < static_cast<std::int32_t>(smallFactorials.size()))
                return IntegerResult(smallFactorials[static_cast<std::size_t>(v.intvalue)]);
            if (v.intvalue < 0)
                return IntegerResult(1);
            return RealResult(FactorialOf(v.intvalue, true));
        }
        if (v.datatype == dtReal)
            return RealResult(FactorialOf(v.realvalue, false));
        return {};
    }
    if (v.shape != shMatrix || v.datatype == dtString || v.datatype == dtNone)
        return {};
    trealmatrix result(v.matrix.Rows(), v.matrix.Cols());
    const bool integral = v.datatype == dtInteger || v.datatype == dtBoolean;
    for (std::int32_t r = 1; r <= result.Rows(); ++r)
        for (std::int32_t c = 1; c <= result.Cols(); ++c)
            result(r, c) = FactorialOf(v.matrix(r, c), integral);
    return RealMatrixResult(std::move(result), v.tag);
}

} // namespace zelvora
