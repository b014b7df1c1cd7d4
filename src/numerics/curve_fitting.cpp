// Linear regression with sequential variance shares and the S-curve fit.
#include "numerics/curve_fitting.h"

#include "numerics/cholesky.h"
#include "numerics/gauss_jordan.h"
#include "numerics/matrix_product.h"
#include "numerics/percentiles.h"
#include "numerics/statistics_transform.h"

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace zelvora {
namespace {

constexpr long double notGiven = 2147483647;
constexpr int32_t gridPoints = 10;
constexpr int32_t gridRounds = 10;

long double MeanSquaredError(const tRealVector& x, const tRealVector& y, long double a,
    long double b, long double h, long double o)
{
    long double sum = 0;
    for (int32_t k = 1; k <= x.Count(); ++k) {
        const long double residual = y[k] - SCurveValue(x[k], a, b, h, o);
        sum += residual * residual;
    }
    return sum / x.Count();
}

// True when row `row` of m holds two different values.
bool Varies(const trealmatrix& m, int32_t row)
{
    for (int32_t k = 2; k <= m.Cols(); ++k) {
        if (m(row, k) != m(row, 1))
            return true;
    }
    return false;
}

tResult<trealmatrixarr> LinearFit(const trealmatrix& m)
{
    const int32_t n = m.Rows();
    const int32_t cases = m.Cols();
    if (n < 1 || cases < 1)
        return trealmatrixarr {};
    if (!Varies(m, n))
        return Failure("Curvefit Lin: die abh\xE4ngige Variable (Zeile " + std::to_string(n)
            + ") hat keine Varianz");
    const trealmatrix d = Deviations(m, 1).Value();
    long double meanY = 0;
    for (int32_t k = 1; k <= cases; ++k)
        meanY += m(n, k);
    meanY /= cases;
    trealmatrix c = GramProduct(d, 1).Value();
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = 1; j <= n; ++j)
            c(i, j) /= cases;
    const trealmatrix l = CholeskyFactor(c).Value();
    trealmatrix b(2, n);
    for (int32_t k = 1; k < n; ++k)
        b(1, k) = l(n, k);
    b(2, n) = l(n, n);
    const trealmatrix p = MatMul(b, GaussJordanInverse(l).Value(), 1).Value();
    trealmatrix f = MatMul(p, d, 1).Value();
    for (int32_t k = 1; k <= cases; ++k)
        f(1, k) += meanY;
    long double v = 0;
    for (int32_t k = 1; k <= n; ++k)
        v += l(n, k) * l(n, k);
    if (v == 0)
        throw tFloatDivisionByZeroError(); // rounding left a variance the factor lost
    trealmatrix r(3, n);
    for (int32_t k = 1; k <= n; ++k) {
        r(1, k) = p(1, k);
        r(2, k) = l(n, k) * l(n, k) / v;
        r(3, k) = (k > 1 ? r(3, k - 1) : 0) + r(2, k);
    }
    return trealmatrixarr { std::move(r), std::move(f) };
}

// The options words RANK (1), PRED (2), BETA (3) in their order; RANK alone when none is named.
std::vector<int32_t> OutputsOf(std::string_view options)
{
    std::istringstream words { std::string(options) };
    std::vector<int32_t> outputs;
    std::string word;
    while (words >> word) {
        for (char& ch : word)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (word == "RANK")
            outputs.push_back(1);
        else if (word == "PRED")
            outputs.push_back(2);
        else if (word == "BETA")
            outputs.push_back(3);
    }
    if (outputs.empty())
        outputs.push_back(1);
    return outputs;
}

long double ParameterOr(const trealmatrix& p, int32_t column, long double fallback)
{
    if (p.IsAbsent() || p.Rows() < 1 || column > p.Cols())
        return fallback;
    return p(1, column);
}

// Fits the cases `in` of class `label`: writes its BETA row and its curve over all cases. The
// failure when the class's y do not vary.
std::optional<tFailure> FitClass(const tRealVector& x, const tRealVector& y,
    const std::vector<int32_t>& in, const trealmatrix& p, long double margin, int32_t label,
    trealmatrix& beta, trealmatrix& pred)
{
    beta(label, 1) = label;
    if (in.empty())
        return std::nullopt;
    tRealVector cx(static_cast<int32_t>(in.size()));
    tRealVector cy(static_cast<int32_t>(in.size()));
    long double low = y[in.front()];
    long double high = y[in.front()];
    for (std::size_t k = 0; k < in.size(); ++k) {
        cx[k + 1] = x[in[k]];
        cy[k + 1] = y[in[k]];
        low = std::min(low, cy[k + 1]);
        high = std::max(high, cy[k + 1]);
    }
    if (low == high) {
        return Failure("Curvefit OS: die Werte y"
            + (beta.Rows() > 1 ? " der Klasse " + std::to_string(label) : std::string(" (Zeile 2)"))
            + " haben keine Varianz");
    }
    const long double givenB = ParameterOr(p, 1, notGiven);
    const long double givenA = ParameterOr(p, 2, notGiven);
    const long double b = givenB == notGiven ? low - margin : givenB;
    const long double a = givenA == notGiven ? high + margin : givenA;
    const tSCurveFit fit = SCurveGridFit(cx, cy, a, b);
    beta(label, 2) = fit.slope;
    beta(label, 3) = fit.location;
    beta(label, 4) = 100 * fit.rSquared;
    beta(label, 5) = givenB == notGiven ? low : b;
    beta(label, 6) = givenA == notGiven ? high : a;
    for (int32_t k = 1; k <= x.Count(); ++k)
        pred(label, k) = SCurveValue(x[k], a, b, fit.slope, fit.location);
    return std::nullopt;
}

tResult<trealmatrixarr> SCurveFit(std::string_view options, const trealmatrix& m,
    const trealmatrix& p, const trealmatrix& e, tRandomGenerator& generator)
{
    if (m.Rows() < 2 || m.Cols() < 1)
        return trealmatrixarr {};
    const int32_t cases = m.Cols();
    const long double margin = ParameterOr(p, 3, 0.01L);
    const auto classes = static_cast<int32_t>(std::lround(ParameterOr(p, 4, 1)));
    const bool several = classes >= 2;
    if (several && (e.IsAbsent() || e.Rows() < 1)) {
        return Failure("Curvefit OS: f\xFCr " + std::to_string(classes)
            + " Klassen fehlt die Gruppenmatrix (ihre Zeile 1 gruppiert die F\xE4lle)");
    }
    tRealVector x(cases);
    tRealVector y(cases);
    for (int32_t k = 1; k <= cases; ++k) {
        x[k] = m(1, k);
        y[k] = m(2, k);
    }
    trealmatrix rank(1, cases);
    for (int32_t k = 1; k <= cases; ++k)
        rank(1, k) = 1;
    if (several) {
        trealmatrix shifted(1, cases);
        for (int32_t k = 1; k <= cases; ++k)
            shifted(1, k) = y[k] + (2 * generator.UniformDeviate() - 1) * margin;
        trealmatrix groups(1, e.Cols());
        for (int32_t k = 1; k <= e.Cols(); ++k)
            groups(1, k) = e(1, k);
        rank = PercentileClasses(shifted, classes, 1, groups).Value();
    }
    const int32_t k = several ? classes : 1;
    trealmatrix beta(k, 6);
    trealmatrix pred(k, cases);
    for (int32_t label = 1; label <= k; ++label) {
        std::vector<int32_t> in;
        for (int32_t c = 1; c <= cases; ++c) {
            if (std::lround(rank(1, c)) == label)
                in.push_back(c);
        }
        if (auto failure = FitClass(x, y, in, p, margin, label, beta, pred))
            return *failure;
    }
    trealmatrixarr result;
    for (int32_t output : OutputsOf(options))
        result.push_back(output == 1 ? rank : output == 2 ? pred : beta);
    return result;
}

} // namespace

long double SCurveValue(long double x, long double a, long double b, long double h, long double o)
{
    return b + (a - b) * (1 + std::tanh(h * (x - o))) / 2;
}

tSCurveFit SCurveGridFit(const tRealVector& x, const tRealVector& y, long double a, long double b)
{
    // The variance in two passes: the one-pass form loses its digits under a large common offset.
    const int32_t n = y.Count();
    long double sum = 0;
    for (int32_t k = 1; k <= n; ++k)
        sum += y[k];
    const long double mean = n > 0 ? sum / n : 0;
    long double squares = 0;
    for (int32_t k = 1; k <= n; ++k)
        squares += (y[k] - mean) * (y[k] - mean);
    const long double variance = n > 0 ? squares / n : 0;
    long double h0 = 0;
    long double o0 = 0;
    long double dh = 0.1L;
    long double dO = 2;
    long double bestH = 0;
    long double bestO = 0;
    long double bestError = 0;
    for (int32_t round = 1; round <= gridRounds; ++round) {
        int32_t bestI = 1;
        int32_t bestJ = 1;
        for (int32_t i = 1; i <= gridPoints; ++i) {
            for (int32_t j = 1; j <= gridPoints; ++j) {
                const long double h = h0 + (i - 1) * dh;
                const long double o = o0 + (j - 1) * dO;
                const long double error = MeanSquaredError(x, y, a, b, h, o);
                if ((i == 1 && j == 1) || error < bestError) {
                    bestError = error;
                    bestI = i;
                    bestJ = j;
                    bestH = h;
                    bestO = o;
                }
            }
        }
        if (round == gridRounds)
            break;
        h0 = h0 + (std::max(1, bestI - 2) - 1) * dh;
        o0 = o0 + (std::max(1, bestJ - 2) - 1) * dO;
        dh /= 2;
        dO /= 2;
    }
    if (variance == 0)
        throw tFloatDivisionByZeroError();
    return { bestH, bestO, (variance - bestError) / variance };
}

tResult<trealmatrixarr> FitCurve(int32_t type, std::string_view options, const trealmatrix& m,
    const trealmatrix& p, const trealmatrix& e, tRandomGenerator& generator)
{
    if (m.IsAbsent())
        return trealmatrixarr {};
    if (type == 1)
        return LinearFit(m);
    if (type == 4)
        return SCurveFit(options, m, p, e, generator);
    return trealmatrixarr {};
}

} // namespace zelvora
