// The loadings file (LAD) read by the animation program: at most 15 x 15 loadings as fixed text.
#pragma once

#include "formats/matrix_text_io.h"
#include "numerics/matrix_types.h"

#include <string_view>

namespace zelvora {

// With r' = min(rows, 15) and c' = min(cols, 15): "OX(ANIM):FACTORLOADINGS." and r' right-aligned
// in 4; per row "Zeile i" right-aligned in 24 and c' elements with 5 decimals right-aligned in 8
// (a number wider than its field fails the writing, naming its place, so that fields never run
// together); the line "-  ". Lines end in CR LF. A file that cannot be written is a failure with
// its message.
tFormatResult LadWrite(const trealmatrix& m, std::string_view fileName);

} // namespace zelvora
