// Statement execution and the run loop with journal and listing echo.
#include "interpreter/interpreter.h"

#include "interpreter/help_requests.h"
#include "numerics/checkpoint.h"
#include "numerics/matrix_size.h"
#include "numerics/run_time_error.h"
#include "ports/text_view_port.h"
#include "text/close_words.h"

#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

namespace zelvora {
namespace {

constexpr int EndTokenCount = 6;
constexpr std::size_t MaxTargetBrackets = 60;

std::string CutText(std::string_view text, std::size_t maxLength)
{
    return std::string(text.substr(0, maxLength));
}

// A NUL byte (from a binary file run as a script) shown as ^@: C strings in the windows and
// dialogs would end the text there.
std::string WithVisibleNul(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        if (c == '\0')
            shown += "^@";
        else
            shown += c;
    }
    return shown;
}

} // namespace

std::string FailureDisplayText(std::string_view message, std::string_view statement)
{
    // A long statement (a generated one, a million brackets) is quoted by its start only.
    constexpr std::size_t maxQuoted = 200;
    std::string quoted(statement.substr(0, maxQuoted));
    if (statement.size() > maxQuoted)
        quoted += '\x85'; // the ellipsis of Windows-1252
    return WithVisibleNul(message) + "\n\"" + WithVisibleNul(quoted) + "\"";
}

std::string PlacePrefix(const tStatementPlace& place)
{
    if (place.Source.empty())
        return {};
    return place.Source + ":" + std::to_string(place.Line) + ": ";
}

std::string LocatedFailureText(std::string_view message, const tStatementPlace& place)
{
    // Some failures carry no message of their own (an ambiguous command word, a file command
    // without a file name); the display still says what happened.
    const std::string_view shown = message.empty() ? "Die Anweisung ist fehlgeschlagen" : message;
    return PlacePrefix(place) + FailureDisplayText(shown, place.Statement);
}

std::string LocatedWarningText(std::string_view text, const tStatementPlace& place)
{
    return PlacePrefix(place) + "Warnung: " + std::string(text);
}

bool IsAssignment(const tAnsiTokens& tokens, bool& tooDeep)
{
    tooDeep = false;
    std::vector<char> closers;
    bool expectingTarget = true;
    for (const t_ansitoken& token : tokens) {
        if (closers.empty()) {
            if (token.Kind == tkName) {
                if (!expectingTarget)
                    return false;
                expectingTarget = false;
            } else if (token.Kind == tkSign) {
                if (expectingTarget)
                    return false;
                if (IsSignToken(token, ','))
                    expectingTarget = true;
                else if (IsSignToken(token, '='))
                    return true;
                else if (IsSignToken(token, '['))
                    closers.push_back(']');
            } else {
                return false;
            }
            continue;
        }
        if (token.Text.empty())
            continue;
        const char c = token.Text[0];
        if (c == '(' || c == '[' || c == '{') {
            if (closers.size() >= MaxTargetBrackets) {
                tooDeep = true;
                return false;
            }
            closers.push_back(c == '(' ? ')' : c == '[' ? ']' : '}');
        } else if (c == closers.back()) {
            closers.pop_back();
            if (closers.empty())
                expectingTarget = false;
        }
    }
    return false;
}

tInterpreter::tInterpreter(tInterpreterPorts ports, tInterpreterHooks hooks)
    : m_ports(ports)
    , m_hooks(std::move(hooks))
{
}

bool tInterpreter::ExecuteStatement(const std::string& text, const tAnsiTokens& tokens)
{
    return ExecuteStatement(text, tokens, nullptr);
}

bool tInterpreter::ExecuteStatement(
    const std::string& text, const tAnsiTokens& tokens, tStatementPlan* plan)
{
    // A statement nested in a command (a macro's, a BATCH file's) reports its own failure; the
    // enclosing statement keeps the one it reported before.
    struct tEnclosing {
        tStmtList& statements;
        std::optional<tFailure> reported = std::exchange(statements.Reported, std::nullopt);
        ~tEnclosing() { statements.Reported = std::move(reported); }
    } enclosing { m_statements };
    const bool ok = RunStatement(text, tokens, plan);
    m_statements.EndStatement(m_statements.Reported);
    return ok;
}

bool tInterpreter::RunStatement(
    const std::string& text, const tAnsiTokens& tokens, tStatementPlan* plan)
{
    if (m_flags.StopRequested || m_flags.QuitRequested)
        return true;
    if (IsHelpRequest(text))
        return RunHelpRequest(*this, text);
    if (tokens.empty())
        return true;
    if (plan)
        return RunPlanned(text, tokens, *plan, true);
    tStatementPlan unplanned;
    return RunPlanned(text, tokens, unplanned, false);
}

bool tInterpreter::RunPlanned(
    const std::string& text, const tAnsiTokens& tokens, tStatementPlan& planned, bool kept)
{
    if (!planned.Ready) {
        planned.All = tokens;
        AppendEndTokens(planned.All, EndTokenCount);
        planned.IsAssignment = IsAssignment(planned.All, planned.TargetsTooDeep);
        planned.Ready = true;
    }

    if (planned.IsAssignment) {
        const bool result = m_hooks.PlannedCompute && kept
            ? m_hooks.PlannedCompute(m_statements, planned.All, planned.Assignment)
            : Compute(m_statements, planned.All);
        if (!(m_ports.DemoWindow && m_ports.DemoWindow->IsVisible()) && !m_flags.MacroRunning
            && m_ports.CommandWindow)
            m_ports.CommandWindow->FocusEditor();
        return result;
    }
    // Commands and formulas may change their tokens; they get a copy.
    tAnsiTokens all = planned.All;
    if (planned.TargetsTooDeep) {
        m_statements.Fail(1, "Zu viele geschachtelte Klammern vor dem Gleichheitszeichen");
        return false;
    }
    if (all.front().Kind != tkName) {
        if (m_hooks.ShowFormula)
            return ShowFormula(all, text);
        m_statements.Fail(1, "unbrauchbarer input");
        return false;
    }
    switch (m_statements.FindCommand(all.front().Text)) {
    case tFindResult::NotFound:
        if (m_hooks.ShowFormula)
            return ShowFormulaOrCommandHint(all, text);
        m_statements.Fail(1, "Unbekannter Befehl");
        return false;
    case tFindResult::Ambiguous:
        // The prefix of several commands (M, D) is read as a formula too.
        return m_hooks.ShowFormula ? ShowFormulaOrCommandHint(all, text) : false;
    case tFindResult::Found:
        if (m_hooks.ShowFormula && m_hooks.IsVariable && m_hooks.IsVariable(all.front().Text)
            && NameFold(all.front().Text) != m_statements.Commands[m_statements.MatchedIndex].Name)
            return ShowFormula(all, text);
        break;
    }
    tAnsiTokens arguments(all.begin() + 1, all.end());
    const tCommandHandler handler = m_statements.Handler; // a nested run may look up other commands
    const tStmt command
        = m_statements.Commands[static_cast<std::size_t>(m_statements.MatchedIndex)];
    const bool ok = handler && handler(m_statements, arguments);
    // A command that refused its arguments without saying why shows the form it takes.
    const std::optional<tFailure>& reported = m_statements.Reported;
    if (!ok && (!reported || reported->Message.empty()))
        m_statements.Fail(reported && reported->Code != 0 ? reported->Code : 1,
            command.Name + ": die Angaben passen nicht; die Form ist " + command.Name + " "
                + TrimText(command.Syntax));
    return ok;
}

bool tInterpreter::ShowFormula(tAnsiTokens& tokens, std::string_view text)
{
    return m_hooks.ShowFormula(m_statements, tokens, text);
}

bool tInterpreter::ShowFormulaOrCommandHint(tAnsiTokens& tokens, std::string_view text)
{
    const std::string word = tokens.front().Text;
    if (ShowFormula(tokens, text))
        return true;
    // The first word as an unknown name: probably a command word with a slip.
    if (!m_statements.Reported
        || !m_statements.Reported->Message.starts_with(
            "Unbekannter Name \"" + word + "\" an Stelle 1 "))
        return false;
    const std::string folded = NameFold(word);
    std::string meant;
    for (const tStmt& command : m_statements.Commands) {
        if (command.Name.empty() || command.Name.front() == '[' || command.Name == "---")
            continue;
        if (CloseWords(word, command.Name) || command.Name.starts_with(folded))
            meant += (meant.empty() ? "" : ", ") + command.Name;
    }
    if (!meant.empty())
        m_statements.Fail(m_statements.Reported->Code,
            m_statements.Reported->Message + "; als Befehl gemeint? " + meant);
    return false;
}

void tInterpreter::ShowOutput(std::string_view text) const
{
    if (!m_ports.CommandWindow)
        return;
    std::string lines(text);
    std::erase(lines, '\r');
    m_ports.CommandWindow->ShowOutput(lines);
}

void tInterpreter::Checkpoint() const
{
    if (InterruptRequested())
        throw tInterrupted();
}

bool tInterpreter::ExecuteEntry(const tCommandslistEntry& entry)
{
    // A nested run that fails notes its own statement first; the enclosing statements keep it.
    m_failurePlace.reset();
    // A nested statement reports its own warnings; the enclosing one keeps those noted before.
    tStatementWarnings enclosing = std::exchange(m_warnings, {});
    bool ok = false;
    try {
        ok = ExecuteStatement(entry.Text, entry.Tokens, entry.Plan.get());
    } catch (const tSizeTooLarge& tooLarge) {
        // A size that cannot be held is refused before anything is allocated: the statement
        // fails, nothing of it was stored, and the run goes on as after any failure.
        m_statements.EndStatement(Failure(1, tooLarge.what()));
    } catch (const std::bad_alloc&) {
        m_statements.EndStatement(Failure(1, "Zu wenig Arbeitsspeicher"));
    } catch (const std::length_error&) {
        m_statements.EndStatement(Failure(1, "Zu wenig Arbeitsspeicher"));
    } catch (...) {
        NoteFailurePlace(entry); // a run-time error names its statement too
        ReportWarnings(entry);
        m_warnings = std::move(enclosing);
        throw;
    }
    if (!ok)
        NoteFailurePlace(entry);
    if (!m_warnings.Empty())
        ReportWarnings(entry);
    m_warnings = std::move(enclosing);
    return ok;
}

void tInterpreter::ReportWarnings(const tCommandslistEntry& entry)
{
    if (m_warnings.Empty())
        return;
    const std::vector<std::string> warnings = m_warnings.Take();
    if (!m_ports.CommandWindow)
        return;
    const tStatementPlace place { entry.Source ? *entry.Source : std::string(), entry.FirstLine + 1,
        entry.Text };
    for (const std::string& warning : warnings)
        m_ports.CommandWindow->ShowWarning(LocatedWarningText(warning, place));
}

void tInterpreter::NoteFailurePlace(const tCommandslistEntry& entry)
{
    if (m_failurePlace)
        return;
    m_failurePlace = tStatementPlace { entry.Source ? *entry.Source : std::string(),
        entry.FirstLine + 1, entry.Text };
}

bool tInterpreter::FailIfInterrupted()
{
    if (!InterruptRequested())
        return false;
    m_statements.Fail(1, InterruptedText);
    return true;
}

void tInterpreter::FailTooDeep()
{
    m_nestedTooDeep = true;
    m_statements.Fail(1,
        "Zu tief geschachtelte Aufrufe von BATCH oder MACROEXEC (h\xF6"
        "chstens "
            + std::to_string(MaxRunDepth) + ")");
}

bool tInterpreter::Compute(tStmtList& statements, tAnsiTokens& tokens)
{
    if (m_hooks.Compute)
        return m_hooks.Compute(statements, tokens);
    statements.Fail(1, "Formeln k\xF6nnen noch nicht berechnet werden");
    return false;
}

void tInterpreter::RecordMacroStatement(const tCommandslistEntry& entry)
{
    if (entry.Tokens.empty())
        return;
    if (NameFold(entry.Tokens.front().Text) == "MACROEND") {
        m_macros.EndDefinition();
        m_flags.MacroRecording = false;
        return;
    }
    m_macros.AddStatement(entry);
}

void tInterpreter::ProcessPendingMessages()
{
    if (m_ports.Application)
        m_ports.Application->ProcessPendingMessages();
}

void tInterpreter::FocusAfterStatement()
{
    ProcessPendingMessages();
    if (m_ports.DemoWindow && m_ports.DemoWindow->IsVisible()) {
        m_ports.DemoWindow->Focus();
        return;
    }
    if (m_ports.CommandWindow)
        m_ports.CommandWindow->FocusEditor();
    ProcessPendingMessages();
}

void tInterpreter::EchoToListing(
    const tCommandslistEntry& entry, const std::string& echo, bool& multi)
{
    if (!m_switches.ListingOn || m_flags.NoListEcho || !m_ports.Listing)
        return;
    const std::string trimmed = TrimText(echo);
    if (entry.IsComment && trimmed.size() >= 2) {
        const char marker = UpperCaseChar(trimmed[1]);
        if (marker == 'H' || marker == 'I' || marker == 'T') {
            m_ports.Listing->addText(echo);
            multi = false;
            return;
        }
    }
    std::string prefix = "     ";
    if (!entry.IsComment && !trimmed.empty())
        prefix = "[" + std::to_string(++m_listingCounter) + "] ";
    m_ports.Listing->addCommand(prefix + echo);
}

tRunResult tInterpreter::Docommands_WithJournalListingUndError(
    const tCommandsList& list, const std::string& scriptDir, std::size_t maxMessageLength)
{
    std::size_t next = 0;
    return RunStatements(
        [&list, &next]() -> const tCommandslistEntry* {
            return next < list.Items.size() ? &list.Items[next++] : nullptr;
        },
        list.Count() > 1, scriptDir, maxMessageLength);
}

tRunResult tInterpreter::Docommands_WithJournalListingUndError(
    tStatementCutter& cutter, const std::string& scriptDir, std::size_t maxMessageLength)
{
    // The first statement is cut ahead: whether another follows decides the journal brackets.
    tCommandslistEntry current;
    bool pending = cutter.Next(current);
    const bool multi = pending && !cutter.AtEnd();
    return RunStatements(
        [&cutter, &current, &pending]() -> const tCommandslistEntry* {
            if (pending) {
                pending = false;
                return &current;
            }
            return cutter.Next(current) ? &current : nullptr;
        },
        multi, scriptDir, maxMessageLength);
}

tRunResult tInterpreter::RunStatements(const std::function<const tCommandslistEntry*()>& next,
    bool multi, const std::string& scriptDir, std::size_t maxMessageLength)
{
    tRunResult result;
    const tRunScope scope(*this);
    if (scope.TooDeep()) {
        FailTooDeep();
        m_statements.EndStatement(m_statements.Reported); // the run ends before its first statement
        result.Success = false;
        result.Code = m_statements.Code;
        result.Message = CutText(m_statements.Message, maxMessageLength);
        return result;
    }
    if (m_switches.JournalOn && multi && m_ports.Journal)
        m_ports.Journal->addline(";<<");

    while (const tCommandslistEntry* statement = next()) {
        const tCommandslistEntry& entry = *statement;
        m_failurePlace.reset();
        if (FailIfInterrupted()) {
            // The stop ends the run before this statement: the failure quotes it, not the one
            // before, which finished.
            NoteFailurePlace(entry);
            m_statements.EndStatement(m_statements.Reported); // the entry ends before it runs
            result.LastStatement = entry.Text;
            result.Success = false;
            result.Code = m_statements.Code;
            result.Message = CutText(m_statements.Message, maxMessageLength);
            break;
        }
        result.LastStatement = entry.Text;
        std::string echo;
        for (const std::string& line : entry.Lines) {
            echo += line;
            echo += TextLineBreak;
        }
        if (m_switches.JournalOn && m_ports.Journal)
            m_ports.Journal->addline(echo);
        if (m_ports.Application)
            m_ports.Application->StatementStarted(entry.Text);
        m_flags.NoListEcho = false;
        m_currentScriptDir = scriptDir;
        m_statements.ScriptDir = scriptDir.substr(0, MaxMessageLength);

        bool ok = true;
        if (!entry.IsComment) {
            if (m_flags.MacroRecording) {
                RecordMacroStatement(entry);
            } else {
                ok = ExecuteEntry(entry);
            }
        }
        result.Code = m_statements.Code;
        result.Message = CutText(m_statements.Message, maxMessageLength);
        FocusAfterStatement();

        if (!ok || m_flags.QuitRequested) {
            result.Success = ok;
            break;
        }
        if (m_flags.NoListEcho)
            multi = false;
        EchoToListing(entry, echo, multi);
    }
    if (m_switches.JournalOn && multi && m_ports.Journal)
        m_ports.Journal->addline(";>>");
    if (m_flags.QuitRequested && m_ports.Application)
        m_ports.Application->TryQuit();
    return result;
}

tOutermostRunResult tInterpreter::RunOutermost(
    const tCommandsList& list, const std::string& scriptDir)
{
    return RunOutermost([&] { return Docommands_WithJournalListingUndError(list, scriptDir); });
}

tOutermostRunResult tInterpreter::RunOutermost(const std::function<tRunResult()>& run)
{
    tOutermostRunResult outcome;
    const std::int32_t depthBefore = m_runDepth;
    const bool macroRunningBefore = m_flags.MacroRunning;
    m_failurePlace.reset();
    if (m_hooks.RunStart)
        m_hooks.RunStart();
    try {
        static_cast<tRunResult&>(outcome) = run();
    } catch (const tInterrupted& stop) {
        // A long routine stopped at the user's request: a failure, not a hard fault.
        outcome.Success = false;
        outcome.Code = 1;
        outcome.Message = stop.what();
        m_statements.EndStatement(Failure(1, stop.what()));
    } catch (const tSizeTooLarge& tooLarge) {
        // Raised outside a statement (a macro's or a window's own work): a failure as well.
        outcome.Success = false;
        outcome.Code = 1;
        outcome.Message = tooLarge.what();
        m_statements.EndStatement(Failure(1, tooLarge.what()));
    } catch (const tRunTimeError& error) {
        outcome.Success = false;
        outcome.RunTimeError = true;
        outcome.ErrorText = error.what();
    } catch (const std::bad_alloc&) {
        outcome.Success = false;
        outcome.RunTimeError = true;
        outcome.ErrorText = "Zu wenig Arbeitsspeicher";
    }
    m_runDepth = depthBefore;
    m_flags.MacroRunning = macroRunningBefore;
    if (m_runDepth == 0)
        m_nestedTooDeep = false;
    if (!outcome.Success)
        outcome.FailurePlace = m_failurePlace;
    if (m_runDepth == 0)
        m_interruptRequested.store(false, std::memory_order_relaxed); // the next run starts afresh
    return outcome;
}

tOutermostRunResult tInterpreter::RunLines(
    const std::vector<std::string>& lines, const std::string& scriptDir, std::string_view source)
{
    tStatementCutter cutter(lines, 0, static_cast<std::int32_t>(lines.size()) - 1, {}, source);
    return RunOutermost([&] { return Docommands_WithJournalListingUndError(cutter, scriptDir); });
}

tOutermostRunResult tInterpreter::RunText(
    std::string_view text, const std::string& scriptDir, std::string_view source)
{
    tStatementCutter cutter(text, {}, source);
    return RunOutermost([&] { return Docommands_WithJournalListingUndError(cutter, scriptDir); });
}

} // namespace zelvora
