// The DEMO command: the demo window shown around playing, and the outcome as the result.
#include "ui/demo_command.h"

#include <filesystem>

namespace zelvora {

namespace {

// Shows the demo window for as long as it lives, and hides it on every way out (a run-time error
// in a code block included).
class tShownDemo {
public:
    tShownDemo(tDemoView& view, const std::string& title, bool& playing)
        : m_view(view)
        , m_playing(playing)
    {
        m_playing = true;
        m_view.ShowDemo(title);
        m_view.Focus();
    }
    ~tShownDemo()
    {
        m_view.HideDemo();
        m_playing = false;
    }
    tShownDemo(const tShownDemo&) = delete;
    tShownDemo& operator=(const tShownDemo&) = delete;

private:
    tDemoView& m_view;
    bool& m_playing;
};

} // namespace

bool tDemoCommand::Play(tStmtList& statements, const std::string& fileName)
{
    if (m_playing) {
        statements.Fail(1, "Eine Demo l\xE4uft bereits; sie kann keine weitere Demo starten");
        return false;
    }
    if (const auto error = m_demo.Load(fileName)) {
        statements.Fail(1, *error);
        return false;
    }
    m_demo.Analyse();
    tCommandWindowPort* commandWindow = m_interpreter.Ports().CommandWindow;
    for (const std::string& warning : m_demo.Warnings())
        m_interpreter.Warn(warning);
    const std::string directory = std::filesystem::path(fileName).parent_path().string();
    tDemoOutcome outcome;
    {
        tShownDemo shown(m_view, m_demo.Title(), m_playing);
        outcome = StartDemo(m_demo, m_interpreter, m_view, directory);
    }
    if (commandWindow)
        commandWindow->FocusEditor();
    if (m_interpreter.FailIfInterrupted())
        return false;
    if (outcome.CodeBlocksFailed > 0) {
        statements.Fail(outcome.FirstFailure.Code,
            "Demo \"" + m_demo.Title() + "\": " + std::to_string(outcome.CodeBlocksFailed) + " von "
                + std::to_string(outcome.CodeBlocksRun)
                + " Codebl\xF6"
                  "cken fehlgeschlagen; zuerst \""
                + outcome.FirstFailure.LastStatement + "\": " + outcome.FirstFailure.Message);
        return false;
    }
    statements.Fail(0, "");
    return true;
}

} // namespace zelvora
