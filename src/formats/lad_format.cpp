// The loadings file (LAD) writer.
#include "formats/lad_format.h"

#include "formats/matrix_text_io.h"
#include "numerics/run_time_error.h"

#include <algorithm>

namespace zelvora {
namespace {

constexpr std::int32_t MaxLoadingsSize = 15;
constexpr std::size_t LoadingWidth = 8;

std::string TrimmedNumber(const std::string& text)
{
    return std::string(TrimmedView(text));
}

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
        for (std::int32_t c = 1; c <= cols; ++c) {
            // The reader takes fixed fields: a number wider than its field would run into its
            // neighbour, so the file is not written.
            const std::string number
                = MatrixNumberText(m(r, c), static_cast<std::int32_t>(LoadingWidth), 5, '.');
            if (number.size() > LoadingWidth)
                return { false,
                    CutMessage("LAD: die Zahl " + TrimmedNumber(number) + " in Zeile "
                        + std::to_string(r) + ", Spalte " + std::to_string(c)
                        + " passt nicht in ihr Feld von 8 Zeichen") };
            text += number;
        }
        text += MatrixFileLineEnd;
    }
    text += "-  ";
    text += MatrixFileLineEnd;
    if (WriteWholeFile(fileName, text) != 0)
        return WriteFailure(fileName);
    return {};
}

} // namespace zelvora
