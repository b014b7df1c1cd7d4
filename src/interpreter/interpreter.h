// The interpreter: command table, flags, macro store and the run loop that walks statement lists,
// echoes them to the journal and the numbered listing and stops at the first failure.
#pragma once

#include "interpreter/commands_list.h"
#include "interpreter/macro_list.h"
#include "interpreter/statement_table.h"
#include "interpreter/statement_warnings.h"
#include "ports/command_window_port.h"
#include "ports/journal_port.h"
#include "ports/listing_port.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zelvora {

// The windows the run loop reaches; any of them may be absent (nullptr).
struct tInterpreterPorts {
    tJournalPort* Journal = nullptr;
    tListingPort* Listing = nullptr;
    tCommandWindowPort* CommandWindow = nullptr;
    tDemoWindowPort* DemoWindow = nullptr;
    tApplicationPort* Application = nullptr;
};

// What a run hands back to its caller.
struct tRunResult {
    bool Success = true;
    std::int32_t Code = 0;
    std::string Message; // cut to the caller's maximum length
    std::string LastStatement; // text of the last statement run (the failing one on failure)
};

// Where a statement stands: its script file (empty for typed text), its first line (1-based)
// and its text.
struct tStatementPlace {
    std::string Source;
    std::int32_t Line = 0;
    std::string Statement;
};

// The outermost run also reports a run-time error that ended it, and where the failure happened:
// the innermost failing statement, inside BATCH files and macros too.
struct tOutermostRunResult : tRunResult {
    bool RunTimeError = false;
    std::string ErrorText; // the run-time error's own text
    std::optional<tStatementPlace> FailurePlace;
};

// What the interpreter hands to the parts beside it: assignments, bare formulas, the variable
// test and the start of every outermost run. Any of them may be absent.
struct tInterpreterHooks {
    // Runs assignments: tokens of the whole statement, end tokens included.
    std::function<bool(tStmtList&, tAnsiTokens&)> Compute;
    // The same with the assignment's plan, kept with the statement for its next run; when set,
    // statements that keep a plan go here instead of to Compute.
    std::function<bool(tStmtList&, const tAnsiTokens&, tAssignmentPlan&)> PlannedCompute;
    // Shows the values of a statement that is neither an assignment nor a command (a bare
    // formula): tokens of the whole statement (end tokens included) and its text.
    std::function<bool(tStmtList&, tAnsiTokens&, std::string_view)> ShowFormula;
    // Whether a name is a stored variable: such a name that only abbreviates a command (`A` for
    // ANIMATE, `R` for RENAME) begins a formula, so that the variable can be shown.
    std::function<bool(std::string_view)> IsVariable;
    // Called as every outermost run starts (the session makes its worker threads the library's).
    std::function<void()> RunStart;
};

// Whether statements are echoed to the journal and to the listing (SET Journal, SET Listing).
struct tEchoSwitches {
    bool JournalOn = true; // Protokollieren
    bool ListingOn = false; // Listing
};

class tInterpreter {
public:
    explicit tInterpreter(tInterpreterPorts ports = {}, tInterpreterHooks hooks = {});

    const tInterpreterPorts& Ports() const { return m_ports; }

    // Runs one statement; leaves Code and Message in the statement table, written once as it ends
    // from the failure it reported.
    bool ExecuteStatement(const std::string& text, const tAnsiTokens& tokens);
    // The same with the statement's plan: made from the tokens on the first run, reused after.
    bool ExecuteStatement(const std::string& text, const tAnsiTokens& tokens, tStatementPlan* plan);
    // Runs the statement of a list entry and notes its place when it fails (or a run-time error
    // leaves it), unless a statement nested inside it failed first.
    bool ExecuteEntry(const tCommandslistEntry& entry);
    // Notes the entry as the place of the failure unless one is noted already.
    void NoteFailurePlace(const tCommandslistEntry& entry);
    // Notes a warning of the running statement (each text once); when the statement ends, the
    // command window shows it with the statement's place, whether the statement succeeded or not.
    void Warn(std::string_view text) { m_warnings.Add(text); }

    // Runs a whole list with journal and listing echo; stops at the first failure or a quit
    // request. Nested runs (BATCH, MACROEXEC, demo blocks) call it again.
    tRunResult Docommands_WithJournalListingUndError(const tCommandsList& list,
        const std::string& scriptDir, std::size_t maxMessageLength = MaxMessageLength);
    // The same for statements cut from script lines as the run reaches them.
    tRunResult Docommands_WithJournalListingUndError(tStatementCutter& cutter,
        const std::string& scriptDir, std::size_t maxMessageLength = MaxMessageLength);

    // The outermost run: catches run-time errors, which end the whole run, and restores the
    // interpreter's run state on every exit path.
    tOutermostRunResult RunOutermost(const tCommandsList& list, const std::string& scriptDir);
    tOutermostRunResult RunOutermost(const std::function<tRunResult()>& run);

    // The stop flag: a request (from any thread, or a signal handler) to end the running run before
    // its next statement, enclosing runs included; the run fails saying so. Cleared when
    // the outermost run ends.
    void RequestInterrupt() noexcept
    {
        m_interruptRequested.store(true, std::memory_order_relaxed);
    }
    // Drops a stop request that came too late for the run it was meant for.
    void ClearInterrupt() noexcept { m_interruptRequested.store(false, std::memory_order_relaxed); }
    bool InterruptRequested() const noexcept
    {
        return m_interruptRequested.load(std::memory_order_relaxed);
    }
    // When a stop was requested: the statement table's failure saying so, and true.
    bool FailIfInterrupted();
    // The check point of long routines: throws tInterrupted when a stop was requested.
    void Checkpoint() const;
    // Hands the answer of a statement (help, values, option and listing texts) to the command
    // window's output, line breaks as single line feeds.
    void ShowOutput(std::string_view text) const;
    // The failing statement of the last failure (set by the innermost run that saw it).
    const std::optional<tStatementPlace>& FailurePlace() const { return m_failurePlace; }
    // Makes place the failing statement of the last failure (a macro reports its first failure).
    void SetFailurePlace(tStatementPlace place) { m_failurePlace = std::move(place); }

    // Cuts lines into statements with the default markers and runs them as the outermost run;
    // source names the script file in failures (empty for typed text).
    tOutermostRunResult RunLines(const std::vector<std::string>& lines,
        const std::string& scriptDir, std::string_view source = {});
    // The same for the lines of a text, cut into statements only as the run reaches them.
    tOutermostRunResult RunText(
        std::string_view text, const std::string& scriptDir, std::string_view source = {});

    // Nesting depth of runs (run loops and macro executions); deeper than MaxRunDepth fails.
    static constexpr std::int32_t MaxRunDepth = 64;
    std::int32_t RunDepth() const { return m_runDepth; }
    class tRunScope {
    public:
        explicit tRunScope(tInterpreter& interpreter)
            : m_depth(interpreter.m_runDepth)
        {
            ++m_depth;
        }
        ~tRunScope() { --m_depth; }
        tRunScope(const tRunScope&) = delete;
        tRunScope& operator=(const tRunScope&) = delete;
        bool TooDeep() const { return m_depth > MaxRunDepth; }

    private:
        std::int32_t& m_depth;
    };
    // Sets the statement table's failure for a run nested too deeply; it ends every enclosing run
    // and macro repetition, so NestedTooDeep stays true until the outermost run ends.
    void FailTooDeep();
    bool NestedTooDeep() const { return m_nestedTooDeep; }

    // The compute handler as registered (slot [COMPUTE]).
    bool Compute(tStmtList& statements, tAnsiTokens& tokens);

    // The command table with the running statement's code and message, for the commands.
    tStmtList& Statements() { return m_statements; }
    const tStmtList& Statements() const { return m_statements; }
    tInterpreterFlags& Flags() { return m_flags; }
    const tInterpreterFlags& Flags() const { return m_flags; }
    TMacrolist& Macros() { return m_macros; }
    tEchoSwitches& Switches() { return m_switches; }
    const tEchoSwitches& Switches() const { return m_switches; }
    // The number of the last statement written to the listing.
    std::int32_t ListingCounter() const { return m_listingCounter; }
    // The folder of the running script: relative file names in formulas resolve against it.
    const std::string& CurrentScriptDir() const { return m_currentScriptDir; }

private:
    // The run loop over the statements that next hands out (null: the end); multi says whether
    // there are several, which brackets them in the journal.
    tRunResult RunStatements(const std::function<const tCommandslistEntry*()>& next, bool multi,
        const std::string& scriptDir, std::size_t maxMessageLength);
    void RecordMacroStatement(const tCommandslistEntry& entry);
    void ReportWarnings(const tCommandslistEntry& entry);
    void FocusAfterStatement();
    void ProcessPendingMessages();
    void EchoToListing(const tCommandslistEntry& entry, const std::string& echo, bool& multi);
    // The statement's work; its failure goes to the statement table's Reported.
    bool RunStatement(const std::string& text, const tAnsiTokens& tokens, tStatementPlan* plan);
    // The statement read from its plan; kept: the plan stays with the statement for its next run.
    bool RunPlanned(
        const std::string& text, const tAnsiTokens& tokens, tStatementPlan& planned, bool kept);
    bool ShowFormula(tAnsiTokens& tokens, std::string_view text);
    // A first word that names no command runs as a formula; when the formula fails on that word,
    // the failure names the commands it is close to (one slip, or the start of several).
    bool ShowFormulaOrCommandHint(tAnsiTokens& tokens, std::string_view text);

    tInterpreterPorts m_ports;
    tInterpreterHooks m_hooks;
    std::atomic<bool> m_interruptRequested { false };
    tStmtList m_statements;
    tInterpreterFlags m_flags;
    TMacrolist m_macros;
    tEchoSwitches m_switches;
    std::int32_t m_listingCounter = 0; // numbers the listed statements, never reset
    std::string m_currentScriptDir;
    std::int32_t m_runDepth = 0;
    bool m_nestedTooDeep = false;
    std::optional<tStatementPlace> m_failurePlace;
    tStatementWarnings m_warnings; // of the innermost running statement
};

// Text of a failure as the command window shows it: message, line break, quoted statement (its
// first 200 characters and an ellipsis when it is longer).
std::string FailureDisplayText(std::string_view message, std::string_view statement);
// "file:line: " of a statement from a script file; empty for typed text.
std::string PlacePrefix(const tStatementPlace& place);
// A failure with its place: "file:line: " + message (a general one when it is empty), line
// break, the quoted statement.
std::string LocatedFailureText(std::string_view message, const tStatementPlace& place);
// A warning with its place: "file:line: Warnung: " + text.
std::string LocatedWarningText(std::string_view text, const tStatementPlace& place);

// True when the tokens begin with one or more targets (names, each optionally with one bracketed
// index, separated by commas) followed by '='. tooDeep is set when the target part nests more
// than 60 brackets.
bool IsAssignment(const tAnsiTokens& tokens, bool& tooDeep);

} // namespace zelvora
