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
#include "ui/journal.h"
#include "ui/listing.h"
#include "variables/display_list.h"

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

class tSession {
public:
    // startTime: the date and time written into the journal's and the listing's opening lines.
    // paths: where the settings, the data directory and the shipped examples are; the session
    // reads and writes nothing there until the front end calls Settings().Start().
    tSession(
        const tSessionPorts& ports, std::string_view startTime, const tPlatformPaths& paths = {});
    ~tSession();
    tSession(const tSession&) = delete;
    tSession& operator=(const tSession&) = delete;

    // Runs script text (Windows-1252) as one outermost run; scriptDir resolves relative names;
    // source names the script file in failures (empty for typed text).
    tOutermostRunResult RunText(
        std::string_view text, const std::string& scriptDir, std::string_view source = {});

    // A front end that shows the values of bare formulas itself (a notebook's tables) receives
    // them here, with the formula and the text the command window would show, instead of the
    // command window's output.
    using tFormulaValuesView = std::function<void(
        std::string_view formula, const tVariableArray& values, std::string_view text)>;
    void SetFormulaValuesView(tFormulaValuesView view) { m_formulaValuesView = std::move(view); }

    tInterpreter& Interpreter() { return m_interpreter; }
    tJournal& Journal() { return m_journal; }
    tListing& Listing() { return m_listing; }
    tVisibleVarsList& Store() { return m_store; }
    tEvalMachine& Machine() { return m_machine; }
    tFunctionDispatch& Dispatch() { return m_dispatch; }
    tStoreCommandContext& StoreCommands() { return m_storeCommands; }
    tSettingsModule& SettingsModule() { return m_settings; }
    tSettings& Settings() { return m_settings.Settings(); }
    tOptions& Options() { return m_options; }
    tWorkerPool& Workers() { return m_workers; }

private:
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
    std::unique_ptr<tDemoCommand> m_demoCommand;
    tFormulaValuesView m_formulaValuesView;
};

// The current local date and time as the journal shows it: "dd.mm.yyyy hh:mm:ss".
std::string CurrentDateTimeText();

// A script file read as the program's text (UTF-8 files converted); nothing when it cannot be read.
std::optional<std::string> ReadScriptFile(const std::string& path);

} // namespace zelvora
