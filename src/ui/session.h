// A program session as both front ends drive it: the variable store with its windows, the formula
// machine with the built-in functions, the interpreter with its commands, the journal and the
// listing, wired to the windows a front end provides.
#pragma once

#include "ports/command_window_port.h"
#include "ports/graphics_port.h"
#include "ports/picture_port.h"
#include "ports/process_port.h"
#include "ports/shelf_port.h"
#include "ports/text_view_port.h"
#include "ui/journal.h"
#include "ui/listing.h"
#include "ui/run_outcome.h"
#include "ui/settings_view.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class tDemoView;
class tInterpreter;
class tMatrixCellEdit;
class tSettingsModule;
class tVisibleVarsList;
class tWorkerPool;
struct tCellCommit;
struct tCommandsList;
struct tPlatformPaths;
struct tStmt;
struct tVariable;

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

// What a front end does beside its ports, handed to the session at construction; each may be
// absent.
struct tSessionHooks {
    // What SET Journal and SET Listing (and the front end's own switches) also do in its windows:
    // the switch buttons' state and whether the journal and the listing windows are shown.
    std::function<void(bool on)> JournalButton;
    std::function<void(bool on)> ListingButton;
    std::function<void(bool visible)> ShowJournalWindow;
    std::function<void(bool visible)> ShowListingWindow;
    // A front end that shows the values of bare formulas itself (a notebook's tables) receives
    // them here, with the formula and the text the command window would show, instead of the
    // command window's output.
    std::function<void(
        std::string_view formula, const std::vector<tVariable>& values, std::string_view text)>
        FormulaValues;
};

// What a front end asks the session to run: script text, or the statements of editor lines.
struct tRunRequest {
    // Script text (Windows-1252), cut into statements as the run reaches them.
    static tRunRequest OfText(
        std::string_view text, std::string scriptDir, std::string_view source = {});
    // The statements that cover lines first .. last (0-based) of an editor.
    static tRunRequest OfLines(const std::vector<std::string>& lines, std::int32_t first,
        std::int32_t last, std::string scriptDir);
    // Statements cut before, run again with the plans their first run kept.
    static tRunRequest OfStatements(const tCommandsList& statements, std::string scriptDir);

    std::string_view Text;
    const std::vector<std::string>* Lines = nullptr; // when set, Text is not used
    // Statements cut before, run again with the plans their first run kept (a benchmark's
    // repetitions); when set, Text and Lines are not used.
    const tCommandsList* Statements = nullptr;
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
    // Drops a stop request that came too late for the run it was meant for.
    void Clear() const noexcept;

private:
    tInterpreter* m_interpreter;
};

// The decimal separator argument of a session that takes the user's locale's.
inline constexpr char LocaleDecimalSeparator = '\0';

class tSession {
public:
    // startTime: the date and time written into the journal's and the listing's opening lines.
    // paths: where the settings, the data directory and the shipped examples are; the session
    // reads and writes nothing there until the front end calls StartSettings(). Without them the
    // paths are empty.
    // decimalSeparator: this session's in every number text (windows, listing, joins, formats);
    // LocaleDecimalSeparator, the default, takes the one of the user's locale.
    tSession(const tSessionPorts& ports, std::string_view startTime);
    tSession(const tSessionPorts& ports, std::string_view startTime, const tPlatformPaths& paths,
        tSessionHooks hooks = {}, char decimalSeparator = LocaleDecimalSeparator);
    ~tSession();
    tSession(const tSession&) = delete;
    tSession& operator=(const tSession&) = delete;

    // The one door for statements: runs the request as one outermost run. While a run is busy
    // (a window event at a check point asked for another) it is refused with RunBusyText.
    tRunOutcome Run(const tRunRequest& request);
    // Runs script text (Windows-1252) through Run; scriptDir resolves relative names; source
    // names the script file in failures (empty for typed text).
    tRunOutcome RunText(
        std::string_view text, const std::string& scriptDir, std::string_view source = {});
    // Whether a run through Run is going on.
    bool IsBusy() const { return m_busy; }
    // Asks the running statement to stop at its next check point; nothing when no run is busy,
    // so that a late click does not stop the next run.
    void RequestStop();
    // The stop flag for a signal handler. Unlike RequestStop it does not look whether a run is
    // busy (that is no signal-safe read), so its holder asks only while its own run goes on; the
    // outermost run clears the flag when it ends.
    tStopHandle StopHandle();

    // ---- Read-only views for the front ends.
    // The command table's rows (names, syntax), for the parts of src/ui that complete and colour.
    const std::vector<tStmt>& CommandRows() const;
    // Every command word, function, constant and variable name that may complete prefix.
    std::vector<std::string> CompletionWords(const std::string& prefix) const;
    // Whether the word begins exactly one command (the editors colour it as a command word).
    bool IsCommandWord(std::string_view word) const;
    // The answer to a help request ("?" and a name, as typed); nothing, with the message, when
    // it names nothing known.
    std::optional<std::string> HelpAnswer(std::string_view request, std::string& message) const;
    bool JournalOn() const;
    bool ListingOn() const;
    // The settings as they stand now, with the settings file's places.
    tSettingsView SettingsView() const;
    // Turns the listing on or off before a run, as SET Listing does inside one.
    void SetListingOn(bool on);

    // ---- What the front ends change between runs.
    // Reads the settings file over the defaults (nothing is read or written before).
    void StartSettings();
    // Writes the settings file after a run, so that a killed program keeps them; false when it
    // could not be written (tried again after the next run).
    bool WriteSettingsNow() const;
    // Writes the settings file at the end; false when it could not be written.
    bool FinishSettings();
    // The journal's and the listing's switches, as SET Journal and SET Listing turn them.
    void SwitchJournal(bool on);
    void SwitchListing(bool on);
    // The recent scripts of the File menu: a script opened or saved comes first; at the end the
    // list is set to the files left open and those before them.
    void AddRecentScript(std::string_view path);
    void SetRecentScripts(const std::vector<std::string>& entries);
    // The journal was saved by the user: the end does not ask for it again.
    void MarkJournalSaved();

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
    void SetReadableNumbers(bool readable);

    // ---- Read-only lookups in the store and the worker threads.
    // The names of the stored variables, in the store's order.
    std::vector<std::string> VariableNames() const;
    // Whether a variable of that name is stored (folded comparison).
    bool HasVariable(std::string_view name) const;
    // How many plain matrix variables are stored (hidden ones too).
    std::int32_t MatrixVariableCount() const;
    // The cell width of the copy layout (the shelf's matrix windows size their cells by it).
    std::int32_t CopyCellWidth() const;
    // The index (from 1) of the first variable of that name (folded comparison); 0 when none.
    std::int32_t VariableIndex(std::string_view name) const;
    // The variable of that name as stored now; null when there is none.
    const tVariable* Variable(std::string_view name) const;
    // The threads long kernels split their rows among (option Threads).
    const tWorkerPool& WorkersView() const;
    // The whole store and the settings module, for the parts of src/ui and the tests that read
    // them through the lower layers' headers.
    const tVisibleVarsList& StoreView() const;
    const tSettingsModule& SettingsFileView() const;

    // ---- What the shelf and its matrix windows change. While a statement runs each is refused
    // (a demo waiting for the user stands between its statements: the shelf acts then as between
    // runs), so that no statement sees the store change under its feet.
    // Whether the shelf's actions are refused now.
    bool ShelfActionRefused() const;
    // "alle Schließen (Matrix löschen)": one DELETE statement of every plain matrix
    // variable, hidden ones too, run as any statement (so the journal holds it); refused with
    // RunBusyText. Success without a statement when there is no matrix.
    tRunOutcome DeleteAllMatrices();
    // The matrix windows of these variables (indices from 1) close; the variables stay, hidden.
    bool HideWindows(const std::vector<std::int32_t>& indices);
    // "alle Verbergen": every matrix window closes.
    bool HideAllWindows();
    // Starts a cell edit of the variable (index from 1); the text the editor shows.
    std::string BeginCellEdit(tMatrixCellEdit& edit, std::int32_t index, std::int32_t row,
        std::int32_t col, std::string_view shown) const;
    // Commits a matrix window's cell edit; a value the variable took goes to the journal as the
    // assignment of that cell. Refused with RunBusyText, the edit forgotten, the cell as before.
    tCellCommit CommitCellEdit(tMatrixCellEdit& edit, std::string_view text);
    // Escape on a cell edit: the cell's former text; the former value goes back into the
    // variable only while no statement runs.
    std::string CancelCellEdit(tMatrixCellEdit& edit);
    // Puts the variable on the clipboard with the copy layout, after making scheme (1 ..) the
    // copy layout; scheme 0 copies with the layout as it is and is never refused.
    bool CopyToClipboard(std::int32_t index, std::int32_t scheme);

private:
    class tBusyScope;
    struct tParts;
    void Checkpoint();

    tSessionPorts m_ports;
    tJournal m_journal;
    tListing m_listing;
    bool m_busy = false;
    // The worker threads, the settings, the store, the interpreter, the machine, the options,
    // the commands' reach, the check point and the event pass.
    std::unique_ptr<tParts> m_parts;
};

// The current local date and time as the journal shows it: "dd.mm.yyyy hh:mm:ss".
std::string CurrentDateTimeText();

// A script file read as the program's text (UTF-8 files converted); nothing when it cannot be read.
std::optional<std::string> ReadScriptFile(const std::string& path);

} // namespace zelvora
