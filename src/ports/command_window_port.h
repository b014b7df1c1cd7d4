// The command window, the demo window and the application as the run loop reaches them.
#pragma once

#include <string_view>

namespace zelvora {

class tCommandWindowPort {
public:
    virtual ~tCommandWindowPort() = default;
    // Shows a failure (message, line break, quoted statement) in the message panel.
    virtual void ShowMessage(std::string_view text) = 0;
    virtual void HideMessage() = 0;
    // Shows a warning about something that is no failure (a missing batch file, ragged CSV rows).
    virtual void ShowWarning(std::string_view text) { (void)text; }
    // Shows the answer of a statement that asks for text: the values of a bare formula, help,
    // SHOWOPTIONS, LIST, DISPLAY (Windows-1252, lines ending in '\n').
    virtual void ShowOutput(std::string_view text) { (void)text; }
    // Gives the focus to the window and its editor.
    virtual void FocusEditor() = 0;
    // Appends lines to the active editor (a demo's code block before it runs).
    virtual void AppendEditorLines(std::string_view text) { (void)text; }
};

class tDemoWindowPort {
public:
    virtual ~tDemoWindowPort() = default;
    virtual bool IsVisible() const = 0;
    virtual void Focus() = 0;
};

class tApplicationPort {
public:
    virtual ~tApplicationPort() = default;
    // Lets pending window messages through so that the windows stay responsive.
    virtual void ProcessPendingMessages() = 0;
    // The same in the middle of a long statement, at its check points: windows repaint and the
    // stop button is heard. Whatever would change the session meanwhile is refused or waits.
    virtual void ProcessEventsDuringRun() { }
    // A run through the session's door started (true) or ended (false): the busy look.
    virtual void RunStateChanged(bool running) { (void)running; }
    // The statement that runs now (Windows-1252), nested ones included.
    virtual void StatementStarted(std::string_view statement) { (void)statement; }
    // Asks the journal, command, shelf and demo windows in turn whether they may close; true when
    // all agree and the program ends.
    virtual bool TryQuit() = 0;
};

} // namespace zelvora
