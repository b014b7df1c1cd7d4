// The commands that work on the variable store and its windows: HIDE, DISPLAY, DELETE, RENAME,
// POSITION, LOAD, SAVE, LIST, HIDDEN, and BATCH, which runs a script file.
#pragma once

#include "interpreter/interpreter.h"
#include "language/eval_machine.h"
#include "variables/display_list.h"

#include <functional>
#include <memory>
#include <string>

namespace zelvora {

struct tStoreCommandContext {
    tInterpreter& Interpreter;
    std::unique_ptr<tVisibleVarsList>& Store; // LOAD replaces the store
    tEvalMachine& Machine;
    // Where BATCH looks for a relative file name (the data directory joined with the examples
    // directory); empty: the name as given.
    std::function<std::string()> BatchDirectory;
    // Reads a script file as the program's text; nothing when it cannot be read.
    std::function<std::optional<std::string>(const std::string&)> ReadScript;
};

// Gives the command table's slots of these commands their handlers.
void RegisterStoreCommands(tStoreCommandContext& context);

// The names of a name list: name and string tokens; "-ALL-" (three tokens) as the one entry "-ALL-".
std::vector<std::string> NameListArguments(const tAnsiTokens& arguments);

// Joins a directory and a relative file name with one '/'; an absolute name ('/' or a drive letter
// and ':') stays as it is.
std::string JoinFileName(const std::string& directory, const std::string& name);

} // namespace zelvora
