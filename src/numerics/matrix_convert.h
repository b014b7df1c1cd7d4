// Conversions between the library's matrix, vector, integer, range and text types.
#pragma once

#include "numerics/matrix_types.h"
#include "numerics/result.h"

#include <initializer_list>
#include <span>

namespace zelvora {

// Vectors holding the given numbers at 1..n.
tRealVector RealsToVector(std::span<const long double> values);
tRealVector RealsToVector(std::initializer_list<long double> values);
tIntvector IntsToVector(std::span<const int32_t> values);
tIntvector IntsToVector(std::initializer_list<int32_t> values);

// kind 1: the 1 x n row; kind 2: the n x 1 column; any other kind fails.
tResult<trealmatrix> VectorToMatrix(const tRealVector& v, int32_t kind);
// One row per vector; the column count is the length of the first vector. Longer vectors are cut,
// shorter ones leave zeros. No vectors give a 0 x 0 matrix.
trealmatrix VectorsToMatrix(std::span<const tRealVector> vectors);

// r x c filled row by row from the numbers; r = c = 0 gives 1 x n, c = 0 gives c = n div r,
// r = 0 gives r = n div c. Numbers beyond r*c are dropped, cells beyond n stay 0. A negative size
// fails.
tResult<trealmatrix> ValuesToMatrix(
    std::span<const long double> values, int32_t rows, int32_t cols);
tResult<trealmatrix> ValuesToMatrix(std::span<const int32_t> values, int32_t rows, int32_t cols);

// kind 1: row `index` (cols elements); kind 2: column `index` (rows elements); kind 3: all elements
// row by row. An index outside the matrix raises tRangeError; any other kind leaves out unchanged.
void MatrixToVector(const trealmatrix& m, int32_t kind, int32_t index, tRealVector& out);
// kind 1: the first row; kind 2: the first column; kind 3: all elements row by row; each element
// rounded to 32 bits (RoundToInt32). A matrix without a first row or column raises tRangeError;
// any other kind gives an empty vector.
tIntvector MatrixToIntVector(const trealmatrix& m, int32_t kind);
tRealVector IntVectorToRealVector(const tIntvector& v);
// Elements rounded to 32 bits (RoundToInt32).
tintmatrix RoundToIntMatrix(const trealmatrix& m);

// n = (b + step - a) div step elements a, a+step, ...; n <= 0 gives the one-element vector [0].
// step 0 raises tIntDivisionByZeroError.
tIntvector IntSequence(int32_t a, int32_t b, int32_t step = 1);
// Indices of all ranges in list order. A lower bound equal to INT32_MAX becomes the limit, one
// below 1 becomes 1; an upper bound equal to INT32_MAX or above the limit becomes the limit; a
// range whose upper bound then lies below its lower bound contributes nothing. An absent list gives
// [1].
tIntvector RangesToIndexVector(const tintrangelist& ranges, int32_t limit);

// Ranges from reals, bounds rounded to 32 bits (RoundToInt32); one number gives equal bounds.
tIntRange IntRangeFromReals(long double lower, long double upper);
tIntRange IntRangeFromReals(long double value);
tRealRange RealRange(long double lower, long double upper);
tRealRange RealRange(long double value);
// Lists of n copies of a range at 1..n.
tintrangelist IntRangeList(int32_t n, const tIntRange& range);
trealrangelist RealRangeList(int32_t n, const tRealRange& range);
// One range per row: lower = column 1, upper = column 2 (column 1 when there is one column); a
// matrix without columns raises tRangeError.
trealrangelist MatrixToRangeList(const trealmatrix& m);
// n x 2 matrix of lower and upper bounds.
trealmatrix RangeListToMatrix(const trealrangelist& ranges);

// Elements in the general format: 15 significant digits, shortest form, the context's decimal
// separator.
tStringmatrix RealToText(const trealmatrix& m);
// Decimal integers.
tStringmatrix IntToText(const tintmatrix& m);
// Elements rounded to 64-bit integers (RoundToInt64), in decimal.
tStringmatrix RoundToText(const trealmatrix& m);
// Each text trimmed and parsed as a real with the context's decimal separator; 0 when it is no
// number (or out of the extended range).
trealmatrix TextToReal(const tStringmatrix& texts);
// The same for one text; false when it is no number.
bool ParseReal(std::string_view text, long double* value);
// One real in the general format of RealToText.
std::string FormatReal(long double value);

} // namespace zelvora
