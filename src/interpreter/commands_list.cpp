// Cutting script lines into statements, and the statement range of an editor selection.
#include "interpreter/commands_list.h"

#include <algorithm>

namespace zelvora {
namespace {

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string CutMarker(const std::string& marker)
{
    return marker.substr(0, 2);
}

bool EndsWith(std::string_view text, std::string_view tail)
{
    return !tail.empty() && text.size() >= tail.size()
        && text.substr(text.size() - tail.size()) == tail;
}

std::string RemoveLabel(const std::string& line, const std::string& brackets)
{
    if (brackets.size() < 2)
        return line;
    const std::string trimmed = TrimText(line);
    const std::size_t close = line.find(brackets[1]);
    if (trimmed.empty() || trimmed[0] != brackets[0] || close == std::string::npos)
        return line;
    if (close + 1 == line.size())
        return " ";
    return line.substr(close + 1);
}

void CutLineComment(std::string& line, char quote, const std::string& marker)
{
    if (marker.empty())
        return;
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == quote) {
            inString = !inString;
        } else if (inString) {
            if (c == '\\')
                ++i;
        } else if (line.compare(i, marker.size(), marker) == 0) {
            line.erase(i);
            return;
        }
    }
}

bool ContinuesAfterTrimRight(std::string_view line, const std::string& marker)
{
    return EndsWith(TrimRightText(line), marker);
}

bool FirstNonBlankIs(const std::string& text, char c)
{
    const auto it = std::find_if(text.begin(), text.end(), [](char ch) { return ch != ' '; });
    return it != text.end() && *it == c;
}

} // namespace

std::string TrimText(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsTrimmed(text[begin]))
        ++begin;
    while (end > begin && IsTrimmed(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string TrimRightText(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && IsTrimmed(text[end - 1]))
        --end;
    return std::string(text.substr(0, end));
}

void tCommandsList::Initialise()
{
    Active = true;
    Items.clear();
}

void tCommandsList::Clear()
{
    if (Active)
        Items.clear();
}

void tCommandsList::Finalise()
{
    Clear();
    Active = false;
}

void tCommandsList::SetCount(std::int32_t n)
{
    if (Active)
        Items.resize(static_cast<std::size_t>(std::max(n, 0)));
}

void tCommandsList::AppendList(const tCommandsList& other)
{
    if (!Active)
        return;
    // Copy first: the other list may be this one.
    const std::vector<tCommandslistEntry> copies = other.Items;
    Items.insert(Items.end(), copies.begin(), copies.end());
}

void MarkSource(tCommandsList& list, std::size_t first, std::string_view source)
{
    if (source.empty())
        return;
    const auto shared = std::make_shared<const std::string>(source);
    for (std::size_t i = first; i < list.Items.size(); ++i)
        list.Items[i].Source = shared;
}

void tCommandsList::AppendEntry(const tCommandslistEntry& entry)
{
    if (Active)
        Items.push_back(entry);
}

std::string ProcessSourceLine(const std::string& line, const tScriptMarkers& markers)
{
    std::string processed = RemoveLabel(line, CutMarker(markers.LabelBrackets));
    std::replace_if(
        processed.begin(), processed.end(), [](char c) { return c == '\t' || c == 15; }, ' ');
    CutLineComment(processed, markers.QuoteChar, CutMarker(markers.LineCommentMarker));
    return processed;
}

tStatementCutter::tStatementCutter(const std::vector<std::string>& lines, std::int32_t first,
    std::int32_t last, const tScriptMarkers& markers, std::string_view source)
    : m_lines(&lines)
    , m_next(std::max(first, 0))
    , m_last(std::min(last, static_cast<std::int32_t>(lines.size()) - 1))
    , m_markers(markers)
    , m_continuation(CutMarker(markers.ContinuationMarker))
{
    if (!source.empty())
        m_source = std::make_shared<const std::string>(source);
}

tStatementCutter::tStatementCutter(
    std::string_view text, const tScriptMarkers& markers, std::string_view source)
    : m_text(text)
    , m_markers(markers)
    , m_continuation(CutMarker(markers.ContinuationMarker))
{
    if (!source.empty())
        m_source = std::make_shared<const std::string>(source);
}

bool tStatementCutter::AtEnd() const
{
    return m_lines ? m_next > m_last : m_offset >= m_text.size();
}

std::string_view tStatementCutter::ReadLine()
{
    ++m_next;
    if (m_lines)
        return (*m_lines)[static_cast<std::size_t>(m_next - 1)];
    std::size_t end = m_text.find('\n', m_offset);
    if (end == std::string_view::npos)
        end = m_text.size();
    std::string_view line = m_text.substr(m_offset, end - m_offset);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    m_offset = end + 1;
    return line;
}

bool tStatementCutter::Next(tCommandslistEntry& entry)
{
    if (AtEnd())
        return false;
    entry.FirstLine = m_next;
    entry.Text.clear();
    entry.Lines.clear();
    std::string accumulator;
    while (!AtEnd()) {
        entry.LastLine = m_next;
        entry.Lines.emplace_back(ReadLine());
        const std::string line = ProcessSourceLine(entry.Lines.back(), m_markers);
        if (ContinuesAfterTrimRight(line, m_continuation)) {
            const std::string head = TrimRightText(line);
            accumulator += TrimText(std::string_view(head).substr(0, head.size() - 1)) + " ";
            continue;
        }
        accumulator += line;
        entry.Text = std::move(accumulator);
        break;
    }
    // A statement still open at the last line keeps an empty text and runs as an empty one.
    entry.IsComment = FirstNonBlankIs(entry.Text, m_markers.CommentChar);
    entry.Tokens.clear();
    if (!entry.IsComment)
        entry.Tokens = Tokenize(entry.Text, m_markers.QuoteChar);
    entry.Source = m_source;
    entry.Plan = std::make_shared<tStatementPlan>();
    return true;
}

void LoadLines(tCommandsList& target, const std::vector<std::string>& lines, std::int32_t first,
    std::int32_t last, const tScriptMarkers& markers)
{
    if (!target.Active)
        return;
    tStatementCutter cutter(lines, first, last, markers);
    tCommandslistEntry entry;
    while (cutter.Next(entry))
        target.Items.push_back(std::move(entry));
}

tLineRange StatementRange(const std::vector<std::string>& lines, std::int32_t selectionStart,
    std::int32_t selectionLength, const tScriptMarkers& markers)
{
    if (lines.empty())
        return { 0, -1 };
    std::vector<std::int64_t> starts(lines.size() + 1, 0);
    for (std::size_t i = 0; i < lines.size(); ++i)
        starts[i + 1] = starts[i] + static_cast<std::int64_t>(lines[i].size()) + 1;
    const std::int64_t s = selectionStart;
    const std::int64_t e = selectionLength > 0 ? s + selectionLength : s + 1;
    const auto finalLine = static_cast<std::int32_t>(lines.size()) - 1;

    std::int32_t firstLine = 0;
    std::int32_t lastLine = 0;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        if (starts[i] <= s)
            firstLine = static_cast<std::int32_t>(i);
        if (starts[i] < e)
            lastLine = static_cast<std::int32_t>(i);
    }
    firstLine = std::min(firstLine, finalLine);
    lastLine = std::min(lastLine, finalLine);

    const std::string continuation = CutMarker(markers.ContinuationMarker);
    auto continues = [&](std::int32_t index) {
        return EndsWith(" " + TrimText(lines[static_cast<std::size_t>(index)]), continuation);
    };
    while (firstLine > 1 && continues(firstLine - 1))
        --firstLine;
    while (lastLine < finalLine && continues(lastLine))
        ++lastLine;
    return { firstLine, lastLine };
}

} // namespace zelvora

namespace zelvora {

std::vector<std::string> SplitTextLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

} // namespace zelvora
