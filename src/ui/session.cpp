// A program session: store, machine, interpreter, journal and listing wired together.
#include "ui/session.h"

#include "interpreter/file_reader_functions.h"
#include "formats/matrix_text_io.h"
#include "interpreter/compute_handler.h"
#include "interpreter/option_commands.h"
#include "numerics/library_state.h"
#include "text/paths.h"
#include "text/text_encoding.h"
#include "ui/formula_values.h"
#include "ui/syntax_classes.h"
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
        m_session.m_eventPass.Restart();
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

void tStopHandle::Request() const noexcept
{
    m_interpreter->RequestInterrupt();
}

void tSession::SetJournalFile(std::string directory, std::string fileName)
{
    tSettings& settings = m_settings.Settings();
    settings.JournalDir = RelativeIfBelow(directory, settings.DataDir);
    settings.JournalFileName = std::move(fileName);
}

void tSession::SetListingFile(std::string directory, std::string fileName)
{
    tSettings& settings = m_settings.Settings();
    settings.ListingDir = std::move(directory);
    settings.ListingFileName = std::move(fileName);
}

tSession::tSession(
    const tSessionPorts& ports, std::string_view startTime, const tPlatformPaths& paths)
    : m_ports(ports)
    , m_settings(paths, LocalTimeNow())
    , m_journal(*ports.JournalView)
    , m_listing(*ports.ListingView)
    , m_store(tDisplayPorts { ports.Shelf, &m_listing, ports.ListingPictures, ports.Clipboard })
    , m_environment(m_store)
    , m_machine(m_environment, &m_dispatch)
    , m_sysvars(m_settings.Settings(), { m_interpreter.JournalOn, m_interpreter.ListingOn },
          m_dispatch.Random())
    , m_services(m_store, m_machine, m_sysvars)
    , m_options(m_settings.Settings(), m_interpreter, &m_store, m_dispatch.Random())
    , m_storeCommands { m_interpreter, m_store, m_machine, {}, ReadScriptFile, ports.Shelf,
        ports.Processes, {}, {}, {}, {}, ports.Graphics, ports.ListingPictures, {}, {}, {}, {} }
    , m_eventPass(ports.Application)
{
    // The locale's decimal separator, read once at start, for number texts in cells and joins.
    SetSystemDecimalSeparator(ReadLocaleDecimalSeparator());
    m_journal.Start(startTime);
    m_listing.Start(startTime);
    tDemoWindowPort* demoWindow = ports.DemoWindow ? ports.DemoWindow : ports.DemoView;
    m_interpreter.SetPorts(
        { &m_journal, &m_listing, ports.CommandWindow, demoWindow, ports.Application });
    m_interpreter.SetComputeHandler([this](tStmtList& statements, tAnsiTokens& tokens) {
        return ComputeAssignment(m_services, statements, tokens);
    });
    m_interpreter.SetPlannedComputeHandler(
        [this](tStmtList& statements, const tAnsiTokens& tokens, tAssignmentPlan& plan) {
            return ComputeAssignment(m_services, statements, tokens, plan);
        });
    // Every run works with this session's worker threads and stops at its check point.
    NumericsContext().workers = &m_workers;
    NumericsContext().checkpoint = &m_checkpoint;
    m_interpreter.SetRunStart([this] {
        NumericsContext().workers = &m_workers;
        NumericsContext().checkpoint = &m_checkpoint;
    });
    m_options.SetWorkers(&m_workers);
    m_interpreter.SetFormulaHandler(
        [this](tStmtList& statements, tAnsiTokens& tokens, std::string_view text) {
            return ShowBareFormula(statements, tokens, text);
        });
    m_interpreter.SetVariableTest(
        [this](std::string_view name) { return m_environment.FindVariable(name) != nullptr; });
    // A run through the door lets the windows' events through at its check points (the stop
    // button among them), and a stop asked for there ends the routine at once.
    m_checkpoint = [this] {
        m_interpreter.Checkpoint();
        if (!m_busy)
            return;
        m_eventPass.Reach();
        m_interpreter.Checkpoint();
    };
    m_dispatch.SetCheckpoint(&m_checkpoint);
    m_machine.SetWarningSink([this](std::string_view warning) { m_interpreter.Warn(warning); });
    m_dispatch.SetScriptDirectorySource(&m_interpreter.CurrentScriptDir);
    m_dispatch.Register(FileReaderRows());
    m_dispatch.SetClipboard(ports.Clipboard);
    m_environment.SystemVariables
        = [this](std::string_view name) { return m_sysvars.SystemVariableValue(name); };
    tCommandHooks hooks;
    hooks.VariableAsInteger = [this](std::string_view name) -> std::optional<std::int32_t> {
        const tVariable* variable = m_environment.FindVariable(name);
        return variable ? std::optional<std::int32_t>(VarAsInteger(*variable)) : std::nullopt;
    };
    hooks.Pause = [this](std::chrono::milliseconds delay) {
        std::this_thread::sleep_for(delay);
        if (m_ports.Graphics)
            m_ports.Graphics->RepaintVisible();
    };
    RegisterCommands(m_interpreter, std::move(hooks));
    RegisterOptionCommands(m_interpreter, m_options);
    tSettings& settings = m_settings.Settings();
    m_storeCommands.BatchDirectory = [&settings] { return settings.ExamplesDirectory(); };
    m_storeCommands.ShippedBatchDirectory = [shipped = paths.ShippedDir] {
        return shipped.empty() ? shipped : JoinPath(shipped, "Beispiele/");
    };
    m_storeCommands.DemoDirectory = [&settings] { return settings.DemoDirectory(); };
    m_storeCommands.ShippedDemoDirectory = [shipped = paths.ShippedDir] {
        return shipped.empty() ? shipped : JoinPath(shipped, "Demos/");
    };
    m_storeCommands.DataDirectory = [&settings] { return settings.DataDir; };
    m_storeCommands.AddOnDirectory = [&settings] { return settings.OrbidexDir; };
    m_storeCommands.ListQuoteStrings = [&settings] { return settings.ListQuoteStrings; };
    if (ports.DemoView) {
        m_demoCommand = std::make_unique<tDemoCommand>(m_interpreter, *ports.DemoView);
        m_storeCommands.PlayDemo = [this](tStmtList& statements, const std::string& fileName) {
            return m_demoCommand->Play(statements, fileName);
        };
    }
    m_storeCommands.AnimationSeed = [this] { return m_dispatch.Random().Seed(); };
    RegisterStoreCommands(m_storeCommands);
    RegisterOutsideCommands(m_storeCommands);
}

tSession::~tSession()
{
    if (NumericsContext().workers == &m_workers)
        NumericsContext().workers = nullptr;
    if (NumericsContext().checkpoint == &m_checkpoint)
        NumericsContext().checkpoint = nullptr;
}

tOutermostRunResult tSession::Run(const tRunRequest& request)
{
    if (m_busy) {
        tOutermostRunResult refused;
        refused.Success = false;
        refused.Code = 1;
        refused.Message = RunBusyText;
        return refused;
    }
    const tBusyScope busy(*this);
    if (!request.Lines)
        return m_interpreter.RunText(request.Text, request.ScriptDir, request.Source);
    tCommandsList list;
    list.Initialise();
    LoadLines(list, *request.Lines, request.FirstLine, request.LastLine);
    return m_interpreter.RunOutermost(list, request.ScriptDir);
}

tOutermostRunResult tSession::RunText(
    std::string_view text, const std::string& scriptDir, std::string_view source)
{
    return Run(tRunRequest::OfText(text, scriptDir, source));
}

bool tSession::IsCommandWord(std::string_view word) const
{
    return IsCommandWordOf(m_interpreter.Statements, word);
}

void tSession::RequestStop()
{
    if (m_busy)
        m_interpreter.RequestInterrupt();
}

bool tSession::ShowBareFormula(
    tStmtList& statements, const tAnsiTokens& tokens, std::string_view text)
{
    std::string shown;
    tVariableArray values;
    const tValueStyle style { m_store.CopyLayout(), m_store.ReadableNumbers() };
    if (!EvaluateBareFormula(m_services, statements, tokens, text, style, shown,
            m_formulaValuesView ? &values : nullptr))
        return false;
    if (m_formulaValuesView)
        m_formulaValuesView(text, values, shown);
    else
        m_interpreter.ShowOutput(shown);
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
