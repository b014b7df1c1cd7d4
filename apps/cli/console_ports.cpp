// The console's windows.
#include "console_ports.h"

#include "console_display.h"
#include "text/terminal_text.h"
#include "text/text_encoding.h"

#include <cstdio>

#include <unistd.h>

namespace zelvora::cli {

void tConsoleTextView::AppendLines(std::string_view text, tTextStyle)
{
    if (!m_keepsText)
        return;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(TextLineBreak, start);
        if (end == std::string_view::npos) {
            m_lines.emplace_back(text.substr(start));
            return;
        }
        m_lines.emplace_back(text.substr(start, end - start));
        start = end + TextLineBreak.size();
    }
}

std::string tConsoleTextView::PlainText() const
{
    std::string text;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            text += TextLineBreak;
        text += m_lines[i];
    }
    return text;
}

std::string tConsoleTextView::FileText() const
{
    std::string text;
    for (const std::string& line : m_lines) {
        text += Cp1252ToUtf8(line);
        text += '\n';
    }
    return text;
}

void tConsoleApplication::ProcessPendingMessages()
{
    if (m_quiet)
        m_shelf.DiscardChanges();
    else
        m_shelf.PrintChanges(stdout);
}

void PrintText(std::FILE* stream, std::string_view text)
{
    // Output to a file or pipe stays buffered; a message on stderr comes after everything that
    // stdout has taken so far, and a terminal sees each line at once.
    static const bool stdoutIsTerminal = isatty(fileno(stdout)) == 1;
    static const bool stderrIsTerminal = isatty(fileno(stderr)) == 1;
    if (stream != stdout)
        std::fflush(stdout);
    // On a terminal a string's control characters are shown, never run.
    const bool terminal = stream == stdout ? stdoutIsTerminal
        : stream == stderr                 ? stderrIsTerminal
                                           : isatty(fileno(stream)) == 1;
    const std::string utf8 = terminal ? VisibleControls(Cp1252ToUtf8(text)) : Cp1252ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    if (stream != stdout || stdoutIsTerminal)
        std::fflush(stream);
}

void tConsoleCommandWindow::ShowOutput(std::string_view text)
{
    if (!m_quiet)
        PrintText(stdout, text);
}

void tConsoleCommandWindow::ShowWarning(std::string_view text)
{
    std::fflush(stdout);
    PrintText(stderr, std::string(text) + "\n");
}

} // namespace zelvora::cli
