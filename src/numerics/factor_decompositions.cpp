// Common and unique parts, the subset decomposition and the block split of a loading matrix.
#include "numerics/factor_decompositions.h"

#include "numerics/cholesky.h"
#include "numerics/communalities.h"
#include "numerics/factor_rotations.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"

#include <cmath>
#include <vector>

namespace zelvora {
namespace {

constexpr int64_t maxDecompositionElements = 4'000'000;

trealmatrix Columns(const trealmatrix& m, const tIntvector& cols)
{
    trealmatrix result(m.Rows(), cols.Count());
    for (int32_t r = 1; r <= m.Rows(); ++r)
        for (int32_t j = 1; j <= cols.Count(); ++j)
            result(r, j) = m.At(r, cols[j]);
    return result;
}

trealmatrix Scaled(trealmatrix m, long double w)
{
    for (int32_t r = 1; r <= m.Rows(); ++r)
        for (int32_t c = 1; c <= m.Cols(); ++c)
            m(r, c) *= w;
    return m;
}

int64_t Binomial(int32_t n, int32_t k)
{
    int64_t result = 1;
    for (int32_t i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

// The k-subsets of 1..n in lexicographic order.
std::vector<std::vector<int32_t>> Subsets(int32_t n, int32_t k)
{
    std::vector<std::vector<int32_t>> all;
    std::vector<int32_t> subset(static_cast<std::size_t>(k));
    for (int32_t i = 0; i < k; ++i)
        subset[static_cast<std::size_t>(i)] = i + 1;
    while (true) {
        all.push_back(subset);
        int32_t i = k - 1;
        while (i >= 0 && subset[static_cast<std::size_t>(i)] == n - k + i + 1)
            --i;
        if (i < 0)
            return all;
        ++subset[static_cast<std::size_t>(i)];
        for (int32_t j = i + 1; j < k; ++j)
            subset[static_cast<std::size_t>(j)] = subset[static_cast<std::size_t>(j - 1)] + 1;
    }
}

// The subset's rows in increasing order, then all other rows in increasing order.
tIntvector SubsetFirst(const std::vector<int32_t>& subset, int32_t n)
{
    tIntvector order(n);
    std::vector<bool> taken(static_cast<std::size_t>(n) + 1, false);
    int32_t next = 0;
    for (int32_t r : subset) {
        order[++next] = r;
        taken[static_cast<std::size_t>(r)] = true;
    }
    for (int32_t r = 1; r <= n; ++r) {
        if (!taken[static_cast<std::size_t>(r)])
            order[++next] = r;
    }
    return order;
}

// One level b of the subset decomposition: W is replaced by the next level's columns and the
// level's part is returned.
trealmatrix DecompositionLevel(trealmatrix& w, int32_t b, tRotationResult& last)
{
    const int32_t n = w.Rows();
    const std::vector<std::vector<int32_t>> subsets = Subsets(n, b - 1);
    const auto d = static_cast<int32_t>(subsets.size());
    const long double scale = std::sqrt(1.0L / d);
    trealmatrix part(n, d);
    const tIntvector pairRows = AllIndexes(n);
    const tIntvector pairCols = AllIndexes(2);
    for (int32_t pass = 1; pass <= 101; ++pass) {
        const int32_t kw = w.Cols();
        trealmatrix next(n, (kw - 1) * d);
        trealmatrix delta(n, d);
        for (int32_t i = 1; i <= d; ++i) {
            const trealmatrix s = RowGivensSweep(
                w, SubsetFirst(subsets[static_cast<std::size_t>(i - 1)], n), AllIndexes(kw))
                                      .rotated;
            int32_t out = (i - 1) * (kw - 1);
            for (int32_t c = 1; c <= kw; ++c) {
                if (c == b) {
                    for (int32_t r = 1; r <= n; ++r)
                        delta(r, i) = s(r, c);
                    continue;
                }
                ++out;
                for (int32_t r = 1; r <= n; ++r)
                    next(r, out) = s(r, c);
            }
        }
        next = ColumnTriangularize(next, n).rotated;
        trealmatrix kept(n, std::min(b, next.Cols()));
        for (int32_t r = 1; r <= n; ++r)
            for (int32_t c = 1; c <= kept.Cols(); ++c)
                kept(r, c) = next(r, c);
        for (int32_t i = 1; i <= d; ++i) {
            trealmatrix pair(n, 2);
            for (int32_t r = 1; r <= n; ++r) {
                pair(r, 1) = part(r, i);
                pair(r, 2) = delta(r, i);
            }
            last = RotationSweeps(pair, pairRows, pairCols, PrincipalAxisCriterion);
            for (int32_t r = 1; r <= n; ++r)
                part(r, i) = last.rotated(r, 1);
        }
        w = Scaled(std::move(kept), scale);
        if (MatSquareSum(delta) < 1e-24L)
            break;
    }
    return Scaled(std::move(part), scale);
}

} // namespace

tRotationResult CommonUniqueSplit(const trealmatrix& lad)
{
    const int32_t n = lad.Rows();
    const trealmatrix g = GramProduct(lad, 1).Value();
    const trealmatrix c = ComVarFix(g).Value(); // g is square
    trealmatrix u = DiagonalCopy(c);
    tRotationResult axes = RotationSweeps(
        CholeskyFactor(c).Value(), AllIndexes(n), AllIndexes(n), PrincipalAxisCriterion);
    for (int32_t i = 1; i <= n; ++i)
        u(i, i) = std::sqrt(std::fabs(g(i, i) - u(i, i)));
    trealmatrix common(n, n - 1);
    for (int32_t r = 1; r <= n; ++r)
        for (int32_t j = 1; j < n; ++j)
            common(r, j) = axes.rotated(r, j);
    return { ConcatColumns(common, u), std::move(axes.transform), axes.sweeps };
}

tResult<tRotationResult> SubsetDecomposition(const trealmatrix& lad)
{
    const int32_t n = lad.Rows();
    trealmatrix w = lad;
    if (w.Cols() < n)
        w.Resize(n, n);
    for (int32_t b = n; b >= 2; --b) {
        if (Binomial(n, b - 1) * w.Cols() * n > maxDecompositionElements) {
            return Failure("DECOMP: Die Matrix hat zu viele Zeilen f\xFCr die kombinatorische "
                           "Dekomposition");
        }
    }
    tRotationResult last { {}, IdentityMatrix(lad.Cols()), 0 };
    std::vector<trealmatrix> parts;
    for (int32_t b = n; b >= 2; --b)
        parts.push_back(DecompositionLevel(w, b, last));
    trealmatrix result = std::move(w);
    for (auto part = parts.rbegin(); part != parts.rend(); ++part)
        result = ConcatColumns(result, *part);
    return tRotationResult { std::move(result), std::move(last.transform), last.sweeps };
}

tRotationResult BlockDecomposition(
    const trealmatrix& lad, int32_t blockLength, const tIntvector& rows, const tIntvector& cols)
{
    const trealmatrix selected = Columns(lad, cols);
    const int32_t k = selected.Cols();
    tRotationResult last { CopyMatrix(selected), IdentityMatrix(k), 0 };
    if (blockLength < 1)
        return last;
    std::vector<trealmatrix> common;
    std::vector<trealmatrix> unique;
    // A block longer than the row list is the whole list; counting in 64 bits keeps the step
    // past the last block from overflowing.
    const int64_t step = std::min<int64_t>(blockLength, std::max(rows.Count(), 1));
    for (int64_t start = 1; start <= rows.Count(); start += step) {
        const auto length = static_cast<int32_t>(std::min<int64_t>(step, rows.Count() - start + 1));
        tIntvector block(length);
        for (int32_t i = 1; i <= length; ++i)
            block[i] = rows[static_cast<std::size_t>(start + i - 1)];
        last = RowGivensSweep(selected, block, AllIndexes(k));
        trealmatrix first(selected.Rows(), std::min(k, 1));
        trealmatrix own(selected.Rows(), std::max(0, std::min(k, length) - 1));
        for (int32_t r = 1; r <= selected.Rows(); ++r) {
            if (k >= 1)
                first(r, 1) = last.rotated(r, 1);
        }
        for (int32_t i = 1; i <= length; ++i)
            for (int32_t j = 1; j <= own.Cols(); ++j)
                own(block[i], j) = last.rotated(block[i], j + 1);
        common.push_back(std::move(first));
        unique.push_back(std::move(own));
    }
    trealmatrix result(selected.Rows(), 0);
    for (const trealmatrix& part : common)
        result = ConcatColumns(result, part);
    for (const trealmatrix& part : unique)
        result = ConcatColumns(result, part);
    last.rotated = std::move(result);
    return last;
}

} // namespace zelvora
