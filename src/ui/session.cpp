// A program session: store, machine, interpreter, journal and listing wired together.
#include "ui/session.h"

#include "formats/file_reader_functions.h"
#include "formats/matrix_text_io.h"
#include "interpreter/compute_handler.h"
#include "interpreter/option_commands.h"
#include "numerics/library_state.h"
#include "text/text_encoding.h"
#include "ui/formula_values.h"
#include "variables/number_format.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace zelvora {

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
    // Every run works with this session's worker threads.
    NumericsContext().workers = &m_workers;
    m_interpreter.SetRunStart([this] { NumericsContext().workers = &m_workers; });
    m_options.SetWorkers(&m_workers);
    m_interpreter.SetFormulaHandler(
        [this](tStmtList& statements, tAnsiTokens& tokens, std::string_view text) {
            return ShowBareFormula(statements, tokens, text);
        });
    m_interpreter.SetVariableTest(
        [this](std::string_view name) { return m_environment.FindVariable(name) != nullptr; });
    m_checkpoint = [this] { m_interpreter.Checkpoint(); };
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
}

tOutermostRunResult tSession::RunText(
    std::string_view text, const std::string& scriptDir, std::string_view source)
{
    return m_interpreter.RunText(text, scriptDir, source);
}

bool tSession::ShowBareFormula(
    tStmtList& statements, const tAnsiTokens& tokens, std::string_view text)
{
    std::string values;
    const tValueStyle style { m_store.CopyLayout(), m_store.ReadableNumbers() };
    if (!EvaluateBareFormula(m_services, statements, tokens, text, style, values))
        return false;
    m_interpreter.ShowOutput(values);
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
