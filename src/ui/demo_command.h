// The DEMO command as a session plays it: load and analyse the file, show the demo window, play
// it, hide the window and report the outcome as the command's result.
#pragma once

#include "interpreter/interpreter.h"
#include "ui/demo_file.h"
#include "ui/demo_player.h"

#include <string>

namespace zelvora {

class tDemoCommand {
public:
    tDemoCommand(tInterpreter& interpreter, tDemoView& view)
        : m_interpreter(interpreter)
        , m_view(view)
    {
    }

    // Plays an existing demo file. Fails when it cannot be read, when a demo is already playing,
    // when a stop request ended it, or when a code block failed (the first failure's code, and a
    // message saying how many blocks failed and why the first did). Ending the demo with break is
    // no failure. Code blocks resolve relative file names against the demo file's directory.
    bool Play(tStmtList& statements, const std::string& fileName);

    // The demo manager, with the last demo loaded.
    const tDemoVerw& Demo() const { return m_demo; }

private:
    tInterpreter& m_interpreter;
    tDemoView& m_view;
    tDemoVerw m_demo;
    bool m_playing = false;
};

} // namespace zelvora
