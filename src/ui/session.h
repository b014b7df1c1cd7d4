// A program session as both front ends drive it: the variable store with its windows, the formula
// machine with the built-in functions, the interpreter with its commands, the journal and the
// listing, wired to the windows a front end provides.
#pragma once

#include "interpreter/commands.h"
#include "interpreter/core_compute_services.h"
#include "interpreter/interpreter.h"
#include "interpreter/options.h"
#include "interpreter/settings_module.h"
#include "interpreter/store_commands.h"
#include "interpreter/system_variables.h"
#include "language/builtin_dispatch.h"
#include "language/eval_machine.h"
#include "numerics/checkpoint.h"
#include "numerics/worker_pool.h"
#include "ports/command_window_port.h"
#include "ports/graphics_port.h"
#include "ports/picture_port.h"
#include "ports/shelf_port.h"
#include "ports/text_view_port.h"
#include "ui/demo_command.h"
#include "ui/event_pass.h"
#include "ui/journal.h"
#include "ui/listing.h"
#include "variables/display_list.h"
#include "variables/number_format.h"

#include <functional>
#include <memory>
#include <string>

namespace zelvora {

struct tSessionPorts {
    tTextViewPort* JournalView = nullptr; // required
    tTextViewPort* ListingView = nullptr; // required
    tCommandWindowPort* CommandWindow = nullptr;
    tDemoWindowPort* DemoWindow = nullptr;
    tApplicationPort* Application = nullptr;
    tShelfPort* Shelf = nullptr; // without a shelf nothing is shown
    tListingPicturePort* ListingPictures = nullptr;
    tClipboardPort* Clipboard = nullptr;
    tProcessPort* Processes = nullptr; // ORBIDEX and ANIMATE start programs through it
    tDemoView* DemoView = nullptr; // plays DEMO; also the demo window when DemoWindow is absent
    tGraphicsPort* Graphics = nullptr; // ZEICHNE draws through it
};

// What a front end asks the session to run: script text, or the statements of editor lines.
struct tRunRequest {
    // Script text (Windows-1252), cut into statements as the run reaches them.
    static tRunRequest OfText(
        std::string_view text, std::string scriptDir, std::string_view source = {});
    // The statements that cover lines first .. last (0-based) of an editor.
    static tRunRequest OfLines(const std::vector<std::string>& lines, std::int32_t first,
        std::int32_t last, std::string scriptDir);

    std::string_view Text;
    const std::vector<std::string>* Lines = nullptr; // when set, Text is not used
    std::int32_t FirstLine = 0;
    std::int32_t LastLine = -1;
    std::string ScriptDir; // relative names resolve against it
    std::string_view Source; // the script file named in failures; empty for typed text
};

// The answer to a run asked for while another one runs.
inline constexpr std::string_view RunBusyText
    = "Es l\xE4uft schon eine Ausf\xFChrung; warten Sie, bis sie endet.";

// Asks the running statement of one session to stop. It only sets the interpreter's atomic stop
// flag, so a signal handler or another thread may use it (the console's Ctrl-C keeps one).
class tStopHandle {
public:
    explicit tStopHandle(tInterpreter& interpreter)
        : m_interpreter(&interpreter)
    {
    }
    void Request() const noexcept;

private:
    tInterpreter* m_interpreter;
};

class tSession {
public:
    // startTime: the date and time written into the journal's and the listing's opening lines.
    // paths: where the settings, the data directory and the shipped examples are; the session
    // reads and writes nothing there until the front end calls Settings().Start().
    // decimalSeparator: this session's in every number text (windows, listing, joins, formats);
    // by default the one of the user's locale.
    tSession(const tSessionPorts& ports, std::string_view startTime,
        const tPlatformPaths& paths = {}, char decimalSeparator = ReadLocaleDecimalSeparator());
    ~tSession();
    tSession(const tSession&) = delete;
    tSession& operator=(const tSession&) = delete;

    // The one door for statements: runs the request as one outermost run. While a run is busy
    // (a window event at a check point asked for another) it is refused with RunBusyText.
    tOutermostRunResult Run(const tRunRequest& request);
    // Runs script text (Windows-1252) through Run; scriptDir resolves relative names; source
    // names the script file in failures (empty for typed text).
    tOutermostRunResult RunText(
        std::string_view text, const std::string& scriptDir, std::string_view source = {});
    // Whether a run through Run is going on.
    bool IsBusy() const { return m_busy; }
    // Asks the running statement to stop at its next check point; nothing when no run is busy,
    // so that a late click does not stop the next run.
    void RequestStop();
    // The stop flag for a signal handler. Unlike RequestStop it does not look whether a run is
    // busy (that is no signal-safe read), so its holder asks only while its own run goes on; the
    // outermost run clears the flag when it ends.
    tStopHandle StopHandle() { return tStopHandle(m_interpreter); }

    // ---- Read-only views for the front ends.
    // The command table's rows (names, syntax), for completion and colouring.
    const std::vector<tStmt>& CommandRows() const { return m_interpreter.Statements.Commands; }
    // Whether the word begins exactly one command (the editors colour it as a command word).
    bool IsCommandWord(std::string_view word) const;
    bool JournalOn() const { return m_interpreter.JournalOn; }
    bool ListingOn() const { return m_interpreter.ListingOn; }
    const tVisibleVarsList& StoreView() const { return m_store; }
    const tSettings& SettingsView() const { return m_settings.Settings(); }
    // Turns the listing on or off before a run, as SET Listing does inside one.
    void SetListingOn(bool on) { m_interpreter.ListingOn = on; }

    // ---- What the front ends change between runs.
    // Reads the settings file over the defaults (nothing is read or written before).
    void StartSettings() { m_settings.Start(); }
    // Writes the settings file after a run, so that a killed program keeps them; false when it
    // could not be written (tried again after the next run).
    bool WriteSettingsNow() const { return m_settings.WriteNow(); }
    // Writes the settings file at the end; false when it could not be written.
    bool FinishSettings() { return m_settings.Finish(); }
    // Where the settings file was read from and is written to, and the platform paths.
    const tSettingsModule& SettingsFileView() const { return m_settings; }
    // The journal's and the listing's switches, as SET Journal and SET Listing turn them.
    void SwitchJournal(bool on) { m_options.SwitchJournal(on ? 1 : 2); }
    void SwitchListing(bool on) { m_options.SwitchListing(on ? 1 : 2); }
    // What the switches also do in the front end's windows (buttons, shown windows).
    void SetOptionHooks(tOptionHooks hooks) { m_options.SetHooks(std::move(hooks)); }
    // The recent scripts of the File menu: a script opened or saved comes first; at the end the
    // list is set to the files left open and those before them.
    void AddRecentScript(std::string_view path)
    {
        tSettings& settings = m_settings.Settings();
        settings.RecentScripts.AddFile(path, settings.ExamplesDirectory());
    }
    void SetRecentScripts(const std::vector<std::string>& entries)
    {
        m_settings.Settings().RecentScripts.Assign(std::int32_t(entries.size()), entries);
    }
    // The journal was saved by the user: the end does not ask for it again.
    void MarkJournalSaved() { m_settings.Settings().JournalSaved = true; }

    // ---- The journal and the listing as their windows show and save them.
    const tJournal& JournalView() const { return m_journal; }
    const tListing& ListingView() const { return m_listing; }
    // Empties the text and its window; the modified flag is cleared.
    void ClearJournal() { m_journal.Clear(); }
    void ClearListing() { m_listing.Clear(); }
    void SetJournalAppendMode(bool on) { m_journal.SetAppendMode(on); }
    void SetListingAppendMode(bool on) { m_listing.SetAppendMode(on); }
    // The whole text went to its file: not modified any more (the journal also counts as saved).
    void NoteJournalWritten()
    {
        MarkJournalSaved();
        m_journal.SetModified(false);
    }
    void NoteListingWritten() { m_listing.SetModified(false); }
    // The files a "save as" chose; the journal's folder is kept relative to the data directory
    // when it lies below it.
    void SetJournalFile(std::string directory, std::string fileName);
    void SetListingFile(std::string directory, std::string fileName);
    // Matrices written with readable numbers (the console and a notebook show them so).
    void SetReadableNumbers(bool readable) { m_store.SetReadableNumbers(readable); }

    // A front end that shows the values of bare formulas itself (a notebook's tables) receives
    // them here, with the formula and the text the command window would show, instead of the
    // command window's output.
    using tFormulaValuesView = std::function<void(
        std::string_view formula, const tVariableArray& values, std::string_view text)>;
    void SetFormulaValuesView(tFormulaValuesView view) { m_formulaValuesView = std::move(view); }

    // ---- The parts the doors do not cover yet: the shelf's store (its windows change cells and
    // names), the notebook's session in src/ui (its interpreter) and tests that set a session up.
    tInterpreter& Interpreter() { return m_interpreter; }
    tListing& Listing() { return m_listing; }
    tVisibleVarsList& Store() { return m_store; }
    tStoreCommandContext& StoreCommands() { return m_storeCommands; }
    tSettings& Settings() { return m_settings.Settings(); }
    tWorkerPool& Workers() { return m_workers; }

private:
    class tBusyScope;
    bool ShowBareFormula(tStmtList& statements, const tAnsiTokens& tokens, std::string_view text);

    // Long kernels split their rows among these threads (option Threads, ZELVORA_THREADS).
    tWorkerPool m_workers { DefaultPoolThreads() };
    tSessionPorts m_ports;
    tSettingsModule m_settings;
    tJournal m_journal;
    tListing m_listing;
    tVisibleVarsList m_store;
    tStoreEnvironment m_environment;
    tFunctionDispatch m_dispatch;
    tEvalMachine m_machine;
    tInterpreter m_interpreter;
    tSystemVariables m_sysvars;
    tCoreComputeServices m_services;
    tOptions m_options;
    tStoreCommandContext m_storeCommands;
    tCheckpoint m_checkpoint; // long routines stop there when the user asks
    tEventPass m_eventPass; // the windows' events at the check points of a run
    bool m_busy = false;
    std::unique_ptr<tDemoCommand> m_demoCommand;
    tFormulaValuesView m_formulaValuesView;
};

// The current local date and time as the journal shows it: "dd.mm.yyyy hh:mm:ss".
std::string CurrentDateTimeText();

// A script file read as the program's text (UTF-8 files converted); nothing when it cannot be read.
std::optional<std::string> ReadScriptFile(const std::string& path);

} // namespace zelvora
