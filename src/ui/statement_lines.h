// Statements in lines as a user types or edits them: whether a typed line continues on the next
// one, whether typed text holds anything to run or keep in the history, a text written as a string
// literal, and which editor lines a selection's statements cover.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// A line ending in " _" (trailing blanks aside) continues on the next line.
bool ContinuesOnNextLine(std::string_view line);
// Whether the text holds only blanks and control characters.
bool IsBlankText(std::string_view text);

// A string literal of the language: the text in double quotes, each quote doubled.
std::string StringLiteral(std::string_view text);

// The editor lines first .. last (0-based) that a run of a selection covers.
struct tSelectedLines {
    std::int32_t First = 0;
    std::int32_t Last = 0;
};

// The lines of the statements a selection touches (start offset, length; a line break counts one
// character), widened to whole continued statements.
tSelectedLines SelectedStatementLines(const std::vector<std::string>& lines,
    std::int32_t selectionStart, std::int32_t selectionLength);

} // namespace zelvora
