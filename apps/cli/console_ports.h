// The console's windows: text kept in memory, failures on stderr, no event loop.
#pragma once

#include "ports/command_window_port.h"
#include "ports/text_view_port.h"

#include <cstdio>
#include <string>
#include <vector>

namespace zelvora::cli {

// A text window kept as lines; written to a file on request.
class tConsoleTextView : public tTextViewPort {
public:
    // keepsText false: a view whose text nobody reads (a batch run's journal without --journal),
    // which lets a long run go without the text growing.
    explicit tConsoleTextView(bool keepsText = true)
        : m_keepsText(keepsText)
    {
    }
    ~tConsoleTextView() override;
    tConsoleTextView(const tConsoleTextView&) = delete;
    tConsoleTextView& operator=(const tConsoleTextView&) = delete;
    // From now on every text appended goes to the file as well, flushed at once, so that a kill
    // loses nothing written before (the text so far is written first). append: after what the
    // file holds; else the file starts empty. False when the file cannot be opened.
    bool WriteThrough(const std::string& path, bool append);
    void AppendLines(std::string_view text, tTextStyle style) override;
    void Clear() override { m_lines.clear(); }
    std::string PlainText() const override;
    // The text as UTF-8 with line feeds, each line ending in one.
    std::string FileText() const;

private:
    void WriteLine(std::string_view line);

    std::vector<std::string> m_lines;
    bool m_keepsText;
    std::FILE* m_file = nullptr; // the write-through file, or none
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
