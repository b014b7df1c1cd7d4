// Separated-values text (CSV): numeric and string matrices written to files or the clipboard, and
// numeric matrices read from files or the clipboard, free or in a triangular or diagonal shape.
#pragma once

#include "formats/matrix_text_io.h"

#include <cstdint>
#include <string_view>

namespace zelvora {

// Error code of a failed read (a file that cannot be opened, a value that does not convert) when
// a formula reads the file.
inline constexpr std::int32_t CsvReadErrorCode = 17;

// One line per row, cells as MatrixNumberText(width, decimals) separated by character 1 of
// textOption ("T", "t" or none: a tab), numbers with character 2 as the decimal separator ('.'
// when the option is shorter), each line ended by CR LF. The name "CLIP" puts the same text on the
// clipboard (null: none). Failure (file not written, no clipboard) is reported, never swallowed.
tFormatResult CsvWrite(const trealmatrix& m, std::string_view fileName, std::int32_t width,
    std::int32_t decimals, std::string_view textOption, tClipboardPort* clipboard = nullptr);

// Strings left-aligned and padded with blanks to the longest element of their column, separated
// as by CsvWrite, unquoted, each line ended by CR LF; "CLIP" writes to the clipboard.
tFormatResult StringCsvWrite(const tStringmatrix& m, std::string_view fileName,
    std::string_view textOption, tClipboardPort* clipboard = nullptr);

// Reads a file, or the clipboard's text when the name folds to "CLIPBOARD" (null: none). Fails at
// once while the library's error code is set. Trimmed lines that are empty or begin with ';' are
// passed over. Without a format (empty after trimming) every line is a row: the columns are the
// number tokens of the first line, each row takes the tokens at their positions, and a cell whose
// token is no number is MissingValue(). A format's letters L, D, U (and Y: mirror) lay the
// blank-separated values of the whole text into a triangle, the diagonal or everything. A file that
// cannot be opened or a value that does not convert sets the library error (code 17) and fails;
// values beyond the shape's last cell raise tRangeError. The matrix is 0 x 0 on failure.
tMatrixReadResult CsvRead(std::string_view fileName, std::string_view format,
    tClipboardPort* clipboard = nullptr, const tCheckpoint* checkpoint = nullptr);

} // namespace zelvora
