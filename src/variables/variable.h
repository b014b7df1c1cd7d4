// The variable record: one value of the language, named or temporary, and the operations on a
// single record (setters, getters, copying, cell setters, dimensions).
#pragma once

#include "numerics/matrix_types.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

enum tDatatype : std::uint8_t {
    dtNone = 0,
    dtInteger = 1,
    dtReal = 2,
    dtBoolean = 3,
    dtString = 4
};
enum tShape : std::uint8_t {
    shEmpty = 0,
    shScalar = 1,
    shMatrix = 2,
    shHandle = 3,
    shRange = 4,
    shVector = 5,
    // A failure standing as an operand on the evaluation machine (code in intvalue, message in
    // strvalue); never stored, shown or written.
    shFailure = 7
};
enum tTag : std::uint8_t { tgNone = 0, tgPlain = 1, tgLogical = 2, tgRange = 3, tgVector = 4 };

inline constexpr std::size_t MaxVariableNameLength = 32;

// Fields in the order the workspace file writes them.
struct tVariable {
    std::string name; // at most 32 bytes when stored
    std::uint8_t datatype = dtNone;
    std::uint8_t tag = tgNone;
    std::uint8_t shape = shEmpty;
    std::uint8_t reserved = 0;
    long double realvalue = 0;
    std::int32_t intvalue = 0;
    std::uint8_t boolvalue = 0;
    std::string strvalue;
    trealmatrix matrix; // datatypes 1 to 3 of matrix-like values
    tStringmatrix strmatrix; // datatype 4 of matrix-like values
    std::uintptr_t handle = 0; // shape 3 only
};

// Operands and results of operators; the store's array. Index 0 is unused where the program says
// so.
using tVariableArray = std::vector<tVariable>;

// The marker of a missing number: the extended real 1.5 * 2^-14086 (bytes 00 .. 00 C0 F9 08).
long double MissingValue();

// The name cut to the 32 bytes a stored name may have.
std::string CutVariableName(std::string_view name);

// ---- Setters. Each clears the record first (name included) unless it says otherwise.

// Empties the name, zeroes datatype, tag, shape and the scalar fields, releases the string and both
// matrices, clears the handle; `reserved` is left as it is.
void VarClear(tVariable& v);
void VarSetReal(tVariable& v, long double x);
void VarSetInteger(tVariable& v, std::int32_t n);
void VarSetBoolean(tVariable& v, bool b);
void VarSetString(tVariable& v, std::string s);
// Shape 2 with the given tag: real (datatype 2), integer (1), boolean (3) or string (4) elements.
// The matrix is moved in, so a temporary costs no copy.
void VarSetMatrix(tVariable& v, trealmatrix m, std::uint8_t tag);
void VarSetIntMatrix(tVariable& v, trealmatrix m, std::uint8_t tag);
void VarSetBoolMatrix(tVariable& v, trealmatrix m, std::uint8_t tag);
void VarSetStrMatrix(tVariable& v, tStringmatrix s, std::uint8_t tag);
// The 1 x n integer vector (shape 5, datatype 1, tag 4).
void VarSetVector(tVariable& v, std::span<const std::int32_t> values);
// A one-row range list holding the values in order (normally lower and upper bound): shape 4,
// tag 3, datatype 1 for integers and 2 for reals. The name is kept.
void VarSetRange(tVariable& v, std::span<const std::int32_t> values);
void VarSetRange(tVariable& v, std::span<const long double> values);
// The n x 2 matrix of the list's bounds as a real range list (shape 4, tag 3, datatype 2). The
// name is kept.
void VarSetRangeList(tVariable& v, const trealrangelist& ranges);
// A one- or two-column matrix read as a range list (rows are ranges; one column gives equal
// bounds), values not rounded; datatype 1 when integer, else 2. The name is kept. A matrix without
// columns gives an empty range list.
void VarSetRangeMatrix(tVariable& v, const trealmatrix& m, bool integer);

// mode 1: target becomes a copy of source (name included). mode -1: a negated copy: integer -n
// (INT32_MIN raises tRangeError), real -x, boolean NOT, string unchanged; numeric matrix-like
// values 0 - x per element, boolean ones NOT per element; string matrices copied. Shapes 0 and 6
// or more copy only name, datatype, tag and shape; shape 3 copies the handle.
void VarCopy(tVariable& target, const tVariable& source, int mode);

// Element (row, column) of a numeric (datatypes 1 to 3) or string matrix of shape 2, set in place;
// nothing happens for another record or a position outside the matrix.
void VarSetCell(tVariable& v, std::int32_t row, std::int32_t column, long double x);
void VarSetStrCell(tVariable& v, std::int32_t row, std::int32_t column, std::string s);

// Rows: of the matrix (or string matrix) for shapes 2 and 4, else 1. Columns: of the matrix for
// shapes 2 and 5, 2 for shape 4, else 1.
std::int32_t VarRows(const tVariable& v);
std::int32_t VarCols(const tVariable& v);
bool VarIsSquare(const tVariable& v);

// ---- Getters: the record read as one number, truth value or text. Matrix-like records use
// element (1, 1); a matrix without elements reads as 0, false or the empty text.

// Integer as is, real rounded (ties to even; outside 32 bits or not finite raises tRangeError),
// boolean 0/1; strings and empty records 0.
std::int32_t VarAsInteger(const tVariable& v);
// Non-zero numbers and true booleans; a string matrix element that is not blank after trimming.
bool VarAsBoolean(const tVariable& v);
// Integer, real and boolean (0/1) as a real; else 0.
long double VarAsReal(const tVariable& v);
// Integer in decimal; reals (and numeric matrix elements) in the general format with the running
// session's decimal separator (the numerics context's, which a session sets at every run start);
// booleans "TRUE" or "FALSE"; strings as they are; else empty.
std::string VarAsString(const tVariable& v);

} // namespace zelvora
