// The console's windows: text kept in memory, failures on stderr, no event loop.
#pragma once

#include "ports/command_window_port.h"
#include "ports/text_view_port.h"

#include <string>
#include <vector>

namespace zelvora::cli {

// A text window kept as lines; written to a file on request.
class tConsoleTextView : public tTextViewPort {
public:
    void AppendLines(std::string_view text, tTextStyle style) override;
    void Clear() override { m_lines.clear(); }
    std::string PlainText() const override;
    // The text as UTF-8 with line feeds, each line ending in one.
    std::string FileText() const;

private:
    std::vector<std::string> m_lines;
};

// The message panel: like the window's, a later failure display replaces an earlier one, so the
// console shows only the outermost failure, which the run report prints.
class tConsoleCommandWindow : public tCommandWindowPort {
public:
    // quiet: answers (values, help, listings) are not printed.
    explicit tConsoleCommandWindow(bool quiet = false)
        : m_quiet(quiet)
    {
    }
    void ShowMessage(std::string_view text) override { m_message = text; }
    void HideMessage() override { m_message.clear(); }
    // Warnings go to stderr at once, each on its own line.
    void ShowWarning(std::string_view text) override;
    // Answers go to stdout at once.
    void ShowOutput(std::string_view text) override;
    void FocusEditor() override { }
    const std::string& Message() const { return m_message; }

private:
    bool m_quiet;
    std::string m_message;
};

class tConsoleShelf;

// Between statements the console prints the windows that changed (unless quiet). QUIT is always
// granted on the console.
class tConsoleApplication : public tApplicationPort {
public:
    tConsoleApplication(tConsoleShelf& shelf, bool quiet)
        : m_shelf(shelf)
        , m_quiet(quiet)
    {
    }
    void ProcessPendingMessages() override;
    bool TryQuit() override
    {
        m_quit = true;
        return true;
    }
    bool QuitGranted() const { return m_quit; }

private:
    tConsoleShelf& m_shelf;
    bool m_quiet;
    bool m_quit = false;
};

// Writes Windows-1252 text to a stream as UTF-8.
void PrintText(std::FILE* stream, std::string_view text);

} // namespace zelvora::cli
