// Pari/GP text (PARI) writer.
#include "formats/pari_format.h"

namespace zelvora {

tFormatResult PariWrite(const trealmatrix& m, std::string_view fileName, std::int32_t width,
    std::int32_t decimals, std::string_view textOption, tClipboardPort* clipboard)
{
    std::string rows;
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        if (r > 1)
            rows += ';';
        for (std::int32_t c = 1; c <= m.Cols(); ++c) {
            if (c > 1)
                rows += ',';
            rows += MatrixNumberText(m(r, c), width, decimals, '.');
        }
    }
    if (IsClipboardName(fileName)) {
        const std::string_view name
            = textOption.empty() || textOption == "T." ? std::string_view("clip=") : textOption;
        return PutOnClipboard(clipboard, "{" + std::string(name) + " [" + rows + "];}");
    }
    return WriteTextFile(fileName, "{[" + rows + "];}" + std::string(MatrixFileLineEnd));
}

} // namespace zelvora
