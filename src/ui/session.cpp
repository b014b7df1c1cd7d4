// A program session: store, machine, interpreter, journal and listing wired together.
#include "ui/session.h"

#include "formats/matrix_text_io.h"
#include "interpreter/commands.h"
#include "interpreter/compute_handler.h"
#include "interpreter/core_compute_services.h"
#include "interpreter/file_reader_functions.h"
#include "interpreter/help_requests.h"
#include "interpreter/interpreter.h"
#include "interpreter/option_commands.h"
#include "interpreter/options.h"
#include "interpreter/settings_module.h"
#include "interpreter/store_commands.h"
#include "interpreter/system_variables.h"
#include "language/builtin_dispatch.h"
#include "language/eval_machine.h"
#include "numerics/checkpoint.h"
#include "numerics/library_state.h"
#include "numerics/worker_pool.h"
#include "text/paths.h"
#include "text/text_encoding.h"
#include "ui/completion_words.h"
#include "ui/demo_command.h"
#include "ui/demo_wait_watch.h"
#include "ui/event_pass.h"
#include "ui/formula_values.h"
#include "ui/matrix_cell_edit.h"
#include "ui/run_outcome_of.h"
#include "ui/session_parts.h"
#include "ui/syntax_classes.h"
#include "variables/display_list.h"
#include "variables/number_format.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace zelvora {

// Marks the session busy for one run through its door, on every way out, and tells the
// application port, which shows the busy look.
class tSession::tBusyScope {
public:
    explicit tBusyScope(tSession& session)
        : m_session(session)
    {
        m_session.m_busy = true;
        m_session.m_parts->EventPass.Restart();
        if (m_session.m_ports.Application)
            m_session.m_ports.Application->RunStateChanged(true);
    }
    ~tBusyScope()
    {
        m_session.m_busy = false;
        if (m_session.m_ports.Application)
            m_session.m_ports.Application->RunStateChanged(false);
    }
    tBusyScope(const tBusyScope&) = delete;
    tBusyScope& operator=(const tBusyScope&) = delete;

private:
    tSession& m_session;
};

tRunRequest tRunRequest::OfText(
    std::string_view text, std::string scriptDir, std::string_view source)
{
    tRunRequest request;
    request.Text = text;
    request.ScriptDir = std::move(scriptDir);
    request.Source = source;
    return request;
}

tRunRequest tRunRequest::OfLines(const std::vector<std::string>& lines, std::int32_t first,
    std::int32_t last, std::string scriptDir)
{
    tRunRequest request;
    request.Lines = &lines;
    request.FirstLine = first;
    request.LastLine = last;
    request.ScriptDir = std::move(scriptDir);
    return request;
}

tRunRequest tRunRequest::OfStatements(const tCommandsList& statements, std::string scriptDir)
{
    tRunRequest request;
    request.Statements = &statements;
    request.ScriptDir = std::move(scriptDir);
    return request;
}

void tStopHandle::Request() const noexcept
{
    m_interpreter->RequestInterrupt();
}

void tStopHandle::Clear() const noexcept
{
    m_interpreter->ClearInterrupt();
}

void tSession::SetJournalFile(std::string directory, std::string fileName)
{
    tSettings& settings = m_parts->SettingsModule.Settings();
    settings.JournalDir = RelativeIfBelow(directory, settings.DataDir);
    settings.JournalFileName = std::move(fileName);
}

void tSession::SetListingFile(std::string directory, std::string fileName)
{
    tSettings& settings = m_parts->SettingsModule.Settings();
    settings.ListingDir = std::move(directory);
    settings.ListingFileName = std::move(fileName);
}

tSession::tParts::tParts(
    tSession& session, const tPlatformPaths& paths, tSessionHooks& hooks, char decimalSeparator)
    : SettingsModule(paths, LocalTimeNow())
    , Store(
          tDisplayPorts {
              .Shelf = session.m_ports.Shelf,
              .Listing = &session.m_listing,
              .ListingPictures = session.m_ports.ListingPictures,
              .Clipboard = session.m_ports.Clipboard,
          },
          decimalSeparator == LocaleDecimalSeparator ? ReadLocaleDecimalSeparator()
                                                     : decimalSeparator)
    , Interpreter(
          tInterpreterPorts {
              .Journal = &session.m_journal,
              .Listing = &session.m_listing,
              .CommandWindow = session.m_ports.CommandWindow,
              .DemoWindow
              = session.m_ports.DemoWindow ? session.m_ports.DemoWindow : session.m_ports.DemoView,
              .Application = session.m_ports.Application,
          },
          InterpreterHooks())
    , Environment(Store,
          [this](std::string_view name) { return SystemVariables.SystemVariableValue(name); })
    , Dispatch(tDispatchReach {
          .ScriptDirectory = &Interpreter.CurrentScriptDir(),
          .Clipboard = session.m_ports.Clipboard,
          .Checkpoint = &Checkpoint,
          .Graphics = session.m_ports.Graphics,
      })
    , Machine(Environment, &Dispatch,
          [&interpreter = Interpreter](std::string_view warning) { interpreter.Warn(warning); })
    , SystemVariables(SettingsModule.Settings(),
          { Interpreter.Switches().JournalOn, Interpreter.Switches().ListingOn }, Dispatch.Random())
    , Services(Store, Machine, SystemVariables)
    , Options(SettingsModule.Settings(), Interpreter, &Store, Dispatch.Random(),
          tOptionHooks {
              .JournalButton = std::move(hooks.JournalButton),
              .ListingButton = std::move(hooks.ListingButton),
              .ShowJournalWindow = std::move(hooks.ShowJournalWindow),
              .ShowListingWindow = std::move(hooks.ShowListingWindow),
          },
          &Workers)
    , Checkpoint([&session] { session.Checkpoint(); })
    , EventPass(session.m_ports.Application)
    , DemoView(session.m_ports.DemoView
              ? std::make_unique<tDemoWaitWatch>(*session.m_ports.DemoView)
              : nullptr)
    , DemoCommand(DemoView ? std::make_unique<tDemoCommand>(Interpreter, *DemoView) : nullptr)
    , FormulaValuesView(std::move(hooks.FormulaValues))
    , StoreCommands(StoreCommandContext(session, paths))
{
    tInterpreter& interpreter = Interpreter;
    Dispatch.Register(FileReaderRows());
    tCommandHooks commandHooks;
    commandHooks.VariableAsInteger = [this](std::string_view name) -> std::optional<std::int32_t> {
        const tVariable* variable = Environment.FindVariable(name);
        return variable ? std::optional<std::int32_t>(VarAsInteger(*variable)) : std::nullopt;
    };
    commandHooks.Pause = [graphics = session.m_ports.Graphics](std::chrono::milliseconds delay) {
        std::this_thread::sleep_for(delay);
        if (graphics)
            graphics->RepaintVisible();
    };
    tVisibleVarsList& store = Store;
    commandHooks.HoldScalarTexts = [&store] { store.HoldScalarTexts(); };
    commandHooks.ReleaseScalarTexts = [&store] { store.ReleaseScalarTexts(); };
    commandHooks.FlushScalarTexts = [&store] { store.FlushScalarTexts(); };
    RegisterCommands(interpreter, std::move(commandHooks));
    RegisterOptionCommands(interpreter, Options);
    RegisterStoreCommands(StoreCommands);
    RegisterOutsideCommands(StoreCommands);
}

tStoreCommandContext tSession::tParts::StoreCommandContext(
    tSession& session, const tPlatformPaths& paths)
{
    tSettings& settings = SettingsModule.Settings();
    const std::string shipped = paths.ShippedDir;
    const auto shippedFolder = [shipped](const char* folder) {
        return [shipped, folder] { return shipped.empty() ? shipped : JoinPath(shipped, folder); };
    };
    std::function<bool(tStmtList&, const std::string&)> playDemo;
    if (DemoCommand)
        playDemo = [this](tStmtList& statements, const std::string& fileName) {
            return DemoCommand->Play(statements, fileName);
        };
    const tSessionPorts& ports = session.m_ports;
    return {
        .Interpreter = Interpreter,
        .Store = Store,
        .Machine = Machine,
        .BatchDirectory = [&settings] { return settings.ExamplesDirectory(); },
        .ReadScript = ReadScriptFile,
        .Shelf = ports.Shelf,
        .Processes = ports.Processes,
        .DemoDirectory = [&settings] { return settings.DemoDirectory(); },
        .AddOnDirectory = [&settings] { return settings.OrbidexDir; },
        .ListQuoteStrings = [&settings] { return settings.ListQuoteStrings; },
        .PlayDemo = std::move(playDemo),
        .Graphics = ports.Graphics,
        .ListingPictures = ports.ListingPictures,
        .AnimationSeed = [this] { return Dispatch.Random().Seed(); },
        .ShippedBatchDirectory = shippedFolder("Beispiele/"),
        .ShippedDemoDirectory = shippedFolder("Demos/"),
        .DataDirectory = [&settings] { return settings.DataDir; },
        .BatchFiles = {},
    };
}

tSession::tSession(const tSessionPorts& ports, std::string_view startTime)
    : tSession(ports, startTime, tPlatformPaths {}, {}, LocaleDecimalSeparator)
{
}

tSession::tSession(const tSessionPorts& ports, std::string_view startTime,
    const tPlatformPaths& paths, tSessionHooks hooks, char decimalSeparator)
    : m_ports(ports)
    , m_journal(*ports.JournalView)
    , m_listing(*ports.ListingView)
    , m_parts(std::make_unique<tParts>(*this, paths, hooks, decimalSeparator))
{
    m_journal.Start(startTime);
    m_listing.Start(startTime);
    m_parts->InstallNumericsContext();
}

// Every run works with this session's worker threads and decimal separator and stops at its
// check point.
void tSession::tParts::InstallNumericsContext()
{
    NumericsContext().decimalSeparator = Store.DecimalSeparator();
    NumericsContext().workers = &Workers;
    NumericsContext().checkpoint = &Checkpoint;
}

// What the interpreter hands to this session: assignments and bare formulas to the machine over
// the store, and the library's context (worker threads, decimal separator, check point) at every
// run's start.
tInterpreterHooks tSession::tParts::InterpreterHooks()
{
    return {
        .Compute
        = [this](tStmtList& statements,
              tAnsiTokens& tokens) { return ComputeAssignment(Services, statements, tokens); },
        .PlannedCompute =
            [this](tStmtList& statements, const tAnsiTokens& tokens, tAssignmentPlan& plan) {
                return ComputeAssignment(Services, statements, tokens, plan);
            },
        .ShowFormula
        = [this](tStmtList& statements, tAnsiTokens& tokens,
              std::string_view text) { return ShowBareFormula(statements, tokens, text); },
        .IsVariable
        = [this](std::string_view name) { return Environment.FindVariable(name) != nullptr; },
        .RunStart = [this] { InstallNumericsContext(); },
    };
}

// A run through the door lets the windows' events through at its check points (the stop button
// among them), and a stop asked for there ends the routine at once.
void tSession::Checkpoint()
{
    m_parts->Interpreter.Checkpoint();
    if (!m_busy)
        return;
    m_parts->Store.FlushScalarTexts(); // the windows may be painted now
    m_parts->EventPass.Reach();
    m_parts->Interpreter.Checkpoint();
}

tSession::~tSession()
{
    if (NumericsContext().workers == &m_parts->Workers)
        NumericsContext().workers = nullptr;
    if (NumericsContext().checkpoint == &m_parts->Checkpoint)
        NumericsContext().checkpoint = nullptr;
}

tRunOutcome tSession::Run(const tRunRequest& request)
{
    if (m_busy) {
        tRunOutcome refused;
        refused.Success = false;
        refused.Code = 1;
        refused.Message = RunBusyText;
        return refused;
    }
    const tBusyScope busy(*this);
    tInterpreter& interpreter = m_parts->Interpreter;
    if (request.Statements)
        return OutcomeOf(interpreter.RunOutermost(*request.Statements, request.ScriptDir));
    if (!request.Lines)
        return OutcomeOf(interpreter.RunText(request.Text, request.ScriptDir, request.Source));
    tCommandsList list;
    list.Initialise();
    LoadLines(list, *request.Lines, request.FirstLine, request.LastLine);
    return OutcomeOf(interpreter.RunOutermost(list, request.ScriptDir));
}

tRunOutcome tSession::RunText(
    std::string_view text, const std::string& scriptDir, std::string_view source)
{
    return Run(tRunRequest::OfText(text, scriptDir, source));
}

tStopHandle tSession::StopHandle()
{
    return tStopHandle(m_parts->Interpreter);
}

const std::vector<tStmt>& tSession::CommandRows() const
{
    return m_parts->Interpreter.Statements().Commands;
}

std::vector<std::string> tSession::CompletionWords(const std::string& prefix) const
{
    return zelvora::CompletionWords(CommandRows(), m_parts->Store.NameList(), prefix);
}

bool tSession::JournalOn() const
{
    return m_parts->Interpreter.Switches().JournalOn;
}

bool tSession::ListingOn() const
{
    return m_parts->Interpreter.Switches().ListingOn;
}

void tSession::SetListingOn(bool on)
{
    m_parts->Interpreter.Switches().ListingOn = on;
}

tSettingsView tSession::SettingsView() const
{
    return tSettingsView(m_parts->SettingsModule);
}

const tSettingsModule& tSession::SettingsFileView() const
{
    return m_parts->SettingsModule;
}

const tVisibleVarsList& tSession::StoreView() const
{
    return m_parts->Store;
}

const tWorkerPool& tSession::WorkersView() const
{
    return m_parts->Workers;
}

void tSession::StartSettings()
{
    m_parts->SettingsModule.Start();
}

bool tSession::WriteSettingsNow() const
{
    return m_parts->SettingsModule.WriteNow();
}

bool tSession::FinishSettings()
{
    return m_parts->SettingsModule.Finish();
}

void tSession::AddRecentScript(std::string_view path)
{
    tSettings& settings = m_parts->SettingsModule.Settings();
    settings.RecentScripts.AddFile(path, settings.ExamplesDirectory());
}

void tSession::SetRecentScripts(const std::vector<std::string>& entries)
{
    m_parts->SettingsModule.Settings().RecentScripts.Assign(std::int32_t(entries.size()), entries);
}

void tSession::MarkJournalSaved()
{
    m_parts->SettingsModule.Settings().JournalSaved = true;
}

void tSession::SetReadableNumbers(bool readable)
{
    m_parts->Store.SetReadableNumbers(readable);
}

bool tSession::IsCommandWord(std::string_view word) const
{
    return IsCommandWordOf(m_parts->Interpreter.Statements(), word);
}

std::optional<std::string> tSession::HelpAnswer(
    std::string_view request, std::string& message) const
{
    return HelpText(request, m_parts->Interpreter.Statements(), message);
}

void tSession::SwitchJournal(bool on)
{
    m_parts->Options.SwitchJournal(on ? 1 : 2);
}

void tSession::SwitchListing(bool on)
{
    m_parts->Options.SwitchListing(on ? 1 : 2);
}

bool tSession::ShelfActionRefused() const
{
    return m_busy && !(m_parts->DemoView && m_parts->DemoView->Waiting());
}

void tSession::RequestStop()
{
    if (m_busy)
        m_parts->Interpreter.RequestInterrupt();
}

bool tSession::tParts::ShowBareFormula(
    tStmtList& statements, const tAnsiTokens& tokens, std::string_view text)
{
    std::string shown;
    tVariableArray values;
    const tValueStyle style { Store.CopyLayout(), Store.ReadableNumbers() };
    const tFormulaValuesView& view = FormulaValuesView;
    if (!EvaluateBareFormula(
            Services, statements, tokens, text, style, shown, view ? &values : nullptr))
        return false;
    if (view)
        view(text, values, shown);
    else
        Interpreter.ShowOutput(shown);
    return true;
}

std::string CurrentDateTimeText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%d.%m.%Y %H:%M:%S", &local);
    return buffer;
}

std::optional<std::string> ReadScriptFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return DecodeFileText(bytes.str());
}

} // namespace zelvora
