// Bitmaps (BMP): a picture read as its red, green and blue planes, and one matrix of the three
// planes stacked written as a 24-bit picture. The codec is stb_image / stb_image_write.
#pragma once

#include "formats/matrix_text_io.h"

#include <string_view>

namespace zelvora {

struct tBmpReadResult {
    bool Ok = false;
    trealmatrix Red; // height x width each; 1 x 1 zero on failure
    trealmatrix Green;
    trealmatrix Blue;
    std::string Message;
};

// Reads a BMP file: the planes of its pixels, row 1 at the top, channel values 0..255. Fails with
// "Datei <name> konnte nicht geöffnet werden", or "Datei <name> ist keine lesbare BMP-Datei"
// for anything that is no BMP this reader decodes, or whose header claims more pixels than its
// bytes can hold (nothing is allocated for them).
tBmpReadResult BmpRead(std::string_view fileName, const tCheckpoint* checkpoint = nullptr);
// The same on bytes already read.
tBmpReadResult BmpParse(std::string_view bytes, std::string_view fileName);

// Writes m as a picture of width cols and height rows div 3 (further rows ignored): pixel (x, y)
// takes red, green and blue from the elements (y, x), (h + y, x), (2h + y, x), each truncated
// toward zero and reduced to its low 8 bits (a non-finite one gives 0). Any failure, an empty
// picture included: "Datei <name> konnte nicht geschrieben werden".
tFormatResult BmpWrite(const trealmatrix& m, std::string_view fileName);

} // namespace zelvora
