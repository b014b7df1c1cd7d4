// Hexadecimal text (HEX): each element as the 16 hex digits of its 64-bit IEEE double, one line
// per row.
#pragma once

#include "formats/matrix_text_io.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora {

// The 16 upper-case hex digits of x as a double, most significant byte first (1.0 is
// 3FF0000000000000). A finite value beyond the double range becomes an infinity.
std::string HexDigitsOfDouble(long double x);

// One line per row, the cells' hex digits without separators, lines ended by CR LF. A file that
// cannot be written is a failure with its message (the old file stays).
tFormatResult HexWrite(const trealmatrix& m, std::string_view fileName);

// One row per line; the column count is (length of the first line + 15) div 16. Cell j takes the
// 16 characters from position 16 (j - 1): pairs of hex digits (either case; any other character
// counts as 0) fill the double's bytes from the most significant one; missing characters leave
// bytes 0. Fails with "Datei <name> konnte nicht geöffnet werden" or "Keine Daten in <name>";
// the matrix is then the 1 x 1 zero matrix.
tMatrixReadResult HexRead(std::string_view fileName, const tCheckpoint* checkpoint = nullptr);

} // namespace zelvora
