// Pictures of windows and the places that take them: the clipboard and the listing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// A bitmap as red, green, blue bytes, row by row from the top.
struct tPicture {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint8_t> Rgb; // Width * Height * 3 bytes
};

class tClipboardPort {
public:
    virtual ~tClipboardPort() = default;
    // Puts text (Windows-1252) on the clipboard; false when no clipboard is available.
    virtual bool SetText(std::string_view text) = 0;
    virtual bool SetPicture(const tPicture& picture) = 0;
    // The clipboard's text, or nothing when it holds none or no clipboard is available.
    virtual std::optional<std::string> Text() const = 0;
};

// The listing's picture entry, beside its text entries.
class tListingPicturePort {
public:
    virtual ~tListingPicturePort() = default;
    virtual void addBitmap(const tPicture& picture) = 0;
};

} // namespace zelvora
