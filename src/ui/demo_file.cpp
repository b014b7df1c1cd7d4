// The demo manager: reading a demo file and cutting it into chapters, pages and blocks.
#include "ui/demo_file.h"

#include "interpreter/commands_list.h"
#include "text/name_fold.h"
#include "text/rtf_reader.h"
#include "text/text_encoding.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zelvora {

namespace {

// States of the analysis: which markers a line may carry.
enum class tDemoState {
    TitleGiven = 1, // after @D
    Chapter = 2, // after @K: only @F or @K
    Page = 3, // after @F or @C
    Text = 4, // after @T
    Start = 5, // before anything: @D allowed
};

// The marker letter of a line whose first two non-blank characters are '@' and a letter
// (upper-cased); 0 for any other line.
char MarkerOf(const std::string& plain)
{
    const std::size_t first = plain.find_first_not_of(" \t");
    if (first == std::string::npos || first + 1 >= plain.size() || plain[first] != '@')
        return 0;
    return UpperCaseChar(plain[first + 1]);
}

// The line without its first marker (upper-cased comparison), trimmed.
tRichLine WithoutMarker(tRichLine line, char marker)
{
    const std::string folded = NameFold(PlainText(line));
    const std::size_t at = folded.find(std::string { '@', marker });
    if (at != std::string::npos)
        EraseCharacters(line, at, 2);
    return TrimmedRichLine(std::move(line));
}

} // namespace

std::optional<std::string> tDemoVerw::Load(const std::string& fileName)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error))
        return "Die Demo-Datei \"" + fileName + "\" wurde nicht gefunden";
    std::ifstream file(fileName, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (!file)
        return "Die Demo-Datei \"" + fileName + "\" kann nicht gelesen werden";
    LoadText(bytes.str(), fileName);
    return std::nullopt;
}

void tDemoVerw::LoadText(std::string_view bytes, const std::string& fileName)
{
    m_fileName = fileName;
    m_title = "Zelvora-Demo";
    m_chapters.clear();
    m_warnings.clear();
    m_lines.clear();
    if (LooksLikeRtf(bytes)) {
        m_lines = ReadRtf(bytes).Lines;
        return;
    }
    for (const std::string& line : SplitTextLines(DecodeFileText(bytes)))
        m_lines.push_back(PlainRichLine(line));
}

void tDemoVerw::Analyse()
{
    m_chapters.clear();
    m_warnings.clear();
    m_skip = tSkip::None;
    m_openBlock = false;
    tDemoState state = tDemoState::Start;
    for (std::size_t n = 0; n < m_lines.size(); ++n) {
        const char marker = MarkerOf(PlainText(m_lines[n]));
        const bool inPage = state == tDemoState::Page || state == tDemoState::Text;
        if (marker == 'D' && state == tDemoState::Start) {
            std::string title = PlainText(m_lines[n]);
            title.erase(NameFold(title).find("@D"), 2);
            m_title = TrimText(title);
            state = tDemoState::TitleGiven;
        } else if (marker == 'K') {
            CloseBlock(n);
            OpenChapter(n);
            state = tDemoState::Chapter;
        } else if (marker == 'F' && (state == tDemoState::Chapter || inPage)) {
            CloseBlock(n);
            OpenPage(n);
            state = tDemoState::Page;
        } else if ((marker == 'T' || marker == 'C') && inPage) {
            CloseBlock(n);
            OpenBlock(n, marker == 'T' ? tDemoBlockKind::Text : tDemoBlockKind::Code);
            state = marker == 'T' ? tDemoState::Text : tDemoState::Page;
        }
    }
    CloseBlock(m_lines.size());
    CurrentChapter = 1;
    CurrentPage = 0;
}

const tRichText* tDemoVerw::BlockText(
    std::size_t chapter, std::size_t page, std::size_t block) const
{
    if (chapter < 1 || chapter > m_chapters.size())
        return nullptr;
    const auto& pages = m_chapters[chapter - 1].pages;
    if (page < 1 || page > pages.size())
        return nullptr;
    const auto& blocks = pages[page - 1].blocks;
    if (block < 1 || block > blocks.size())
        return nullptr;
    return &blocks[block - 1].text;
}

void tDemoVerw::CloseBlock(std::size_t endLine)
{
    if (!m_openBlock)
        return;
    m_openBlock = false;
    tblockdescr& block = m_chapters.back().pages.back().blocks.back();
    block.lastLine = static_cast<std::int32_t>(endLine) - 1;
    tRichText text;
    for (std::size_t i = static_cast<std::size_t>(block.firstLine) + 1; i < endLine; ++i)
        text.Lines.push_back(m_lines[i]);
    block.text = TrimmedRichText(std::move(text));
    if (block.kind == tDemoBlockKind::Code)
        block.code = PlainText(block.text);
}

void tDemoVerw::OpenChapter(std::size_t line)
{
    if (m_skip == tSkip::Chapters)
        return;
    if (m_chapters.size() >= MaxChapters) {
        WarnLeftOut(line, "mehr als 50 Kapitel; der Rest der Datei wird nicht gezeigt");
        m_skip = tSkip::Chapters;
        return;
    }
    m_skip = tSkip::None;
    m_chapters.push_back({ WithoutMarker(m_lines[line], 'K'), {} });
}

void tDemoVerw::OpenPage(std::size_t line)
{
    if (m_skip == tSkip::Chapters || m_skip == tSkip::Pages)
        return;
    auto& pages = m_chapters.back().pages;
    if (pages.size() >= MaxPagesPerChapter) {
        WarnLeftOut(line,
            "mehr als 50 Seiten im Kapitel; die weiteren Seiten dieses Kapitels werden nicht "
            "gezeigt");
        m_skip = tSkip::Pages;
        return;
    }
    m_skip = tSkip::None;
    pages.push_back({ WithoutMarker(m_lines[line], 'F'), {} });
}

void tDemoVerw::OpenBlock(std::size_t line, tDemoBlockKind kind)
{
    if (m_skip != tSkip::None)
        return;
    auto& blocks = m_chapters.back().pages.back().blocks;
    if (blocks.size() >= MaxBlocksPerPage) {
        WarnLeftOut(line,
            "mehr als 50 Bl\xF6"
            "cke auf der Seite; die weiteren Bl\xF6"
            "cke dieser Seite werden nicht gezeigt");
        m_skip = tSkip::Blocks;
        return;
    }
    tblockdescr block;
    block.kind = kind;
    block.firstLine = static_cast<std::int32_t>(line);
    blocks.push_back(std::move(block));
    m_openBlock = true;
}

void tDemoVerw::WarnLeftOut(std::size_t line, std::string_view what)
{
    m_warnings.push_back("Demo \"" + m_fileName + "\", Zeile " + std::to_string(line + 1) + ": "
        + std::string(what));
}

} // namespace zelvora
