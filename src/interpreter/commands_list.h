// Statements cut from script text: each with its text, its tokens and the source lines it came
// from.
#pragma once

#include "language/scanner.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zelvora {

struct tCommandslistEntry {
    bool IsComment = false; // first non-blank character of Text is the comment character
    std::int32_t FirstLine = 0; // 0-based index of the first source line
    std::int32_t LastLine = 0;
    std::string Text; // after line processing and joining
    tAnsiTokens Tokens; // empty for a comment
    std::vector<std::string> Lines; // the unprocessed source lines FirstLine..LastLine
    // The script file the statement comes from, as failures name it; none for typed text.
    // Shared by the entries of one file and kept when a macro records the entry.
    std::shared_ptr<const std::string> Source;
};

// The five markers that drive the cutting; each marker is at most two characters.
struct tScriptMarkers {
    char QuoteChar = '"';
    char CommentChar = ';';
    std::string LineCommentMarker = "//";
    std::string ContinuationMarker = " _";
    std::string LabelBrackets = "[]";
};

// A list of statements. Every operation does nothing while the list is not active.
struct tCommandsList {
    bool Active = false;
    std::vector<tCommandslistEntry> Items;

    std::int32_t Count() const { return static_cast<std::int32_t>(Items.size()); }
    void Initialise();
    void Clear();
    void Finalise();
    void SetCount(std::int32_t n); // grows with empty entries or drops entries at the end
    void AppendList(const tCommandsList& other);
    void AppendEntry(const tCommandslistEntry& entry);
};

// Splits lines first..last (0-based, inclusive) into statements and appends them to target.
// A line ending in the continuation marker continues on the next line; a statement still open at
// the last line keeps an empty text. Comments get no tokens.
void LoadLines(tCommandsList& target, const std::vector<std::string>& lines, std::int32_t first,
    std::int32_t last, const tScriptMarkers& markers = {});

// Gives the entries from index first on the script file name they come from.
void MarkSource(tCommandsList& list, std::size_t first, std::string_view source);

// Lines of one source line after label removal, control-character blanking and line comments.
std::string ProcessSourceLine(const std::string& line, const tScriptMarkers& markers = {});

struct tLineRange {
    std::int32_t First = 0;
    std::int32_t Last = 0;
};

// The lines to run for a selection (start offset, length; a line break counts one character),
// widened to whole continued statements. Line 0 is never added by widening upwards.
tLineRange StatementRange(const std::vector<std::string>& lines, std::int32_t selectionStart,
    std::int32_t selectionLength, const tScriptMarkers& markers = {});

// Text without leading and trailing characters up to the blank (control characters included).
std::string TrimText(std::string_view text);
std::string TrimRightText(std::string_view text);

} // namespace zelvora

namespace zelvora {
// Lines of a text: split at line feeds, a carriage return before one dropped, a final line break
// adding no empty line.
std::vector<std::string> SplitTextLines(std::string_view text);
} // namespace zelvora
