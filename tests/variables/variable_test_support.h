// Building variable records and checking matrices in the variable tests.
#pragma once

#include "variables/variable.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora::testing {

using tRows = std::initializer_list<std::initializer_list<long double>>;
using tTextRows = std::initializer_list<std::initializer_list<const char*>>;

inline trealmatrix Mat(tRows rows)
{
    const auto cols = rows.size() == 0 ? 0 : rows.begin()->size();
    trealmatrix m(static_cast<int32_t>(rows.size()), static_cast<int32_t>(cols));
    int32_t r = 0;
    for (const auto& row : rows) {
        ++r;
        int32_t c = 0;
        for (long double x : row)
            m(r, ++c) = x;
    }
    return m;
}

inline tStringmatrix TextMat(tTextRows rows)
{
    tStringmatrix m(static_cast<int32_t>(rows.size()), static_cast<int32_t>(rows.begin()->size()));
    int32_t r = 0;
    for (const auto& row : rows) {
        ++r;
        int32_t c = 0;
        for (const char* s : row)
            m(r, ++c) = s;
    }
    return m;
}

inline tVariable Int(int32_t n)
{
    tVariable v;
    VarSetInteger(v, n);
    return v;
}

inline tVariable Real(long double x)
{
    tVariable v;
    VarSetReal(v, x);
    return v;
}

inline tVariable Bool(bool b)
{
    tVariable v;
    VarSetBoolean(v, b);
    return v;
}

inline tVariable Str(std::string s)
{
    tVariable v;
    VarSetString(v, std::move(s));
    return v;
}

inline tVariable RealMat(tRows rows, uint8_t tag = tgPlain)
{
    tVariable v;
    VarSetMatrix(v, Mat(rows), tag);
    return v;
}

inline tVariable IntMat(tRows rows, uint8_t tag = tgPlain)
{
    tVariable v;
    VarSetIntMatrix(v, Mat(rows), tag);
    return v;
}

inline tVariable BoolMat(tRows rows, uint8_t tag = tgLogical)
{
    tVariable v;
    VarSetBoolMatrix(v, Mat(rows), tag);
    return v;
}

inline tVariable StrMat(tTextRows rows, uint8_t tag = tgLogical)
{
    tVariable v;
    VarSetStrMatrix(v, TextMat(rows), tag);
    return v;
}

// A range list whose rows are the given [lower, upper] pairs.
inline tVariable Ranges(tRows rows, bool integer = true)
{
    tVariable v;
    VarSetRangeMatrix(v, Mat(rows), integer);
    return v;
}

inline tVariable Vec(std::initializer_list<int32_t> values)
{
    tVariable v;
    VarSetVector(v, std::vector<int32_t>(values));
    return v;
}

inline tVariable Named(tVariable v, std::string name)
{
    v.name = std::move(name);
    return v;
}

// The record's datatype, tag and shape.
struct tKind {
    int datatype;
    int tag;
    int shape;
    bool operator==(const tKind&) const = default;
};

inline tKind KindOf(const tVariable& v)
{
    return { v.datatype, v.tag, v.shape };
}

inline std::ostream& operator<<(std::ostream& out, const tKind& k)
{
    return out << "{datatype " << k.datatype << ", tag " << k.tag << ", shape " << k.shape << "}";
}

inline ::testing::AssertionResult MatrixNear(
    const trealmatrix& actual, const trealmatrix& expected, long double tolerance = 0)
{
    if (actual.Dims() != expected.Dims())
        return ::testing::AssertionFailure()
            << "size " << actual.Rows() << "x" << actual.Cols() << ", expected " << expected.Rows()
            << "x" << expected.Cols();
    for (int32_t r = 1; r <= actual.Rows(); ++r) {
        for (int32_t c = 1; c <= actual.Cols(); ++c) {
            if (!(std::fabs(actual(r, c) - expected(r, c)) <= tolerance))
                return ::testing::AssertionFailure()
                    << "(" << r << ", " << c << ") is " << static_cast<double>(actual(r, c))
                    << ", expected " << static_cast<double>(expected(r, c));
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace zelvora::testing
