// Reads rich text files (RTF) into formatted lines: the subset that word processors and the
// program itself write for demos, scripts and help (fonts, colours, bold, italic, underline, font
// sizes, Windows-1252 and Unicode characters). Pictures, style sheets and other destinations are
// passed over.
#pragma once

#include "text/rich_text.h"

#include <string_view>

namespace zelvora {

// True when the first line that holds more than blanks, trimmed, begins with "{\rtf1" (the way the
// program tells a rich text file from a plain one); a first line of exactly "{\rtf1" counts too.
bool LooksLikeRtf(std::string_view bytes);

// The text of an RTF document: one line per paragraph (\par) or line break (\line); a paragraph
// mark at the very end adds no empty line. Never fails: unknown control words are passed over,
// unbalanced braces end or close groups where they stand, characters outside Windows-1252 become
// '?'.
tRichText ReadRtf(std::string_view bytes);

} // namespace zelvora
