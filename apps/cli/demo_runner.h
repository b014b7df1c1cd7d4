// The console's demo window: a demo played as a tutorial on the terminal. Each page prints its
// titles and text blocks; each code block is printed and, on a terminal, run when the user presses
// Enter; without a terminal (or with --batch) the demo runs straight through.
#pragma once

#include "ui/demo_view.h"
#include "ui/session.h"

#include <cstdio>

namespace zelvora::cli {

class tConsoleDemoView : public tDemoView {
public:
    // waitForUser: ask before each code block and at the end of each page (input from `input`);
    // quiet: print nothing but failures.
    tConsoleDemoView(bool waitForUser, bool quiet, std::FILE* input = stdin)
        : m_wait(waitForUser)
        , m_quiet(quiet)
        , m_input(input)
    {
    }

    bool IsVisible() const override { return m_visible; }
    void Focus() override { }
    void ShowDemo(const std::string& title) override;
    void HideDemo() override;
    void ShowScreen(const tDemoScreen& screen) override;
    void MarkBlock(std::size_t index) override;
    tDemoStep WaitForStep(std::size_t index, bool beforeCode) override;
    void CodeBlockRun(std::size_t index, const tRunOutcome& result) override;
    void EndScreen() override { }

private:
    // Prints the question and reads the answer: Enter goes on, "q" or the end of input ends.
    tDemoStep Ask(const char* question);
    void Print(std::string_view text) const;

    bool m_wait;
    bool m_quiet;
    std::FILE* m_input;
    bool m_visible = false;
    const tKapdescr* m_chapter = nullptr; // of the screen shown last
    tDemoScreen m_screen;
};

// Plays a demo file given on the command line as the DEMO command would (the name as given);
// returns the exit status.
int PlayDemoFile(tSession& session, const std::string& fileName);

} // namespace zelvora::cli
