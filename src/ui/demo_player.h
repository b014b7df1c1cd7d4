// Playing a demo: page after page, block after block, waiting for the user at each step and running
// the code blocks through the run loop, so that their results reach the windows, the journal and
// the listing like typed statements.
#pragma once

#include "interpreter/interpreter.h"
#include "ports/command_window_port.h"
#include "ui/demo_file.h"

#include <cstdint>
#include <string>

namespace zelvora {

enum class tDemoStep {
    Next, // "Next" (or "Rechne") pressed
    Break, // "break", Escape, or the window hidden or closed
};

// What a window shows at once: a page, or a part of a page that holds more blocks than fit.
struct tDemoScreen {
    const tKapdescr* Chapter = nullptr;
    const tVisibleVarsdescr* Page = nullptr;
    std::size_t FirstBlock = 0; // index of the first block shown, in the page's blocks
    std::size_t BlockCount = 0;
    std::size_t Part = 1; // 1-based part of the page, of Parts
    std::size_t Parts = 1;

    const tblockdescr& Block(std::size_t index) const { return Page->blocks[FirstBlock + index]; }
};

// The demo window as the player drives it; the console and the desktop each have one.
class tDemoView : public tDemoWindowPort {
public:
    // Blocks one window shows at once (it holds a pane for the titles, one per block and one to
    // fill the rest); a page with more blocks is shown in parts.
    static constexpr std::size_t MaxBlocksPerScreen = 18;

    // Shows the window captioned with the demo's title, or hides it again.
    virtual void ShowDemo(const std::string& title) = 0;
    virtual void HideDemo() = 0;
    // Shows the titles and all blocks of a screen, none marked yet.
    virtual void ShowScreen(const tDemoScreen& screen) = 0;
    // Marks block index (within the screen) as the current one.
    virtual void MarkBlock(std::size_t index) = 0;
    // Waits below block index for "Next" or break; beforeCode: the step bar offers "Rechne".
    virtual tDemoStep WaitForStep(std::size_t index, bool beforeCode) = 0;
    // A code block has run with this result (the run loop has shown a failure already).
    virtual void CodeBlockRun(std::size_t index, const tRunResult& result)
    {
        (void)index;
        (void)result;
    }
    // Hides the screen's panes.
    virtual void EndScreen() = 0;
};

struct tDemoOutcome {
    bool Broken = false; // the user ended it, or a stop request did
    std::int32_t CodeBlocksRun = 0;
    std::int32_t CodeBlocksFailed = 0;
    tRunResult FirstFailure;
};

// Plays every chapter and page of an analysed demo in order (`StartDemo`). Each code block is
// handed to the command window's editor, cut into statements and run by the run loop with journal
// and listing echo; relative file names in it resolve against scriptDir. A failing block shows its
// failure in the command window and the demo goes on; a stop request ends the demo.
tDemoOutcome StartDemo(const tDemoVerw& demo, tInterpreter& interpreter, tDemoView& view,
    const std::string& scriptDir);

// The screens of a page: MaxBlocksPerScreen blocks each (one empty screen for a page without
// blocks).
std::vector<tDemoScreen> ScreensOfPage(const tKapdescr& chapter, const tVisibleVarsdescr& page);

} // namespace zelvora
