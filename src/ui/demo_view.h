// The demo window as the demo player drives it: the screens it shows, the steps it waits for and
// the outcome of each code block. The console and the desktop each implement one.
#pragma once

#include "ports/command_window_port.h"
#include "ui/demo_file.h"
#include "ui/run_outcome.h"

#include <cstddef>
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
    virtual void CodeBlockRun(std::size_t index, const tRunOutcome& result)
    {
        (void)index;
        (void)result;
    }
    // Hides the screen's panes.
    virtual void EndScreen() = 0;
};

} // namespace zelvora
