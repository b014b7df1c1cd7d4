// The demo manager `tDemoVerw`: reads a demo file (.zvd, plain or rich text) and cuts it into
// chapters of pages, each page a sequence of text and code blocks.
//
// A line whose first two non-blank characters, upper-cased, are a marker starts an element:
//   @D  the demo title (rest of the line, trimmed); only before the first chapter
//   @K  a new chapter, titled by the rest of the line
//   @F  a new page of the current chapter, titled by the rest of the line
//   @T  a new text block of the current page; its lines follow
//   @C  a new code block of the current page; its lines follow
// A marker where it does not fit (@T before any @F, a second @D) is an ordinary line.
#pragma once

#include "text/rich_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvora {

enum class tDemoBlockKind : std::uint8_t {
    Text = 1,
    Code = 2,
};

// One block of a page.
struct tblockdescr {
    tDemoBlockKind kind = tDemoBlockKind::Text;
    std::int32_t firstLine = 0; // index of its marker line
    std::int32_t lastLine = 0; // index of its last line
    tRichText text; // the lines after the marker line up to the last line, trimmed
    std::string code; // a code block's lines as plain text ("\r\n" between them), trimmed
};

// One page: its title and blocks.
struct tVisibleVarsdescr {
    tRichLine title;
    std::vector<tblockdescr> blocks;
};

// One chapter: its title and pages.
struct tKapdescr {
    tRichLine title;
    std::vector<tVisibleVarsdescr> pages;
};

class tDemoVerw {
public:
    // What a demo file may hold; content beyond is left out with a warning.
    static constexpr std::size_t MaxChapters = 50;
    static constexpr std::size_t MaxPagesPerChapter = 50;
    static constexpr std::size_t MaxBlocksPerPage = 50;

    // Reads the file's lines (rich text when it begins with "{\rtf1", else plain text in UTF-8 or
    // Windows-1252); the title becomes "Zelvora-Demo", no chapters. Nothing when the file cannot
    // be read: the message says why.
    std::optional<std::string> Load(const std::string& fileName);
    // The same for text already in memory (bytes as in a file).
    void LoadText(std::string_view bytes, const std::string& fileName = "");

    // Cuts the lines into chapters, pages and blocks; current chapter 1, page 0.
    void Analyse();

    const std::string& FileName() const { return m_fileName; }
    const std::string& Title() const { return m_title; }
    const std::vector<tKapdescr>& Chapters() const { return m_chapters; }
    // Texts saying which content beyond the limits was left out.
    const std::vector<std::string>& Warnings() const { return m_warnings; }
    // The rich text of a block (1-based chapter, page and block numbers); nothing when absent.
    const tRichText* BlockText(std::size_t chapter, std::size_t page, std::size_t block) const;

    std::int32_t CurrentChapter = 1;
    std::int32_t CurrentPage = 0;

private:
    // Content left out beyond the limits: blocks up to the next page, pages up to the next
    // chapter, or chapters up to the end.
    enum class tSkip { None, Blocks, Pages, Chapters };

    void CloseBlock(std::size_t endLine);
    void OpenChapter(std::size_t line);
    void OpenPage(std::size_t line);
    void OpenBlock(std::size_t line, tDemoBlockKind kind);
    void WarnLeftOut(std::size_t line, std::string_view what);

    std::string m_fileName;
    std::string m_title;
    std::vector<tRichLine> m_lines;
    std::vector<tKapdescr> m_chapters;
    std::vector<std::string> m_warnings;
    tSkip m_skip = tSkip::None;
    bool m_openBlock = false; // the last block of the last page is still being read
};

} // namespace zelvora
