// The listing's content as the listing window keeps it beside its display: styled text blocks and
// pictures in order, from which the listing is saved as RTF or HTML.
#pragma once

#include "ports/picture_port.h"
#include "ports/text_view_port.h"
#include "text/rtf_writer.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelvora {

// One append: a text of one or more lines in a style, or a picture (in the table style).
struct tListingBlock {
    tTextStyle Style = tTextStyle::Normal;
    std::string Text; // Windows-1252, lines separated by TextLineBreak
    std::optional<tPicture> Picture;
};

class tListingDocument : public tTextViewPort, public tListingPicturePort {
public:
    void AppendLines(std::string_view text, tTextStyle style) override;
    void addBitmap(const tPicture& picture) override;
    void Clear() override { m_blocks.clear(); }
    // The texts of the blocks, lines separated by TextLineBreak; a picture adds an empty line.
    std::string PlainText() const override;

    const std::vector<tListingBlock>& Blocks() const { return m_blocks; }

private:
    std::vector<tListingBlock> m_blocks;
};

// Encodes a picture as a PNG file's bytes; empty when it cannot.
using tPngEncoder = std::function<std::string(const tPicture&)>;

// How the listing shows a style: font name, colour, size, bold, italic.
struct tListingLook {
    const char* FontName;
    bool Monospace;
    std::uint8_t Red, Green, Blue;
    std::int32_t HalfPoints;
    bool Bold;
    bool Italic;
};
tListingLook ListingLook(tTextStyle style);

// The listing as an RTF document, and as the body to append to an RTF
// file that holds an earlier part of the listing.
std::string ListingRtf(const tListingDocument& listing, const tPngEncoder& encode);
std::string ListingRtfBody(const tListingDocument& listing, const tPngEncoder& encode);

// The listing as a UTF-8 HTML page with the same looks; pictures are embedded as PNG data.
std::string ListingHtml(
    const tListingDocument& listing, const tPngEncoder& encode, std::string_view title);

} // namespace zelvora
