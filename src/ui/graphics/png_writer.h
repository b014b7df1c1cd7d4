// PNG encoding of a bitmap with the standard library alone: 8-bit RGB, one deflate block.
#pragma once

#include "ports/picture_port.h"

#include <string>

namespace zelvora {

// The PNG file's bytes; an empty text for a picture without pixels.
std::string EncodePng(const tPicture& picture);

} // namespace zelvora
