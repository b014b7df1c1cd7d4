// The commands that work on the variable store and its windows: HIDE, DISPLAY, DELETE, RENAME,
// POSITION, LOAD, SAVE, LIST, HIDDEN, and BATCH, which runs a script file.
#pragma once

#include "interpreter/interpreter.h"
#include "language/eval_machine.h"
#include "ports/graphics_port.h"
#include "ports/picture_port.h"
#include "ports/process_port.h"
#include "ports/shelf_port.h"
#include "variables/display_list.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace zelvora {

// The statements of a BATCH file as last cut, with their parsed forms, and the text they were cut
// from: a later run of the same text runs them again instead of cutting and parsing anew.
struct tBatchFileStatements {
    std::string Text;
    std::shared_ptr<const tCommandsList> Statements;
};

struct tStoreCommandContext {
    tInterpreter& Interpreter;
    tVisibleVarsList& Store; // LOAD refills it
    tEvalMachine& Machine;
    // Where BATCH looks for a relative file name (the data directory joined with the examples
    // directory); empty: the name as given.
    std::function<std::string()> BatchDirectory;
    // Reads a script file as the program's text; nothing when it cannot be read.
    std::function<std::optional<std::string>(const std::string&)> ReadScript;
    // The shelf (compartments) and the start of outside programs; either may be absent.
    tShelfPort* Shelf = nullptr;
    tProcessPort* Processes = nullptr;
    // Where DEMO looks for a relative file name, and where ORBIDEX and ANIMATE find their programs.
    std::function<std::string()> DemoDirectory;
    std::function<std::string()> AddOnDirectory;
    // Whether LIST quotes strings (option clQuoteStrings); absent: quoted.
    std::function<bool()> ListQuoteStrings;
    // Plays the demo file (it exists); sets Code and Message. Absent: DEMO fails saying that
    // this front end plays no demos.
    std::function<bool(tStmtList&, const std::string&)> PlayDemo;
    // The graphics windows of ZEICHNE and LIST GRAPH, the listing's picture entry and the seed
    // of an animation's random planes; each may be absent.
    tGraphicsPort* Graphics = nullptr;
    tListingPicturePort* ListingPictures = nullptr;
    std::function<std::uint32_t()> AnimationSeed;
    // Where BATCH looks next for a relative name not found there: the shipped examples; absent or
    // empty: nowhere.
    std::function<std::string()> ShippedBatchDirectory;
    // Where DEMO looks next for a relative name not in the demo directory (a run that never
    // prepared the data directory): the shipped demos; absent or empty: nowhere.
    std::function<std::string()> ShippedDemoDirectory;
    // The data directory (datenpfad); a file written into it gets its missing folders made.
    std::function<std::string()> DataDirectory;
    // BATCH files run before, by the file name they were found under.
    std::map<std::string, tBatchFileStatements> BatchFiles;
};

// Gives the command table's slots of these commands their handlers.
void RegisterStoreCommands(tStoreCommandContext& context);
// MATWRITE, ORBIDEX, ANIMATE, ZEICHNE, DEMO and FACH.
void RegisterOutsideCommands(tStoreCommandContext& context);

// Makes the missing folders of a file about to be written when the file lies in the data
// directory (a run that never prepared it); elsewhere a missing folder stays the user's mistake.
void MakeDataFoldersFor(tStoreCommandContext& context, const std::string& fileName);

// Warns through the command window that the file of BATCH or DEMO does not exist.
void WarnMissingFile(
    tStoreCommandContext& context, std::string_view command, const std::string& fileName);

// Evaluates a formula for a command: a failure writes Code and Message and gives false.
bool EvaluateForCommand(tStoreCommandContext& context, tStmtList& statements,
    const tAnsiTokens& formula, tVariableArray& results);

// The one string value of a file command, '\' read as '/'; false (code 0, no message) for any other
// value or a failing formula (with the machine's code and message).
bool FileNameArgument(tStoreCommandContext& context, tStmtList& statements,
    const tAnsiTokens& arguments, std::string& fileName);

// The names of a name list: name and string tokens; "-ALL-" (three tokens) as the one entry
// "-ALL-".
std::vector<std::string> NameListArguments(const tAnsiTokens& arguments);

} // namespace zelvora
