// The console's demo window: titles, texts and code printed, questions asked on the terminal.
#include "demo_runner.h"

#include "console_ports.h"
#include "run_report.h"

#include <filesystem>
#include <string>

namespace zelvora::cli {

namespace {

// The text with each line indented by the prefix.
std::string Indented(const std::string& text, std::string_view prefix)
{
    std::string out(prefix);
    for (char c : text) {
        if (c == '\r')
            continue;
        out += c;
        if (c == '\n')
            out += prefix;
    }
    return out;
}

} // namespace

void tConsoleDemoView::ShowDemo(const std::string& title)
{
    m_visible = true;
    m_chapter = nullptr;
    Print("\n==== " + title + " ====\n");
}

void tConsoleDemoView::HideDemo()
{
    if (m_visible)
        Print("\n==== Ende der Demo ====\n");
    m_visible = false;
}

void tConsoleDemoView::ShowScreen(const tDemoScreen& screen)
{
    m_screen = screen;
    if (screen.Chapter != m_chapter)
        Print("\n## " + PlainText(screen.Chapter->title) + "\n");
    m_chapter = screen.Chapter;
    std::string title = PlainText(screen.Page->title);
    if (screen.Parts > 1)
        title += " (Teil " + std::to_string(screen.Part) + " von " + std::to_string(screen.Parts)
            + ")";
    Print("\n--- " + title + " ---\n");
}

void tConsoleDemoView::MarkBlock(std::size_t index)
{
    const tblockdescr& block = m_screen.Block(index);
    if (block.kind == tDemoBlockKind::Code)
        Print("\n" + Indented(block.code, "    ") + "\n");
    else
        Print("\n" + PlainText(block.text) + "\n");
}

tDemoStep tConsoleDemoView::WaitForStep(std::size_t index, bool beforeCode)
{
    if (!m_wait)
        return tDemoStep::Next;
    if (beforeCode)
        return Ask("[Enter] Rechne, [q] Ende der Demo: ");
    if (index + 1 == m_screen.BlockCount)
        return Ask("[Enter] weiter, [q] Ende der Demo: ");
    return tDemoStep::Next;
}

void tConsoleDemoView::CodeBlockRun(std::size_t, const tRunOutcome& result)
{
    if (!result.Success) {
        std::string text = "Demo: Codeblock fehlgeschlagen (die Demo geht weiter): "
            + result.Message + "\n\"" + result.LastStatement + "\"\n";
        std::erase(text, '\r');
        PrintText(stderr, text);
    }
}

tDemoStep tConsoleDemoView::Ask(const char* question)
{
    std::fputs(question, stdout);
    std::fflush(stdout);
    std::string answer;
    for (int c = std::fgetc(m_input); c != '\n'; c = std::fgetc(m_input)) {
        if (c == EOF) {
            std::fputs("\n", stdout);
            return tDemoStep::Break;
        }
        answer += static_cast<char>(c);
    }
    const std::size_t first = answer.find_first_not_of(" \t\r");
    if (first != std::string::npos && (answer[first] == 'q' || answer[first] == 'Q'))
        return tDemoStep::Break;
    return tDemoStep::Next;
}

void tConsoleDemoView::Print(std::string_view text) const
{
    if (m_quiet)
        return;
    std::string lines(text);
    std::erase(lines, '\r'); // block texts separate their lines with "\r\n"
    PrintText(stdout, lines);
}

int PlayDemoFile(tSession& session, const std::string& fileName)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        std::fprintf(stderr, "zelvora-cli: Demo %s kann nicht gelesen werden\n", fileName.c_str());
        return ExitUsage;
    }
    if (fileName.find('"') != std::string::npos) {
        std::fprintf(stderr, "zelvora-cli: Der Name der Demo darf kein \" enthalten: %s\n",
            fileName.c_str());
        return ExitUsage;
    }
    const std::string path = std::filesystem::absolute(fileName).string();
    return ReportRun(
        session.RunText("DEMO \"" + path + "\"", std::filesystem::current_path(error).string()));
}

} // namespace zelvora::cli
