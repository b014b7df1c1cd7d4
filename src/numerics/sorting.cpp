// Sort indexes and the matching of key rows.
#include "numerics/sorting.h"

#include "numerics/run_time_error.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zelvora {
namespace {

// Sorts items[left..right] by the shared partitioning: pivot = the item at the middle position,
// compared through compare(item, pivot) < 0 / > 0. The ranges left over after a pass are
// disjoint, so the order in which they are handled does not change the result; the larger one
// waits on a stack so that the depth stays logarithmic.
template <typename T, typename Compare>
void PartitionSort(std::vector<T>& items, int32_t left, int32_t right, Compare compare)
{
    std::vector<std::pair<int32_t, int32_t>> pending;
    for (;;) {
        while (left < right) {
            const T pivot = items[static_cast<std::size_t>(left + (right - left) / 2)];
            int32_t i = left;
            int32_t j = right;
            do {
                // The bounds only guard against a comparison that is not a consistent order.
                while (i < right && compare(items[static_cast<std::size_t>(i)], pivot) < 0)
                    ++i;
                while (j > left && compare(items[static_cast<std::size_t>(j)], pivot) > 0)
                    --j;
                if (i <= j) {
                    std::swap(
                        items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
                    ++i;
                    --j;
                }
            } while (i <= j);
            const bool leftPart = left < j;
            const bool rightPart = i < right;
            if (leftPart && rightPart) {
                if (j - left < right - i) {
                    pending.emplace_back(i, right);
                    right = j;
                } else {
                    pending.emplace_back(left, j);
                    left = i;
                }
            } else if (leftPart) {
                right = j;
            } else if (rightPart) {
                left = i;
            } else {
                break;
            }
        }
        if (pending.empty())
            return;
        std::tie(left, right) = pending.back();
        pending.pop_back();
    }
}

template <typename T> int Order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Positions 1..n in ascending order of keys(1..n); the keys travel with their positions so that
// comparisons read neighbouring memory.
template <typename T> tIntvector SortPositionsByKey(const T* keys, int32_t n)
{
    struct tKeyed {
        T key;
        int32_t position;
    };
    std::vector<tKeyed> items(static_cast<std::size_t>(n));
    for (int32_t p = 1; p <= n; ++p)
        items[static_cast<std::size_t>(p - 1)] = { keys[p], p };
    PartitionSort(
        items, 0, n - 1, [](const tKeyed& a, const tKeyed& b) { return Order(a.key, b.key); });
    tIntvector order(n);
    for (int32_t p = 1; p <= n; ++p)
        order[static_cast<std::size_t>(p)] = items[static_cast<std::size_t>(p - 1)].position;
    return order;
}

tIntvector SortPositions(int32_t n, auto compare)
{
    std::vector<int32_t> items(static_cast<std::size_t>(n));
    for (int32_t p = 1; p <= n; ++p)
        items[static_cast<std::size_t>(p - 1)] = p;
    PartitionSort(items, 0, n - 1, compare);
    tIntvector order(n);
    std::copy(items.begin(), items.end(), order.Data() + 1);
    return order;
}

// The key of column k: element (1, k), which must exist.
long double KeyOf(const trealmatrix& m, int32_t k)
{
    return m.At(1, k);
}

} // namespace

tIntvector SortIndexColumns(const trealmatrix& m)
{
    const int32_t cols = m.Cols();
    if (m.Rows() == 1)
        return SortPositionsByKey(m.Row(1), cols);
    return SortPositions(cols, [&m](int32_t a, int32_t b) {
        for (int32_t r = 1; r <= m.Rows(); ++r) {
            const int order = Order(m(r, a), m(r, b));
            if (order != 0)
                return order;
        }
        return 0;
    });
}

tIntvector SortIndexRows(const trealmatrix& m)
{
    const int32_t rows = m.Rows();
    if (m.Cols() == 1) {
        std::vector<long double> keys(static_cast<std::size_t>(rows) + 1);
        for (int32_t r = 1; r <= rows; ++r)
            keys[static_cast<std::size_t>(r)] = m(r, 1);
        return SortPositionsByKey(keys.data(), rows);
    }
    return SortPositions(rows, [&m](int32_t a, int32_t b) {
        const long double* rowA = m.Row(a);
        const long double* rowB = m.Row(b);
        for (int32_t c = 1; c <= m.Cols(); ++c) {
            const int order = Order(rowA[c], rowB[c]);
            if (order != 0)
                return order;
        }
        return 0;
    });
}

tIntvector IndexSortReal(const tRealVector& v)
{
    if (v.IsAbsent())
        return tIntvector(0);
    return SortPositionsByKey(v.Data(), v.Count());
}

tIntvector IndexSortText(const tStringVector& t)
{
    // std::string compares as unsigned bytes, a shorter prefix first.
    return SortPositions(t.Count(), [&t](int32_t a, int32_t b) {
        const int order = t[static_cast<std::size_t>(a)].compare(t[static_cast<std::size_t>(b)]);
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    });
}

tintmatrix MatchKeys(const trealmatrix& a, const trealmatrix& b)
{
    const int32_t m = a.Cols();
    const int32_t n = b.Cols();
    std::vector<int32_t> partner(static_cast<std::size_t>(m) + 1, 0);
    int32_t matches = 0;
    if (m > 0 && n > 0) {
        const tIntvector orderA = SortIndexColumns(a);
        const tIntvector orderB = SortIndexColumns(b);
        auto keyB = [&](int32_t i) { return KeyOf(b, orderB[static_cast<std::size_t>(i)]); };
        int32_t i = 1;
        long double current = keyB(1);
        for (int32_t j = 1; j <= m; ++j) {
            const int32_t column = orderA[static_cast<std::size_t>(j)];
            const long double key = static_cast<double>(KeyOf(a, column));
            auto matchCurrent = [&] {
                if (key != static_cast<double>(current))
                    return;
                partner[static_cast<std::size_t>(column)] = orderB[static_cast<std::size_t>(i)];
                ++matches;
            };
            if (key == static_cast<double>(current)) {
                matchCurrent();
            } else if (key > current) {
                while (i <= n && keyB(i) < key)
                    ++i;
                if (i > n)
                    break;
                current = keyB(i);
                matchCurrent();
            }
        }
    }
    tintmatrix result(2, matches);
    int32_t next = 0;
    for (int32_t k = 1; k <= m; ++k) {
        if (partner[static_cast<std::size_t>(k)] != 0) {
            ++next;
            result(1, next) = k;
            result(2, next) = partner[static_cast<std::size_t>(k)];
        }
    }
    return result;
}

} // namespace zelvora
