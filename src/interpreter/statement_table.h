// The command table and the interpreter state of the statement being run.
#pragma once

#include "lexicon/scanner.h"
#include "numerics/result.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelvora {

class tStmtList;

// A command handler gets the tokens after the command word (six end tokens included).
using tCommandHandler = std::function<bool(tStmtList&, tAnsiTokens&)>;

struct tStmt {
    std::string Name; // upper case, at most 16 characters
    tCommandHandler Handler;
    std::string Syntax;
    std::string Description;
};

enum class tFindResult { NotFound = 0, Found = 1, Ambiguous = 2 };

inline constexpr std::size_t MaxMessageLength = 255;
inline constexpr std::size_t MaxCommandNameLength = 16;

// One instance, shared by every run including nested ones (BATCH, MACROEXEC, demo blocks).
class tStmtList {
public:
    tStmtList();

    // Appends one slot; the name is upper-cased and cut to 16 characters.
    void RegisterCommand(std::string_view name, std::string_view syntax,
        std::string_view description, tCommandHandler handler);
    // Empties the table (HighIndex -1).
    void ClearCommands();
    // Gives the registered command of that exact name another handler; false when there is none.
    bool SetHandler(std::string_view name, tCommandHandler handler);
    // Slots 1..HighIndex whose name begins with the upper-cased word; exactly one sets Handler and
    // MatchedIndex. At most 30 matches are counted.
    tFindResult FindCommand(std::string_view word);

    // The running statement fails: commands, formulas and the run loop report the failure here
    // (the message cut to 255 characters); the last report counts.
    void Fail(std::int32_t code, std::string_view message);
    // The statement ends: Code and Message say how (the failure's code and message; 0 and the
    // empty text without one). The one place that writes them.
    void EndStatement(const std::optional<tFailure>& failure);

    std::vector<tStmt> Commands;
    tCommandHandler Handler;
    std::int32_t MatchedIndex = 0;
    std::int32_t HighIndex = -1;
    // The failure the running statement reported so far; each statement starts without one.
    std::optional<tFailure> Reported;
    // How the last statement ended.
    std::int32_t Code = 0;
    std::string Message = "OK";
    std::string ScriptDir;
};

// One byte each; StopRequested and QuitRequested are never cleared once set.
struct tInterpreterFlags {
    bool NoListEcho = false;
    bool MacroRecording = false;
    bool StopRequested = false;
    bool QuitRequested = false;
    bool MacroRunning = false;
};

} // namespace zelvora
