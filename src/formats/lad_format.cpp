// The loadings file (LAD) writer.
#include "formats/lad_format.h"

#include "formats/matrix_text_io.h"
#include "numerics/run_time_error.h"

#include <algorithm>

namespace zelvora {
namespace {

constexpr std::int32_t MaxLoadingsSize = 15;

std::string RightAligned(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

} // namespace

tFormatResult LadWrite(const trealmatrix& m, std::string_view fileName)
{
    const std::int32_t rows = std::min(m.Rows(), MaxLoadingsSize);
    const std::int32_t cols = std::min(m.Cols(), MaxLoadingsSize);
    std::string text = "OX(ANIM):FACTORLOADINGS." + RightAligned(std::to_string(rows), 4);
    text += MatrixFileLineEnd;
    for (std::int32_t r = 1; r <= rows; ++r) {
        text += RightAligned("Zeile " + std::to_string(r), 24);
        for (std::int32_t c = 1; c <= cols; ++c)
            text += MatrixNumberText(m(r, c), 8, 5, '.');
        text += MatrixFileLineEnd;
    }
    text += "-  ";
    text += MatrixFileLineEnd;
    if (WriteWholeFile(fileName, text) != 0)
        return WriteFailure(fileName);
    return {};
}

} // namespace zelvora
