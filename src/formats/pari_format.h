// Pari/GP text (PARI): a matrix as a Pari/GP matrix literal, to a file or the clipboard.
#pragma once

#include "formats/matrix_text_io.h"

#include <cstdint>
#include <string_view>

namespace zelvora {

// The rows as cells in MatrixNumberText(width, decimals) with '.', joined by ',' within a row and
// by ';' between rows. To a file: "{[" rows "];}" and CR LF. To "CLIP": "{" name " [" rows "];}"
// where the name is textOption, or "clip=" when it is empty or the default "T.". Failure (file
// not written, no clipboard) is reported.
tFormatResult PariWrite(const trealmatrix& m, std::string_view fileName, std::int32_t width,
    std::int32_t decimals, std::string_view textOption, tClipboardPort* clipboard = nullptr);

} // namespace zelvora
