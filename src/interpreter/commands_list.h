// Statements cut from script text: each with its text, its tokens and the source lines it came
// from.
#pragma once

#include "interpreter/statement_plan.h"
#include "lexicon/scanner.h"

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
    // The statement's parsed form, made on its first run and shared by the copies of the entry (a
    // macro's list and the copy a MACROEXEC runs), so each repetition reuses it. The cutting gives
    // every statement a fresh one; an entry put together otherwise has none and is parsed anew
    // on every run.
    std::shared_ptr<tStatementPlan> Plan;
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

// Cuts script lines into statements one at a time, as a run reaches them: a long script starts at
// once, and only the running statement's lines, text and tokens exist besides the source. The
// same cutting as LoadLines. The lines or the text must outlive the cutter.
class tStatementCutter {
public:
    // Lines first..last (0-based, inclusive) of lines.
    tStatementCutter(const std::vector<std::string>& lines, std::int32_t first, std::int32_t last,
        const tScriptMarkers& markers = {}, std::string_view source = {});
    // The lines of a text, split as SplitTextLines splits them.
    explicit tStatementCutter(
        std::string_view text, const tScriptMarkers& markers = {}, std::string_view source = {});

    // Fills entry with the next statement (its source named); false when none is left.
    bool Next(tCommandslistEntry& entry);
    bool AtEnd() const;

private:
    // The next source line; its index is m_next before the call.
    std::string_view ReadLine();

    const std::vector<std::string>* m_lines = nullptr;
    std::string_view m_text;
    std::size_t m_offset = 0;
    std::int32_t m_next = 0;
    std::int32_t m_last = -1;
    tScriptMarkers m_markers;
    std::string m_continuation;
    std::shared_ptr<const std::string> m_source;
};

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
