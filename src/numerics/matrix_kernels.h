// Loops shared by the library's element-by-element routines (internal to the numerics folder).
#pragma once

#include "numerics/matrix_types.h"

namespace zelvora::kernels {

// Sets row 0 and column 0 of a matrix to 0 (or the empty text).
template <typename T> void ZeroSpares(tMatrix<T>& m)
{
    std::fill_n(m.Row(0), m.Stride(), T());
    for (int32_t r = 1; r <= m.Rows(); ++r)
        m(r, 0) = T();
}

// A result of the given shape whose elements the caller writes; spare slots are already zero.
template <typename T> tMatrix<T> NewResult(int32_t rows, int32_t cols)
{
    tMatrix<T> m(rows, cols, noInit);
    ZeroSpares(m);
    return m;
}

// Applies f to every element of m, row by row.
template <typename R, typename T, typename F> tMatrix<R> MapElements(const tMatrix<T>& m, F f)
{
    tMatrix<R> result = NewResult<R>(m.Rows(), m.Cols());
    const int32_t cols = m.Cols();
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        const T* in = m.Row(r);
        R* out = result.Row(r);
        for (int32_t c = 1; c <= cols; ++c)
            out[c] = f(in[c]);
    }
    return result;
}

// How two shapes combine element by element: equal sizes, or one of them 1 in each dimension.
struct tBroadcastPlan {
    bool fits = false;
    int32_t rows = 0;
    int32_t cols = 0;
    bool leftRowFixed = false; // the left operand has one row that serves every result row
    bool leftColFixed = false;
    bool rightRowFixed = false;
    bool rightColFixed = false;
};

inline tBroadcastPlan PlanBroadcast(tMatDims left, tMatDims right)
{
    tBroadcastPlan plan;
    auto combine = [](int32_t a, int32_t b, int32_t& size, bool& aFixed, bool& bFixed) {
        if (a == b) {
            size = a;
        } else if (a == 1) {
            size = b;
            aFixed = true;
        } else if (b == 1) {
            size = a;
            bFixed = true;
        } else {
            return false;
        }
        return true;
    };
    plan.fits = combine(left.cols, right.cols, plan.cols, plan.leftColFixed, plan.rightColFixed)
        && combine(left.rows, right.rows, plan.rows, plan.leftRowFixed, plan.rightRowFixed);
    return plan;
}

// Rows first..last of out(i, j) = f(left(i or 1, j or 1), right(i or 1, j or 1)) over a fitting
// plan; result has the plan's shape.
template <typename R, typename T, typename F>
void BroadcastRows(const tMatrix<T>& left, const tMatrix<T>& right, const tBroadcastPlan& plan, F f,
    tMatrix<R>& result, int32_t first, int32_t last)
{
    const int32_t cols = plan.cols;
    for (int32_t r = first; r <= last; ++r) {
        const T* a = left.Row(plan.leftRowFixed ? 1 : r);
        const T* b = right.Row(plan.rightRowFixed ? 1 : r);
        R* out = result.Row(r);
        if (!plan.leftColFixed && !plan.rightColFixed) {
            for (int32_t c = 1; c <= cols; ++c)
                out[c] = f(a[c], b[c]);
        } else if (plan.leftColFixed) {
            const T& a1 = a[1];
            for (int32_t c = 1; c <= cols; ++c)
                out[c] = f(a1, b[c]);
        } else {
            const T& b1 = b[1];
            for (int32_t c = 1; c <= cols; ++c)
                out[c] = f(a[c], b1);
        }
    }
}

// out(i, j) = f(left(i or 1, j or 1), right(i or 1, j or 1)) over a fitting plan.
template <typename R, typename T, typename F>
tMatrix<R> BroadcastElements(
    const tMatrix<T>& left, const tMatrix<T>& right, const tBroadcastPlan& plan, F f)
{
    tMatrix<R> result = NewResult<R>(plan.rows, plan.cols);
    BroadcastRows(left, right, plan, f, result, 1, plan.rows);
    return result;
}

} // namespace zelvora::kernels
