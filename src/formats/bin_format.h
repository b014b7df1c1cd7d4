// Binary rows (BIN): no header, one record per row of 8-byte little-endian doubles followed by the
// bytes 13 and 10.
#pragma once

#include "formats/matrix_text_io.h"

#include <cstdint>
#include <string_view>

namespace zelvora {

// Most columns of a record on either side.
inline constexpr std::int32_t MaxBinaryColumns = 1023;

// The records of m; elements below 1e-128 in magnitude are written as 0.0. More than 1023
// columns raise tRangeError. Fails with "Datei <name> konnte nicht geöffnet werden" when the file
// cannot be created and "Datei <name> konnte nicht geschrieben werden" when it was not written
// whole.
tFormatResult BinWrite(const trealmatrix& m, std::string_view fileName);

// Records of 8 columns + 2 bytes: ceil(size / record) rows of columns doubles; a short last
// record leaves the cells it does not reach 0. A column count outside 1..1023 raises tRangeError.
// Fails with "Datei <name> konnte nicht geöffnet werden" (the matrix then 0 x 0).
tMatrixReadResult BinRead(
    std::string_view fileName, std::int32_t columns, const tCheckpoint* checkpoint = nullptr);
// The same on bytes already read.
tMatrixReadResult BinParse(std::string_view bytes, std::int32_t columns);

} // namespace zelvora
