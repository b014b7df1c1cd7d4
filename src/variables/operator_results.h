// Result records of the variable operators, the formula machine and the built-in functions.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"
#include "variables/variable.h"

#include <cstdint>
#include <string>

namespace zelvora::operators {

// A new record is as VarClear leaves one: the scalars set only their own fields.
inline tVariable IntegerResult(std::int32_t n)
{
    tVariable v;
    v.shape = shScalar;
    v.datatype = dtInteger;
    v.intvalue = n;
    return v;
}

inline tVariable RealResult(long double x)
{
    tVariable v;
    v.shape = shScalar;
    v.datatype = dtReal;
    v.realvalue = x;
    return v;
}

inline tVariable BooleanResult(bool b)
{
    tVariable v;
    VarSetBoolean(v, b);
    return v;
}

inline tVariable StringResult(std::string s)
{
    tVariable v;
    VarSetString(v, std::move(s));
    return v;
}

inline tVariable RealMatrixResult(trealmatrix m, std::uint8_t tag)
{
    tVariable v;
    VarSetMatrix(v, std::move(m), tag);
    return v;
}

// An integer matrix; one whose cells leave 32 bits (a product of large integers) is a real
// matrix with the same exact values, so that showing it never fails.
tVariable IntMatrixResult(trealmatrix m, std::uint8_t tag);

inline tVariable BoolMatrixResult(trealmatrix m, std::uint8_t tag)
{
    tVariable v;
    VarSetBoolMatrix(v, std::move(m), tag);
    return v;
}

inline tVariable StringMatrixResult(tStringmatrix s, std::uint8_t tag)
{
    tVariable v;
    VarSetStrMatrix(v, std::move(s), tag);
    return v;
}

// The n x 2 matrix as a range list (values not rounded).
inline tVariable RangeResult(const trealmatrix& m, bool integer)
{
    tVariable v;
    VarSetRangeMatrix(v, m, integer);
    return v;
}

// The same records of a routine's result. A routine that failed gives the empty value, which the
// machine words as the operator's failure for its operands (the sizes that do not fit).
inline tVariable RealMatrixResult(const tResult<trealmatrix>& m, std::uint8_t tag)
{
    return m ? RealMatrixResult(*m, tag) : tVariable {};
}
inline tVariable IntMatrixResult(const tResult<trealmatrix>& m, std::uint8_t tag)
{
    return m ? IntMatrixResult(*m, tag) : tVariable {};
}
inline tVariable StringMatrixResult(const tResult<tStringmatrix>& s, std::uint8_t tag)
{
    return s ? StringMatrixResult(*s, tag) : tVariable {};
}
inline tVariable RangeResult(const tResult<trealmatrix>& m, bool integer)
{
    return m ? RangeResult(*m, integer) : tVariable {};
}

// A numeric matrix-like result with the shape and tag of `like` (a matrix, range list or vector)
// and the given element type.
inline tVariable SameShapeResult(const tVariable& like, trealmatrix m, std::uint8_t datatype)
{
    tVariable v;
    v.datatype = datatype;
    v.tag = like.tag;
    v.shape = like.shape;
    v.matrix = std::move(m);
    return v;
}

// A 32-bit integer result computed in 64 bits; outside 32 bits raises tRangeError.
std::int32_t CheckedInt32(std::int64_t n);
// The result of integer arithmetic computed in 64 bits: an integer when it fits 32 bits,
// otherwise the same number as a real (exact: the real's mantissa has 64 bits).
tVariable WideIntegerResult(std::int64_t n);

} // namespace zelvora::operators
