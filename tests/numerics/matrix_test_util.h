// Helpers of the numerics tests: building matrices from rows of numbers, random matrices and
// their differences.
#pragma once

#include "numerics/matrix_types.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <ostream>
#include <random>

#include <gtest/gtest.h>

namespace zelvora::testing {

// A matrix from its rows, 1-based; all rows must be equally long.
inline trealmatrix Mat(std::initializer_list<std::initializer_list<long double>> rows)
{
    const auto cols = rows.size() == 0 ? 0 : static_cast<int32_t>(rows.begin()->size());
    trealmatrix m(static_cast<int32_t>(rows.size()), cols);
    int32_t r = 0;
    for (const auto& row : rows) {
        ++r;
        int32_t c = 0;
        for (long double value : row)
            m(r, ++c) = value;
    }
    return m;
}

inline tStringmatrix Texts(std::initializer_list<std::initializer_list<const char*>> rows)
{
    const auto cols = rows.size() == 0 ? 0 : static_cast<int32_t>(rows.begin()->size());
    tStringmatrix m(static_cast<int32_t>(rows.size()), cols);
    int32_t r = 0;
    for (const auto& row : rows) {
        ++r;
        int32_t c = 0;
        for (const char* text : row)
            m(r, ++c) = text;
    }
    return m;
}

// A hash of the data bits of every element (the ten bytes of the 80-bit real), row by row: two
// results hash alike only when they agree bit for bit.
inline std::uint64_t BitHash(const trealmatrix& m)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c) {
            const long double value = m(r, c);
            unsigned char bytes[sizeof(long double)];
            std::memcpy(bytes, &value, sizeof bytes);
            for (int i = 0; i < 10; ++i)
                hash = (hash ^ bytes[i]) * 1099511628211ull;
        }
    }
    return hash;
}

// True when every spare slot (row 0, column 0) holds 0.
// The largest absolute difference of two matrices of one shape.
inline long double MaxDifference(const trealmatrix& a, const trealmatrix& b)
{
    EXPECT_EQ(a.Dims(), b.Dims());
    long double worst = 0;
    for (int32_t r = 1; r <= a.Rows(); ++r)
        for (int32_t c = 1; c <= a.Cols(); ++c)
            worst = std::max(worst, std::fabs(a(r, c) - b(r, c)));
    return worst;
}

// rows x cols with elements drawn uniformly from [-1, 1).
inline trealmatrix RandomMatrix(std::mt19937& gen, int32_t rows, int32_t cols)
{
    std::uniform_real_distribution<double> value(-1, 1);
    trealmatrix m(rows, cols);
    for (int32_t r = 1; r <= rows; ++r)
        for (int32_t c = 1; c <= cols; ++c)
            m(r, c) = value(gen);
    return m;
}

inline bool SparesAreZero(const trealmatrix& m)
{
    for (int32_t c = 0; c <= m.Cols(); ++c) {
        if (m(0, c) != 0)
            return false;
    }
    for (int32_t r = 0; r <= m.Rows(); ++r) {
        if (m(r, 0) != 0)
            return false;
    }
    return true;
}

} // namespace zelvora::testing

namespace zelvora {
// Shows a matrix in failure messages, row by row.
template <typename T> void PrintTo(const tMatrix<T>& m, std::ostream* out)
{
    *out << m.Rows() << "x" << m.Cols() << " [";
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        *out << (r > 1 ? "; " : "");
        for (int32_t c = 1; c <= m.Cols(); ++c)
            *out << (c > 1 ? " " : "") << m(r, c);
    }
    *out << "]";
}
} // namespace zelvora
