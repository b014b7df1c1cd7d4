// The console's windows.
#include "console_ports.h"

#include "console_display.h"
#include "ui/front_end_text.h"

#include <cstdio>

#include <unistd.h>

namespace zelvora::cli {

tConsoleTextView::~tConsoleTextView()
{
    if (m_file)
        std::fclose(m_file);
}

bool tConsoleTextView::WriteThrough(const std::string& path, bool append)
{
    std::FILE* file = std::fopen(path.c_str(), append ? "ab" : "wb");
    if (!file)
        return false;
    if (m_file)
        std::fclose(m_file);
    m_file = file;
    for (const std::string& line : m_lines)
        WriteLine(line);
    std::fflush(m_file);
    return true;
}

void tConsoleTextView::WriteLine(std::string_view line)
{
    const std::string utf8 = Cp1252ToUtf8(line) + '\n';
    std::fwrite(utf8.data(), 1, utf8.size(), m_file);
}

void tConsoleTextView::AppendLines(std::string_view text, tTextStyle)
{
    if (!m_keepsText)
        return;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(TextLineBreak, start);
        const std::string_view line
            = text.substr(start, end == std::string_view::npos ? end : end - start);
        m_lines.emplace_back(line);
        if (m_file)
            WriteLine(line);
        if (end == std::string_view::npos)
            break;
        start = end + TextLineBreak.size();
    }
    // One text is one statement's echo: it is on disk before the statement runs.
    if (m_file)
        std::fflush(m_file);
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
