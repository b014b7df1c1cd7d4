// The interactive prompt: line editing and history through libedit, statements continued with " _".
#include "prompt.h"

#include "completion.h"
#include "console_welcome.h"
#include "interrupt.h"
#include "run_report.h"
#include "ui/front_end_text.h"
#include "ui/program_start.h"
#include "ui/statement_lines.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <editline/readline.h>

namespace zelvora::cli {
namespace {

constexpr int HistoryLength = 1000;

// $XDG_STATE_HOME/zelvora/history, by default ~/.local/state/zelvora/history; empty without a home.
std::filesystem::path HistoryFile()
{
    std::filesystem::path base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        base = state;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "state";
    else
        return {};
    return base / "zelvora" / "history";
}

// From now on the journal's text goes to the journal file of this run as it grows (appended
// to what the file holds), so that a killed program keeps every statement that ran.
void WriteJournalThrough(tSession& session, tConsoleTextView& journalView)
{
    const std::filesystem::path file = FileSystemPath(session.SettingsView().JournalFilePath());
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (journalView.WriteThrough(file.string(), true)) {
        session.MarkJournalSaved();
        return;
    }
    PrintText(stderr,
        "Das Journal kann nicht nach " + session.SettingsView().JournalFilePath()
            + " geschrieben werden\n");
}

} // namespace

int RunPrompt(
    tSession& session, const tConsoleApplication& application, tConsoleTextView& journalView)
{
    // The line editor reads through ReadKeyUnlessSignalled, so that Ctrl-C, SIGTERM and SIGHUP
    // end a read; its own signal handling would re-raise them.
    rl_catch_signals = 0;
    rl_getc_function = ReadKeyUnlessSignalled;
    // The line editor turns typed characters into the line's bytes by the character type of the
    // user's locale; numbers stay with the C locale.
    std::setlocale(LC_CTYPE, "");
    session.StartSettings();
    WriteJournalThrough(session, journalView);
    session.WriteSettingsNow(); // and after every statement: a kill keeps them
    const std::string& welcome = session.SettingsView().WelcomeText();
    const bool firstStart = welcome.find('\n') + 1 < welcome.size();
    PrintText(stdout, ConsoleWelcomeText(welcome, firstStart) + "\n");
    const std::string directory = std::filesystem::current_path().string();
    InstallCompletion(session);
    const std::filesystem::path history = HistoryFile();
    std::error_code error;
    if (!history.empty()) {
        std::filesystem::create_directories(history.parent_path(), error);
        read_history(history.c_str());
    }
    stifle_history(HistoryLength);
    std::string statement;
    tConsoleSignals::TakeLineInterrupt(); // a Ctrl-C during the start drops no line
    while (!application.QuitGranted() && tConsoleSignals::EndSignal() == 0) {
        const char* prompt = statement.empty() ? "Zelvora> " : "   ...> ";
        std::unique_ptr<char, decltype(&std::free)> input(readline(prompt), &std::free);
        if (tConsoleSignals::TakeLineInterrupt()) {
            // Ctrl-C drops what was typed, a continued statement included.
            PrintText(stdout, "^C\n");
            statement.clear();
            continue;
        }
        if (!input || tConsoleSignals::EndSignal() != 0)
            break;
        const std::string line = Utf8ToCp1252(input.get());
        statement += statement.empty() ? line : "\n" + line;
        if (ContinuesOnNextLine(line))
            continue;
        if (!IsBlankText(statement)) {
            add_history(Cp1252ToUtf8(statement).c_str());
            if (!history.empty())
                write_history(history.c_str());
        }
        {
            const tConsoleSignals::tRunning running;
            ReportRun(session.RunText(statement, directory));
        }
        session.WriteSettingsNow(); // kept should the program be killed
        tConsoleSignals::TakeLineInterrupt(); // a Ctrl-C after the run ended drops nothing
        statement.clear();
    }
    PrintText(stdout, "\n");
    session.FinishSettings();
    const int signal = tConsoleSignals::EndSignal();
    return signal == 0 ? 0 : 128 + signal;
}

} // namespace zelvora::cli
