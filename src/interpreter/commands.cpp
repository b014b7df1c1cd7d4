// Registration of the commands, and QUIT, MACRODEF and MACROEXEC.
#include "interpreter/commands.h"

#include "lexicon/number_text.h"
#include "numerics/result.h"

namespace zelvora {
namespace {

struct tCommandText {
    const char* Name;
    const char* Syntax;
    const char* Description;
};

// clang-format off
    constexpr tCommandText CommandTexts[] = {
        { "QUIT",        "",                                                 "Programm beenden" },
        { "SETOPTIONS",  "optionname=optionwert [,...]",                     "Einstellungen setzen" },
        { "SHOWOPTIONS", "",                                                 "Einstellungen ansehen" },
        { "[COMPUTE]",   " a=4*{1,2} + ln(3) ",                              "eine Formel berechnen. \"COMP\" kann entfallen" },
        { "RENAME",      "altvname [,alvname2,...] = stringformel ",         "eine Variable umbenennen" },
        { "MATWRITE",    " <typ>(\"dateiname\" [,breite, dezimalen] [,\"trenner\"])=matrixformel", "eine Matrix als Datei speichern; CSV: Zellen durch Tabulatoren getrennt (\";,\": Semikolon und Dezimalkomma), ohne breite und dezimalen mit allen Stellen" },
        { "HIDE",        " A,B,... oder -ALL-",                              "Matrizen ausblenden" },
        { "DISPLAY",     " A,B,... oder -ALL-",                              "ausgeblendete Matrizen einblenden" },
        { "DELETE",      " A,B,... oder -ALL-",                              "Matrizen l\xF6schen" },
        { "POSITION",    " A,B={x1,y1},{x2,y2},...",                         "Matrizen positionieren" },
        { "LOAD",        "\"<filename>\"",                                   "kompletten Arbeitsbereich laden" },
        { "SAVE",        "\"<filename>\"",                                   "kompletten Arbeitsbereich sichern" },
        { "ORBIDEX",     "Matrix oder Ausdruck",                             "mit ORBIDEX bearbeiten" },
        { "ANIMATE",     "Matrix oder Ausdruck",                             "mit ANIMATE bearbeiten" },
        { "LIST",        " A,B,... oder -ALL-",                              "Matrizen listen (im Listing-VisibleVars)" },
        { "HIDDEN",      " ON oder OFF oder <matrix>=formel",                "neue Matrizen nicht anzeigen" },
        { "DEMO",        "\"<filename>\"",                                   "Demo starten" },
        { "BATCH",       "\"<filename>\"",                                   "Batch ausf\xFChren" },
        { "ZEICHNE",     "Scatterplot|ANIMATE|CloudAnimate =matrixformel",   "eine Koordinaten-Matrix als Vektorzeichnung" },
        { "MACRODEF",    "MACRODEF name",                                    "Ein Makro definieren. Ende mit MACROEND" },
        { "MACROEXEC",   "MACROEXEC name",                                   "ein Makro ausf\xFChren" },
        { "FACH",        "FACH ADD|Nr|Get",                                  "Regalf\xE4" "cher konfigurieren" },
    };
// clang-format on

bool IsNumberToken(const t_ansitoken& token)
{
    return token.Kind == tkInteger || token.Kind == tkReal;
}

bool Quit(tInterpreter& interpreter)
{
    interpreter.Flags().StopRequested = true;
    interpreter.Flags().QuitRequested = true;
    if (interpreter.Ports().Application)
        interpreter.Ports().Application->TryQuit();
    return true;
}

bool MacroDefine(tInterpreter& interpreter, const tAnsiTokens& arguments)
{
    const std::string name = arguments.empty() ? EndTokenText : arguments.front().Text;
    interpreter.Macros().BeginDefinition(NameFold(name));
    interpreter.Flags().MacroRecording = true;
    return true;
}

// Holds the scalar window's value cells for the repetitions of a macro, on every way out.
class tScalarTextsHold {
public:
    explicit tScalarTextsHold(const tCommandHooks& hooks)
        : m_hooks(hooks)
    {
        if (m_hooks.HoldScalarTexts)
            m_hooks.HoldScalarTexts();
    }
    ~tScalarTextsHold()
    {
        if (!m_hooks.ReleaseScalarTexts)
            return;
        try {
            m_hooks.ReleaseScalarTexts();
        } catch (...) {
            // Out of memory while formatting a cell: the cell shows its old text until the
            // variable is stored again; the run's own failure stands.
        }
    }
    tScalarTextsHold(const tScalarTextsHold&) = delete;
    tScalarTextsHold& operator=(const tScalarTextsHold&) = delete;

private:
    const tCommandHooks& m_hooks;
};

bool MacroExecute(tInterpreter& interpreter, const tCommandHooks& hooks, tStmtList& statements,
    const tAnsiTokens& arguments)
{
    const std::string name = NameFold(arguments.size() > 0 ? arguments[0].Text : EndTokenText);
    std::int32_t count = 1;
    if (arguments.size() > 1) {
        const t_ansitoken& countToken = arguments[1];
        if (countToken.Kind == tkName) {
            const auto value
                = hooks.VariableAsInteger ? hooks.VariableAsInteger(countToken.Text) : std::nullopt;
            count = value.value_or(1);
        } else if (IsNumberToken(countToken)) {
            count = IntegerOfText(countToken.Text);
        }
    }
    std::optional<std::int32_t> delay;
    if (arguments.size() > 2 && IsNumberToken(arguments[2]))
        delay = IntegerOfText(arguments[2].Text);

    const std::int32_t number = interpreter.Macros().Find(name);
    if (number == 0) {
        statements.Fail(2, "Makro nicht gefunden");
        return false;
    }

    const tInterpreter::tRunScope scope(interpreter);
    if (scope.TooDeep()) {
        interpreter.FailTooDeep();
        return false;
    }
    const bool runningBefore = interpreter.Flags().MacroRunning;
    interpreter.Flags().MacroRunning = true;
    const tScalarTextsHold scalarTexts(hooks);
    // The list is copied: a statement of the macro may redefine it while it runs.
    const tCommandsList macro = interpreter.Macros().List(number);
    // The first failure of any repetition is the command's failure, with its place.
    std::optional<tFailure> firstFailure;
    std::optional<tStatementPlace> firstPlace;
    const auto noteFailure = [&](const tCommandslistEntry& entry, const tFailure& failure) {
        if (firstFailure)
            return;
        firstFailure = failure;
        firstPlace = interpreter.FailurePlace().value_or(tStatementPlace {
            entry.Source ? *entry.Source : std::string(), entry.FirstLine + 1, entry.Text });
    };
    // A failing statement ends its repetition and the next one starts again from the first
    // statement; a stop request and a run nested too deeply end every repetition at once.
    bool endAll = false;
    for (std::int32_t repetition = 0; repetition < count && !endAll; ++repetition) {
        for (const tCommandslistEntry& entry : macro.Items) {
            if (entry.IsComment)
                continue;
            if (interpreter.FailIfInterrupted()) {
                interpreter.NoteFailurePlace(entry);
                noteFailure(entry, *statements.Reported);
                endAll = true;
                break;
            }
            if (!interpreter.ExecuteEntry(entry)) {
                // The statement has ended: its code and message say why.
                noteFailure(entry, tFailure { statements.Code, statements.Message });
                endAll = interpreter.NestedTooDeep();
                break;
            }
        }
        if (delay && *delay > 0) {
            if (hooks.FlushScalarTexts)
                hooks.FlushScalarTexts();
            if (hooks.Pause)
                hooks.Pause(std::chrono::milliseconds(*delay));
            if (interpreter.Ports().Application)
                interpreter.Ports().Application->ProcessPendingMessages();
        }
    }
    interpreter.Flags().MacroRunning = runningBefore;
    const bool result = !firstFailure;
    if (firstFailure) {
        statements.Fail(firstFailure->Code, firstFailure->Message);
        interpreter.SetFailurePlace(*firstPlace);
        if (interpreter.Ports().CommandWindow)
            interpreter.Ports().CommandWindow->ShowMessage(
                LocatedFailureText(firstFailure->Message, *firstPlace));
    }
    return result;
}

tCommandHandler NotYetAvailable(const std::string& name)
{
    return [name](tStmtList& statements, tAnsiTokens&) {
        statements.Fail(1,
            "Der Befehl " + name
                + " ist in dieser Ausgabe noch nicht verf\xFC"
                  "gbar");
        return false;
    };
}

} // namespace

void RegisterCommands(tInterpreter& interpreter, tCommandHooks hooks)
{
    tStmtList& table = interpreter.Statements();
    table.ClearCommands();
    table.RegisterCommand("---", "", "", nullptr);
    for (const tCommandText& command : CommandTexts) {
        const std::string name = command.Name;
        tCommandHandler handler;
        if (name == "QUIT") {
            handler = [&interpreter](tStmtList&, tAnsiTokens&) { return Quit(interpreter); };
        } else if (name == "[COMPUTE]") {
            handler = [&interpreter](tStmtList& statements, tAnsiTokens& tokens) {
                return interpreter.Compute(statements, tokens);
            };
        } else if (name == "MACRODEF") {
            handler = [&interpreter](tStmtList&, tAnsiTokens& arguments) {
                return MacroDefine(interpreter, arguments);
            };
        } else if (name == "MACROEXEC") {
            handler = [&interpreter, hooks](tStmtList& statements, tAnsiTokens& arguments) {
                return MacroExecute(interpreter, hooks, statements, arguments);
            };
        } else {
            handler = NotYetAvailable(name);
        }
        table.RegisterCommand(
            command.Name, command.Syntax, command.Description, std::move(handler));
    }
}

} // namespace zelvora
