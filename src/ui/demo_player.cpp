// Playing a demo page by page through a demo window.
#include "ui/demo_player.h"

#include "interpreter/commands_list.h"
#include "ui/run_outcome_of.h"

#include <algorithm>

namespace zelvora {

namespace {

tRunResult RunCodeBlock(
    const std::string& code, tInterpreter& interpreter, const std::string& scriptDir)
{
    tCommandWindowPort* commandWindow = interpreter.Ports().CommandWindow;
    if (commandWindow)
        commandWindow->AppendEditorLines(code);
    tCommandsList list;
    list.Initialise();
    const std::vector<std::string> lines = SplitTextLines(code);
    LoadLines(list, lines, 0, static_cast<std::int32_t>(lines.size()) - 1);
    tRunResult result = interpreter.Docommands_WithJournalListingUndError(list, scriptDir);
    if (!result.Success && commandWindow)
        commandWindow->ShowMessage(FailureDisplayText(result.Message, result.LastStatement));
    return result;
}

// Plays one screen; false when the demo ends here.
bool PlayScreen(const tDemoScreen& screen, tInterpreter& interpreter, tDemoView& view,
    const std::string& scriptDir, tDemoOutcome& outcome)
{
    view.ShowScreen(screen);
    for (std::size_t j = 0; j < screen.BlockCount; ++j) {
        const tblockdescr& block = screen.Block(j);
        view.MarkBlock(j);
        if (block.kind == tDemoBlockKind::Code) {
            if (view.WaitForStep(j, true) == tDemoStep::Break)
                return false;
            const tRunResult result = RunCodeBlock(block.code, interpreter, scriptDir);
            ++outcome.CodeBlocksRun;
            if (!result.Success && outcome.CodeBlocksFailed++ == 0)
                outcome.FirstFailure = result;
            view.CodeBlockRun(j, OutcomeOf(result));
            if (interpreter.InterruptRequested())
                return false;
        }
        if (view.WaitForStep(j, false) == tDemoStep::Break)
            return false;
    }
    view.EndScreen();
    return true;
}

} // namespace

std::vector<tDemoScreen> ScreensOfPage(const tKapdescr& chapter, const tVisibleVarsdescr& page)
{
    const std::size_t blocks = page.blocks.size();
    const std::size_t perScreen = tDemoView::MaxBlocksPerScreen;
    const std::size_t parts = blocks == 0 ? 1 : (blocks + perScreen - 1) / perScreen;
    std::vector<tDemoScreen> screens;
    for (std::size_t part = 1; part <= parts; ++part) {
        const std::size_t first = (part - 1) * perScreen;
        screens.push_back(
            { &chapter, &page, first, std::min(perScreen, blocks - first), part, parts });
    }
    return screens;
}

tDemoOutcome StartDemo(
    const tDemoVerw& demo, tInterpreter& interpreter, tDemoView& view, const std::string& scriptDir)
{
    tDemoOutcome outcome;
    for (const tKapdescr& chapter : demo.Chapters()) {
        for (const tVisibleVarsdescr& page : chapter.pages) {
            for (const tDemoScreen& screen : ScreensOfPage(chapter, page)) {
                if (!PlayScreen(screen, interpreter, view, scriptDir, outcome)) {
                    view.EndScreen();
                    outcome.Broken = true;
                    return outcome;
                }
            }
        }
    }
    return outcome;
}

} // namespace zelvora
