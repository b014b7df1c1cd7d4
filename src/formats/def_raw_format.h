// Definition/raw pairs: the listing in which a statistics package reports a WRITE of fixed-column
// data (".def") and the data file with the cases as fixed-column text lines (".raw").
#pragma once

#include "formats/matrix_text_io.h"

#include <string_view>

namespace zelvora {

// Most variables taken from one definition listing.
inline constexpr std::int32_t MaxDefinedVariables = 2000;

// Reads both files. A missing or unreadable file fails with the reader's message ("Datei <name>
// konnte nicht geöffnet werden"; the definition file is looked at first); see DefRawParse for the
// rest.
tMatrixReadResult DefRawRead(
    std::string_view defName, std::string_view rawName, const tCheckpoint* checkpoint = nullptr);

// The listing: after the line with "WRITE HAS GENERATED", the first line with "RECORDS HAVE BEEN
// WRITTEN" gives the records (lines) per case R as its first word; from there each line of a run
// of lines containing "NUMERIC" defines a variable by its tokens t0 (name), t2 (record, default
// 1), t4 (start column, default 1) and t8 (end column; the width is 0 without it). The matrix has
// one row per case ((data lines) div R) and one column per variable; a cell is the trimmed text
// of the variable's columns in its record line, read with the locale's decimal separator (empty
// or not a number: 0). Fails with "Keine Daten in <raw>", with a message naming the listing when
// it defines no records or variables or a variable outside the case's lines and columns, and
// when the matrix would be larger than a reader makes.
tMatrixReadResult DefRawParse(std::string_view defText, std::string_view rawText,
    std::string_view defName, std::string_view rawName);

} // namespace zelvora
