// Saving the journal and the listing to their files, replacing the file or appending to it.
#pragma once

#include "ui/listing_document.h"

#include <string>
#include <string_view>

namespace zelvora {

// Writes bytes to the file, replacing it; false when it could not be written whole.
bool WriteWholeFile(const std::string& path, std::string_view bytes);
// Appends bytes to the file, creating it when missing; false when it could not be written whole.
bool AppendToFile(const std::string& path, std::string_view bytes);

// The journal's text (Windows-1252, lines separated by TextLineBreak) as its file holds it: UTF-8,
// each line ending in a line feed.
std::string JournalFileText(std::string_view plainText);

// Appends the listing's blocks to an RTF listing file: inside its document when the file is one
// (so that it stays readable), as a new document when the file is missing or empty, and as plain
// text after anything else.
bool AppendListingFile(
    const std::string& path, const tListingDocument& blocks, const tPngEncoder& encode);

// The blocks of the listing from index `first` on, as a listing document of their own.
tListingDocument ListingBlocksFrom(const tListingDocument& listing, std::size_t first);

} // namespace zelvora
