// Playing a demo: page after page, block after block, waiting for the user at each step and running
// the code blocks through the run loop, so that their results reach the windows, the journal and
// the listing like typed statements.
#pragma once

#include "interpreter/interpreter.h"
#include "ui/demo_file.h"
#include "ui/demo_view.h"

#include <cstdint>
#include <string>

namespace zelvora {

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
