// File writing of the journal and listing windows.
#include "ui/text_window_files.h"

#include "text/replacing_file.h"
#include "text/rtf_writer.h"
#include "text/text_encoding.h"

#include <fstream>
#include <sstream>

namespace zelvora {
namespace {

bool WriteFile(const std::string& path, std::string_view bytes, std::ios::openmode mode)
{
    std::ofstream file(path, std::ios::binary | mode);
    if (!file)
        return false;
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    if (file)
        bytes << file.rdbuf();
    return bytes.str();
}

} // namespace

bool WriteWholeFile(const std::string& path, std::string_view bytes)
{
    return ReplaceFileContents(path, bytes) == 0;
}

bool AppendToFile(const std::string& path, std::string_view bytes)
{
    return WriteFile(path, bytes, std::ios::app);
}

std::string JournalFileText(std::string_view plainText)
{
    std::string text;
    std::size_t start = 0;
    while (start <= plainText.size()) {
        const std::size_t end = plainText.find(TextLineBreak, start);
        const std::string_view line = plainText.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        text += Cp1252ToUtf8(line);
        text += '\n';
        if (end == std::string_view::npos)
            break;
        start = end + TextLineBreak.size();
    }
    return text;
}

bool AppendListingFile(
    const std::string& path, const tListingDocument& blocks, const tPngEncoder& encode)
{
    const std::string existing = FileBytes(path);
    if (existing.empty())
        return WriteWholeFile(path, ListingRtf(blocks, encode));
    const std::string merged = AppendRtfBody(existing, ListingRtfBody(blocks, encode));
    if (!merged.empty())
        return WriteWholeFile(path, merged);
    return AppendToFile(path, JournalFileText(blocks.PlainText()));
}

tListingDocument ListingBlocksFrom(const tListingDocument& listing, std::size_t first)
{
    tListingDocument part;
    for (std::size_t i = first; i < listing.Blocks().size(); ++i) {
        const tListingBlock& block = listing.Blocks()[i];
        if (block.Picture)
            part.addBitmap(*block.Picture);
        else
            part.AppendLines(block.Text, block.Style);
    }
    return part;
}

} // namespace zelvora
