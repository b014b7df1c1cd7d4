// Typed and edited lines, read by the statement list's rules.
#include "ui/statement_lines.h"

#include "interpreter/commands_list.h"

namespace zelvora {

std::string StringLiteral(std::string_view text)
{
    std::string literal = "\"";
    for (char c : text) {
        literal += c;
        if (c == '"')
            literal += '"';
    }
    return literal + '"';
}

bool ContinuesOnNextLine(std::string_view line)
{
    const std::string trimmed = TrimRightText(line);
    return trimmed.size() >= 2 && trimmed.ends_with(" _");
}

bool IsBlankText(std::string_view text)
{
    return TrimText(text).empty();
}

tSelectedLines SelectedStatementLines(const std::vector<std::string>& lines,
    std::int32_t selectionStart, std::int32_t selectionLength)
{
    const tLineRange range = StatementRange(lines, selectionStart, selectionLength);
    return { range.First, range.Last };
}

} // namespace zelvora
