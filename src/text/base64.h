// Base64 (RFC 4648, with padding) for binary data inside text messages, such as a picture's PNG.
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

std::string Base64Encode(std::string_view bytes);

} // namespace zelvora
