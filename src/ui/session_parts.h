// The parts a session builds and wires behind its door, shared by the session's source files and
// reached by no front end.
#pragma once

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
#include "ui/demo_command.h"
#include "ui/demo_wait_watch.h"
#include "ui/event_pass.h"
#include "ui/session.h"
#include "variables/display_list.h"

#include <functional>
#include <memory>
#include <string_view>

namespace zelvora {

using tFormulaValuesView
    = std::function<void(std::string_view, const tVariableArray&, std::string_view)>;

// The parts a session builds and wires behind its door: the worker threads, the settings, the
// store, the interpreter, the formula machine with the built-in functions, the options, the
// commands' reach, the check point and the event pass.
struct tSession::tParts {
    tParts(tSession& session, const tPlatformPaths& paths, tSessionHooks& hooks,
        char decimalSeparator);
    tParts(const tParts&) = delete;
    tParts& operator=(const tParts&) = delete;

    // The store commands' reach: the folders they look in follow the settings as they change.
    tStoreCommandContext StoreCommandContext(tSession& session, const tPlatformPaths& paths);
    tInterpreterHooks InterpreterHooks();
    void InstallNumericsContext();
    bool ShowBareFormula(tStmtList& statements, const tAnsiTokens& tokens, std::string_view text);

    // Long kernels split their rows among these threads (option Threads, ZELVORA_THREADS).
    tWorkerPool Workers { DefaultPoolThreads() };
    tSettingsModule SettingsModule;
    tVisibleVarsList Store;
    tInterpreter Interpreter;
    tStoreEnvironment Environment;
    tFunctionDispatch Dispatch;
    tEvalMachine Machine;
    tSystemVariables SystemVariables;
    tCoreComputeServices Services;
    tOptions Options;
    tCheckpoint Checkpoint; // long routines stop there when the user asks
    tEventPass EventPass; // the windows' events at the check points of a run
    std::unique_ptr<tDemoWaitWatch> DemoView; // DEMO's window, watched for its waits
    std::unique_ptr<tDemoCommand> DemoCommand;
    tFormulaValuesView FormulaValuesView;
    tStoreCommandContext StoreCommands;
};

} // namespace zelvora
