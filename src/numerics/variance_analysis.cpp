// Sequential sums of squares of a factorial design by the Cholesky factor of its Gram matrix.
#include "numerics/variance_analysis.h"

#include "numerics/cholesky.h"
#include "numerics/frequency_tables.h"
#include "numerics/gauss_jordan.h"
#include "numerics/matrix_product.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace zelvora {
namespace {

// A block of consecutive design rows [first, first + count).
struct tBlock {
    int32_t first = 0;
    int32_t count = 0;
};

tFailure Failed(const char* message)
{
    return Failure(message);
}

bool AllFinite(const trealmatrix& m)
{
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c) {
            if (!std::isfinite(m(r, c)))
                return false;
        }
    }
    return true;
}

tRealVector FactorLevels(const trealmatrix& factors, int32_t f)
{
    tRealVector row(factors.Cols());
    for (int32_t c = 1; c <= factors.Cols(); ++c)
        row[static_cast<std::size_t>(c)] = factors(f, c);
    return ValueFrequencies(row).values;
}

// The design's Gram matrix and its Cholesky factor grow with the square and the cube of the number
// of design rows; beyond this many the analysis would not end in reasonable time or memory.
constexpr int64_t maxDesignRows = 2000;

// The number of design rows: the constant, L - 1 per factor and their products per pair.
int64_t DesignRowCount(const trealmatrix& factors)
{
    int64_t rows = 1;
    std::vector<int64_t> dummies;
    for (int32_t f = 1; f <= factors.Rows(); ++f) {
        dummies.push_back(std::max(FactorLevels(factors, f).Count() - 1, 0));
        for (std::size_t p = 0; p + 1 < dummies.size(); ++p)
            rows += dummies[p] * dummies.back();
        rows += dummies.back();
        if (rows > maxDesignRows)
            break;
    }
    return rows;
}

// The dummy rows of one factor: 1 where a case has level 2 .. L.
std::vector<std::vector<long double>> DummyRows(const trealmatrix& factors, int32_t f)
{
    const int32_t n = factors.Cols();
    const tRealVector levels = FactorLevels(factors, f);
    std::vector<std::vector<long double>> dummies;
    for (int32_t level = 2; level <= levels.Count(); ++level) {
        std::vector<long double>& dummy = dummies.emplace_back(static_cast<std::size_t>(n) + 1, 0);
        for (int32_t c = 1; c <= n; ++c)
            dummy[static_cast<std::size_t>(c)]
                = factors(f, c) == levels[static_cast<std::size_t>(level)] ? 1 : 0;
    }
    return dummies;
}

long double BlockSum(const trealmatrix& squares, int32_t last, const tBlock& block)
{
    long double sum = 0;
    for (int32_t j = block.first; j < block.first + block.count; ++j)
        sum += squares(last, j);
    return sum;
}

// The statistics table and its labels from the sums of squares s (constant, factors,
// interactions, residual in this order).
void FillTable(tVarianceAnalysis& result, const std::vector<long double>& s, int32_t factors)
{
    const auto t = static_cast<int32_t>(s.size());
    const int32_t interactions = t - 2 - factors;
    auto sum = [&](int32_t from, int32_t to) {
        long double total = 0;
        for (int32_t i = from; i <= to; ++i)
            total += s[static_cast<std::size_t>(i - 1)];
        return total;
    };
    const int32_t lines = 7 + factors + interactions;
    result.statistics = trealmatrix(lines, 3);
    result.labels = tStringmatrix(lines, 1);
    int32_t line = 0;
    auto put = [&](const std::string& label, int32_t column, long double value) {
        ++line;
        result.labels(line, 1) = label;
        result.statistics(line, column) = value;
    };
    put("Gesamtquadratsumme:", 1, sum(1, t));
    put("d. \"konst. Term\":", 2, s[0]);
    put("Gesamtvariation:", 1, sum(2, t));
    put("d. Modell:", 2, sum(2, t - 1));
    put("d. Haupteffekte:", 2, sum(2, factors + 1));
    for (int32_t f = 1; f <= factors; ++f)
        put("d. Item " + std::to_string(f), 3, s[static_cast<std::size_t>(f)]);
    put("d. Interaktionen:", 2, sum(factors + 2, t - 1));
    for (int32_t i = 1; i <= interactions; ++i)
        put("d. IA " + std::to_string(i), 3, s[static_cast<std::size_t>(factors + i)]);
    put("Residual Variation", 1, s[static_cast<std::size_t>(t - 1)]);
}

} // namespace

tResult<tVarianceAnalysis> VarianceAnalysis(const trealmatrix& y, const trealmatrix& factors)
{
    if (y.Rows() != 1 || factors.Cols() != y.Cols())
        return Failed("ANOVA braucht die abh\xE4ngigen Werte als eine Zeile und je Faktor eine "
                      "Zeile mit ebenso vielen Spalten");
    if (y.Cols() == 0)
        return Failed("ANOVA braucht mindestens einen Fall");
    if (!AllFinite(y) || !AllFinite(factors))
        return Failed("ANOVA: ein Wert ist keine endliche Zahl");
    const int32_t n = y.Cols();
    const int32_t factorCount = factors.Rows();
    if (DesignRowCount(factors) > maxDesignRows)
        return Failed("ANOVA: die Faktoren haben zu viele Stufen (mehr als 2000 Zeilen im Design)");

    std::vector<std::vector<long double>> design;
    std::vector<tBlock> blocks;
    design.emplace_back(static_cast<std::size_t>(n) + 1, 1);
    blocks.push_back({ 1, 1 });
    std::vector<std::vector<std::vector<long double>>> dummies;
    for (int32_t f = 1; f <= factorCount; ++f) {
        dummies.push_back(DummyRows(factors, f));
        blocks.push_back({ static_cast<int32_t>(design.size()) + 1,
            static_cast<int32_t>(dummies.back().size()) });
        for (const auto& dummy : dummies.back())
            design.push_back(dummy);
    }
    for (int32_t p = 0; p < factorCount; ++p) {
        for (int32_t q = p + 1; q < factorCount; ++q) {
            tBlock block { static_cast<int32_t>(design.size()) + 1, 0 };
            for (const auto& a : dummies[static_cast<std::size_t>(p)]) {
                for (const auto& b : dummies[static_cast<std::size_t>(q)]) {
                    std::vector<long double> product(static_cast<std::size_t>(n) + 1, 0);
                    for (int32_t c = 1; c <= n; ++c)
                        product[static_cast<std::size_t>(c)]
                            = a[static_cast<std::size_t>(c)] * b[static_cast<std::size_t>(c)];
                    design.push_back(std::move(product));
                    ++block.count;
                }
            }
            blocks.push_back(block);
        }
    }

    const auto m = static_cast<int32_t>(design.size());
    trealmatrix rows(m + 1, n);
    for (int32_t i = 1; i <= m; ++i)
        std::copy_n(design[static_cast<std::size_t>(i - 1)].data() + 1, n, rows.Row(i) + 1);
    std::copy_n(y.Row(1) + 1, n, rows.Row(m + 1) + 1);

    tVarianceAnalysis result;
    result.factor = CholeskyFactor(GramProduct(rows, 1).Value()).Value();
    result.squares = result.factor;
    for (int32_t i = 1; i <= m + 1; ++i) {
        for (int32_t j = 1; j <= m + 1; ++j)
            result.squares(i, j) *= result.squares(i, j);
    }
    std::vector<long double> s;
    for (const tBlock& block : blocks)
        s.push_back(BlockSum(result.squares, m + 1, block));
    s.push_back(result.squares(m + 1, m + 1));
    FillTable(result, s, factorCount);

    trealmatrix designPart(m, m);
    trealmatrix dependentPart(1, m);
    for (int32_t i = 1; i <= m; ++i) {
        for (int32_t j = 1; j <= m; ++j)
            designPart(i, j) = result.factor(i, j);
        dependentPart(1, i) = result.factor(m + 1, i);
    }
    const trealmatrix weights
        = MatMul(dependentPart, GaussJordanInverse(designPart).Value()).Value();
    result.weights = trealmatrix(m, 1);
    for (int32_t i = 1; i <= m; ++i)
        result.weights(i, 1) = weights(1, i);
    return result;
}

} // namespace zelvora
