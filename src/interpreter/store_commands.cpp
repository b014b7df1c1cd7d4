// The commands on the variable store and its windows, and BATCH.
#include "interpreter/store_commands.h"

#include "text/data_directory.h"
#include "variables/variable_convert.h"
#include "variables/workspace_file.h"

#include <algorithm>
#include <filesystem>

namespace zelvora {
namespace {

constexpr std::size_t MaxRenameTargets = 63;
constexpr std::size_t MaxPositionTargets = 19;

bool IsAllWord(const tAnsiTokens& tokens, std::size_t i)
{
    return i + 2 < tokens.size()
        && NameFold(JoinTokenTexts(tokens, static_cast<int>(i), 3)) == "-ALL-";
}

// Position of the first '=' from the second token on; the size when there is none.
std::size_t EqualsPosition(const tAnsiTokens& tokens)
{
    for (std::size_t i = 1; i < tokens.size(); ++i)
        if (IsSignToken(tokens[i], '='))
            return i;
    return tokens.size();
}

tAnsiTokens TokensAfter(const tAnsiTokens& tokens, std::size_t position)
{
    return position < tokens.size()
        ? tAnsiTokens(tokens.begin() + static_cast<std::ptrdiff_t>(position) + 1, tokens.end())
        : tAnsiTokens();
}

void WarnUnknownVariable(
    tStoreCommandContext& context, std::string_view command, const std::string& name)
{
    context.Interpreter.Warn(std::string(command) + ": Es gibt keine Variable \"" + name + "\"");
}

// The variable rendered in the listing layout, as LIST writes it; shown as the command's output.
void ShowListText(tStoreCommandContext& context, const std::string& name, bool quote)
{
    tVisibleVarsList& store = context.Store;
    const std::int32_t index = store.IndexOf(name);
    if (index == 0) {
        WarnUnknownVariable(context, "LIST", name);
        return;
    }
    if (IsMatrixLike(store.Variable(index).shape))
        context.Interpreter.ShowOutput(store.RenderText(index, store.ListingLayout(), quote));
}

bool Hide(tStoreCommandContext& context, const tAnsiTokens& arguments)
{
    tVisibleVarsList& store = context.Store;
    for (const std::string& name : NameListArguments(arguments)) {
        if (name == "-ALL-")
            store.CloseAllWindows();
        else
            store.CloseWindow(name);
    }
    return true;
}

bool Display(tStoreCommandContext& context, const tAnsiTokens& arguments)
{
    tVisibleVarsList& store = context.Store;
    const std::vector<std::string> names = NameListArguments(arguments);
    if (names.empty())
        store.ShowScalarWindow();
    for (const std::string& name : names) {
        if (name != "-ALL-") {
            if (!store.ShowVariable(name))
                WarnUnknownVariable(context, "DISPLAY", name);
            continue;
        }
        for (const std::string& each : store.NameList())
            store.ShowVariable(each);
    }
    return true;
}

bool Delete(tStoreCommandContext& context, const tAnsiTokens& arguments)
{
    tVisibleVarsList& store = context.Store;
    for (const std::string& name : NameListArguments(arguments)) {
        if (name == "-ALL-")
            store.DeleteAll();
        else
            store.Delete(name);
    }
    return true;
}

bool Rename(tStoreCommandContext& context, tStmtList& statements, const tAnsiTokens& arguments)
{
    const std::size_t equals = EqualsPosition(arguments);
    if (equals == arguments.size())
        return true;
    std::vector<std::string> oldNames;
    for (std::size_t i = 0; i < equals && oldNames.size() < MaxRenameTargets; ++i) {
        if (arguments[i].Kind == tkName || arguments[i].Kind == tkString)
            oldNames.push_back(arguments[i].Text);
    }
    tVariableArray results;
    if (!EvaluateForCommand(context, statements, TokensAfter(arguments, equals), results))
        return false;
    for (std::size_t i = 0; i < oldNames.size() && i + 1 < results.size(); ++i)
        context.Store.RenameShown(oldNames[i], VarAsString(results[i + 1]));
    return true;
}

bool Position(tStoreCommandContext& context, tStmtList& statements, const tAnsiTokens& arguments)
{
    std::vector<std::string> targets;
    std::size_t i = 0;
    bool last = false;
    while (!last) {
        if (i + 1 >= arguments.size() || targets.size() == MaxPositionTargets) {
            statements.Fail(1, "Falsche Zielangabe f\xFCr Zuweisung/Formel");
            return false;
        }
        targets.push_back(arguments[i].Text);
        const t_ansitoken& separator = arguments[i + 1];
        if (IsSignToken(separator, '='))
            last = true;
        else if (!IsSignToken(separator, ',')) {
            statements.Fail(1, "Falsche Zielangabe f\xFCr Zuweisung/Formel");
            return false;
        }
        i += 2;
    }
    tVariableArray results;
    if (!EvaluateForCommand(context, statements, TokensAfter(arguments, i - 1), results))
        return false;
    for (std::size_t k = 0; k < targets.size() && k + 1 < results.size(); ++k) {
        tVariable record = results[k + 1];
        record.name = targets[k];
        context.Store.PositionWindow(record);
    }
    return true;
}

bool SaveOrLoad(
    tStoreCommandContext& context, tStmtList& statements, const tAnsiTokens& arguments, bool save)
{
    std::string fileName;
    if (!FileNameArgument(context, statements, arguments, fileName))
        return false;
    statements.Reported.reset();
    tdiskWorkspace workspace;
    if (save)
        MakeDataFoldersFor(context, fileName);
    const bool ok = save ? workspace.SaveWorkspace(fileName, context.Store.Variables())
                         : workspace.LoadWorkspace(fileName, context.Store);
    if (!ok)
        statements.Fail(1, workspace.Message());
    return ok;
}

// The scatterplot window's picture into the listing; nothing before the first scatterplot.
void ListScatterplot(tStoreCommandContext& context)
{
    if (!context.Graphics || !context.ListingPictures)
        return;
    if (const std::optional<tPicture> picture = context.Graphics->ScatterplotPicture())
        context.ListingPictures->addBitmap(*picture);
}

bool List(tStoreCommandContext& context, const tAnsiTokens& arguments)
{
    tInterpreter& interpreter = context.Interpreter;
    interpreter.Flags().NoListEcho = true;
    tVisibleVarsList& store = context.Store;
    const bool quote = context.ListQuoteStrings ? context.ListQuoteStrings() : true;
    const bool listing = interpreter.Switches().ListingOn;
    for (const std::string& name : NameListArguments(arguments)) {
        if (name == "-ALL-") {
            for (const std::string& each : store.NameList()) {
                ShowListText(context, each, quote);
                if (listing)
                    store.ListVariable(each, quote);
            }
            continue;
        }
        if (NameFold(name) == "GRAPH") {
            if (listing)
                ListScatterplot(context);
            continue;
        }
        const std::size_t dot = name.find('.');
        if (dot == std::string::npos) {
            ShowListText(context, name, quote);
            if (listing)
                store.ListVariable(name, quote);
            continue;
        }
        if (!listing)
            continue;
        const std::string suffix = NameFold(name.substr(dot + 1));
        const std::string base = name.substr(0, dot);
        if (!suffix.empty() && std::string_view("FORM").starts_with(suffix))
            store.ListPicture(base, tPictureMode::Window);
        else if (!suffix.empty() && std::string_view("GRID").starts_with(suffix))
            store.ListPicture(base, tPictureMode::Grid);
    }
    return true;
}

// The places of a BATCH file: an absolute name as given (or under the examples directory, as
// JoinPath treats it); a relative one beside the running script, then in the current folder, then
// in the data directory's examples folder, then among the shipped examples.
std::vector<std::string> BatchPlaces(tStoreCommandContext& context, const std::string& given)
{
    std::vector<std::string> places;
    const auto add = [&places](std::string place) {
        if (std::ranges::find(places, place) == places.end())
            places.push_back(std::move(place));
    };
    if (IsAbsolutePath(given)) {
        add(context.BatchDirectory ? JoinPath(context.BatchDirectory(), given) : given);
        return places;
    }
    const std::string& scriptDirectory = context.Interpreter.CurrentScriptDir();
    if (!scriptDirectory.empty())
        add(JoinPath(scriptDirectory, given));
    std::error_code error;
    const std::string current = std::filesystem::current_path(error).string();
    add(error ? given : JoinPath(ProgramPathText(current), given));
    if (context.BatchDirectory)
        add(JoinPath(context.BatchDirectory(), given));
    if (context.ShippedBatchDirectory && !context.ShippedBatchDirectory().empty())
        add(JoinPath(context.ShippedBatchDirectory(), given));
    return places;
}

// The statements of the batch file's text: those cut before when the text is the same, else the
// text cut anew and kept for the next run. A large file is not kept: its statements are cut as
// the run reaches them (nothing returned), so that only the running one takes memory.
std::shared_ptr<const tCommandsList> BatchStatements(
    tStoreCommandContext& context, const std::string& fileName, std::string&& text)
{
    // About 6,000 statements; each keeps its tokens and their catalogue entries besides.
    constexpr std::size_t largestKeptText = 256 * 1024;
    constexpr std::size_t mostKeptFiles = 64;
    const auto kept = context.BatchFiles.find(fileName);
    if (kept != context.BatchFiles.end() && kept->second.Text == text)
        return kept->second.Statements;
    if (text.size() > largestKeptText)
        return nullptr;
    auto list = std::make_shared<tCommandsList>();
    tStatementCutter cutter(text, {}, fileName);
    tCommandslistEntry entry;
    while (cutter.Next(entry))
        list->Items.push_back(std::move(entry));
    if (kept == context.BatchFiles.end() && context.BatchFiles.size() >= mostKeptFiles)
        context.BatchFiles.clear();
    context.BatchFiles[fileName] = { std::move(text), list };
    return list;
}

bool Batch(tStoreCommandContext& context, tStmtList& statements, const tAnsiTokens& arguments)
{
    std::string fileName;
    if (!FileNameArgument(context, statements, arguments, fileName))
        return false;
    const std::vector<std::string> places = BatchPlaces(context, fileName);
    std::optional<std::string> text;
    for (const std::string& place : places) {
        if ((text = context.ReadScript ? context.ReadScript(place) : std::nullopt)) {
            fileName = place;
            break;
        }
    }
    if (!text) {
        // A missing batch file is no failure, but the user hears of it and where it was looked for.
        if (places.size() == 1) {
            WarnMissingFile(context, "BATCH", places.front());
        } else {
            std::string looked;
            for (const std::string& place : places)
                looked += (looked.empty() ? "" : ", ") + place.substr(0, place.rfind('/') + 1);
            context.Interpreter.Warn("BATCH: Die Datei \"" + fileName
                + "\" wurde nicht gefunden (gesucht in " + looked + ")");
        }
        return true;
    }
    // File names in the batch file's formulas are relative to the batch file, as in a script.
    const std::string directory = fileName.substr(0, fileName.rfind('/') + 1);
    tInterpreter& interpreter = context.Interpreter;
    // Held for the run: a nested BATCH of the file, changed meanwhile, replaces what is kept.
    const std::shared_ptr<const tCommandsList> kept
        = BatchStatements(context, fileName, std::move(*text));
    tStatementCutter cutter(kept ? std::string_view() : std::string_view(*text), {}, fileName);
    const tRunResult result = kept
        ? interpreter.Docommands_WithJournalListingUndError(*kept, directory)
        : interpreter.Docommands_WithJournalListingUndError(cutter, directory);
    if (!result.Success)
        statements.Fail(result.Code, result.Message);
    if (!result.Success && interpreter.Ports().CommandWindow) {
        const tStatementPlace place = interpreter.FailurePlace().value_or(
            tStatementPlace { fileName, 0, result.LastStatement });
        interpreter.Ports().CommandWindow->ShowMessage(LocatedFailureText(result.Message, place));
    }
    return result.Success;
}

} // namespace

void MakeDataFoldersFor(tStoreCommandContext& context, const std::string& fileName)
{
    const std::string dataDirectory = context.DataDirectory ? context.DataDirectory() : "";
    if (dataDirectory.empty() || !IsAbsolutePath(dataDirectory)
        || !fileName.starts_with(JoinPath(dataDirectory, "")))
        return;
    const std::filesystem::path folder
        = std::filesystem::path(FileSystemPath(fileName)).parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error); // a failure shows as the write's own
}

void WarnMissingFile(
    tStoreCommandContext& context, std::string_view command, const std::string& fileName)
{
    context.Interpreter.Warn(
        std::string(command) + ": Die Datei \"" + fileName + "\" wurde nicht gefunden");
}

bool EvaluateForCommand(tStoreCommandContext& context, tStmtList& statements,
    const tAnsiTokens& formula, tVariableArray& results)
{
    tEvaluation evaluation = context.Machine.Evaluate(formula);
    if (!evaluation) {
        statements.Fail(evaluation.Error().Code, evaluation.Error().Message);
        return false;
    }
    results = std::move(evaluation).Value();
    return true;
}

// The one string value of a file command; false (code 0, no message) for any other value.
bool FileNameArgument(tStoreCommandContext& context, tStmtList& statements,
    const tAnsiTokens& arguments, std::string& fileName)
{
    tVariableArray results;
    const bool evaluated = EvaluateForCommand(context, statements, arguments, results);
    if (!evaluated)
        return false;
    if (results.size() < 2 || results[1].shape != shScalar || results[1].datatype != dtString) {
        statements.Fail(0, "");
        return false;
    }
    fileName = ForwardSlashes(results[1].strvalue);
    return true;
}

std::vector<std::string> NameListArguments(const tAnsiTokens& arguments)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (IsAllWord(arguments, i)) {
            names.emplace_back("-ALL-");
            i += 2;
        } else if (arguments[i].Kind == tkName || arguments[i].Kind == tkString) {
            names.push_back(arguments[i].Text);
        }
    }
    return names;
}

void RegisterStoreCommands(tStoreCommandContext& context)
{
    tStmtList& table = context.Interpreter.Statements();
    tStoreCommandContext* c = &context;
    table.SetHandler(
        "HIDE", [c](tStmtList&, tAnsiTokens& arguments) { return Hide(*c, arguments); });
    table.SetHandler(
        "DISPLAY", [c](tStmtList&, tAnsiTokens& arguments) { return Display(*c, arguments); });
    table.SetHandler(
        "DELETE", [c](tStmtList&, tAnsiTokens& arguments) { return Delete(*c, arguments); });
    table.SetHandler(
        "RENAME", [c](tStmtList& s, tAnsiTokens& arguments) { return Rename(*c, s, arguments); });
    table.SetHandler("POSITION",
        [c](tStmtList& s, tAnsiTokens& arguments) { return Position(*c, s, arguments); });
    table.SetHandler("SAVE",
        [c](tStmtList& s, tAnsiTokens& arguments) { return SaveOrLoad(*c, s, arguments, true); });
    table.SetHandler("LOAD",
        [c](tStmtList& s, tAnsiTokens& arguments) { return SaveOrLoad(*c, s, arguments, false); });
    table.SetHandler(
        "LIST", [c](tStmtList&, tAnsiTokens& arguments) { return List(*c, arguments); });
    table.SetHandler("HIDDEN", [](tStmtList& s, tAnsiTokens&) {
        s.Fail(11, "Funktion zZt nicht implementiert");
        return false;
    });
    table.SetHandler(
        "BATCH", [c](tStmtList& s, tAnsiTokens& arguments) { return Batch(*c, s, arguments); });
}

} // namespace zelvora
