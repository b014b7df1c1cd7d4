// Conversion between the program's Windows-1252 text and UTF-8 at the edges (terminal, files).
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

// Windows-1252 bytes to UTF-8. The five unassigned codes (129, 141, 143, 144, 157) map to U+FFFD.
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 to Windows-1252; a character that Windows-1252 cannot hold becomes '?'. Invalid UTF-8
// sequences are taken byte by byte as Windows-1252.
std::string Utf8ToCp1252(std::string_view text);

// True when text is valid UTF-8 and holds at least one non-ASCII character.
bool IsUtf8WithNonAscii(std::string_view text);

// Decodes the UTF-8 sequence at text[i] into cp; returns its length, or 0 when it is not valid
// (cut off, overlong, a surrogate, beyond U+10FFFF).
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp);

// Appends the code point (at most U+10FFFF) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

// Text of a file as the program keeps it: UTF-8 files are converted, all others taken as
// Windows-1252.
std::string DecodeFileText(std::string_view bytes);

} // namespace zelvora
