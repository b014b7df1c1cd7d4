// Element selection X[...], assignment into part of a variable, and range-list building.
#pragma once

#include "numerics/matrix_types.h"
#include "variables/variable.h"

#include <cstdint>
#include <string>

namespace zelvora {

// Replaces target's matrix (or string matrix) by the selected rows and columns, in list order,
// repetitions allowed. mode 1: one selector s1, naming columns of a one-row matrix and rows
// otherwise; mode 2: columns from s2; mode 3: rows from s1 and columns from s2. Index lists come
// from VarToIndexVector with the row or column count as limit; indexes outside the matrix are
// dropped (none left gives 0 rows or columns). Scalars, range lists and one-element matrices stay
// unchanged; tag, datatype and shape are kept.
void VarSelect(tVariable& target, const tVariable& s1, const tVariable& s2, std::int32_t mode);

// Why the selection of VarSelect (mode 1 without s2, mode 3 with it) would drop an index: a number
// or index matrix naming a row or column outside the matrix, or a range list with nothing inside
// it; the text names the index and the size. Empty when every index lies inside (and for the
// values VarSelect leaves unchanged).
std::string VarSelectionOutside(const tVariable& target, const tVariable& s1, const tVariable* s2);

// T with V written at rows r and columns c: element (r[i], c[j]) takes V's element (i, j) for a
// matrix V, or V's value (into (r[1], c[1]) only) for a scalar V; positions outside T are skipped.
// Integer and real pairs give a real matrix (tag 1), two string operands a string matrix (tag 2),
// any other pair a copy of V. The result has no name. Lists shorter than V's rows or columns raise
// tRangeError.
tVariable VarAssignPart(const tVariable& target, const tVariable& value, const tIntvector& rows,
    const tIntvector& cols);

// The record as an integer range list with the same name (shape 4, datatype 1, tag 3), for
// integer and real records; others give the empty record.
tVariable VarToIntRange(const tVariable& v);

// L's ranges followed by R's (each read with VarToRangeList) under L's name: datatype 1 when both
// are integer or boolean, 2 when a real is involved; a string or empty operand gives the empty
// record.
tVariable VarConcatRanges(const tVariable& l, const tVariable& r);

} // namespace zelvora
