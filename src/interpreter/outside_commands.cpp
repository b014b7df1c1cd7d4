// The commands that write matrix files, hand matrices to outside programs, draw, play demos and
// arrange the shelf: MATWRITE, ORBIDEX, ANIMATE, ZEICHNE, DEMO, FACH.
#include "formats/matrix_text_io.h"
#include "formats/text_matrix_writer.h"
#include "interpreter/store_commands.h"
#include "lexicon/number_text.h"
#include "text/data_directory.h"
#include "text/word_list.h"
#include "variables/variable_convert.h"

#include <filesystem>

namespace zelvora {
namespace {

constexpr std::size_t MaxFormulaTokens = 1024;
// Positions of the drawing types in ZEICHNE's word list, and the code of data that the window
// cannot draw.
constexpr int DrawAnimate = 1;
constexpr int DrawScatterplot = 2;
constexpr int DrawCloudAnimate = 3;
constexpr std::int32_t DrawingRefused = 26;

// The argument tokens without the end tokens.
std::size_t GivenTokenCount(const tAnsiTokens& arguments)
{
    std::size_t count = 0;
    for (const t_ansitoken& token : arguments)
        count += token.Kind != tkEnd ? 1 : 0;
    return count;
}

tAnsiTokens Slice(
    const tAnsiTokens& tokens, std::size_t first, std::size_t last, std::size_t maxCount = SIZE_MAX)
{
    last = std::min(last, tokens.size());
    if (last > first && last - first > maxCount)
        last = first + maxCount;
    return first < last ? tAnsiTokens(tokens.begin() + static_cast<std::ptrdiff_t>(first),
               tokens.begin() + static_cast<std::ptrdiff_t>(last))
                        : tAnsiTokens();
}

std::string TemporaryFile(const std::string& name)
{
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::temp_directory_path(error);
    return ((error ? std::filesystem::path("/tmp") : directory) / name).string();
}

// The directory of the outside programs ("." when none is set).
std::string AddOnDirectoryOf(tStoreCommandContext& context)
{
    const std::string directory = context.AddOnDirectory ? context.AddOnDirectory() : std::string();
    return directory.empty() ? std::string(".") : directory;
}

// program (or program.exe) in the add-on directory; empty when neither exists.
std::string FindProgram(tStoreCommandContext& context, const std::string& program)
{
    for (const std::string& name : { program, program + ".exe" }) {
        const std::filesystem::path path = std::filesystem::path(AddOnDirectoryOf(context)) / name;
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error))
            return path.string();
    }
    return {};
}

bool MatWrite(tStoreCommandContext& context, tStmtList& statements, const tAnsiTokens& arguments)
{
    std::size_t equals = arguments.size();
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (IsSignToken(arguments[i], '=')) {
            equals = i;
            break;
        }
    }
    const bool shaped = equals >= 3 && equals < arguments.size() && arguments[0].Kind == tkName
        && IsSignToken(arguments[1], '(') && IsSignToken(arguments[equals - 1], ')');
    if (!shaped) {
        statements.Fail(1, "Angabe mu\xDF die Form \"typ(...angaben...) = formel\" haben");
        return false;
    }
    const std::string type = NameFold(arguments[0].Text);
    std::string fileName(DefaultWriteFileName);
    std::string textOption(DefaultWriteTextOption);
    // Without a width and decimals every number keeps all its digits; given options are the field
    // width, then the decimals.
    std::int32_t width = DefaultWriteWidth;
    std::int32_t decimals = ExactDecimals;
    int integerOptions = 0;
    tVariableArray options;
    tAnsiTokens optionTokens = Slice(arguments, 2, equals - 1);
    AppendEndTokens(optionTokens, 3);
    if (!EvaluateForCommand(context, statements, optionTokens, options))
        return false;
    for (std::size_t i = 1; i < options.size(); ++i) {
        const tVariable& option = options[i];
        if (i == 1) {
            fileName = VarAsString(option);
            continue;
        }
        if (option.shape != shScalar)
            continue;
        if (option.datatype == dtInteger) {
            ++integerOptions;
            if (integerOptions == 1) {
                width = option.intvalue;
                decimals = DefaultWriteDecimals;
            } else if (integerOptions == 2) {
                decimals = option.intvalue;
            }
        } else if (option.datatype == dtString) {
            textOption = option.strvalue;
        }
    }
    tVariableArray results;
    if (!EvaluateForCommand(context, statements,
            Slice(arguments, equals + 1, arguments.size(), MaxFormulaTokens), results))
        return false;
    const tVariable value = results.size() > 1 ? results[1] : tVariable {};
    const tStringmatrix* labels = results.size() > 2 ? &results[2].strmatrix : nullptr;
    if (!IsClipboardName(fileName))
        MakeDataFoldersFor(context, fileName);
    const tMatrixWriteResult written = WriteMatrixFile(value, type, fileName, width, decimals,
        textOption, labels, context.Store.Ports().Clipboard);
    statements.Fail(written.Code, written.Message);
    return written.Ok();
}

bool Orbidex(tStoreCommandContext& context, tStmtList& statements, const tAnsiTokens& arguments)
{
    tVariableArray results;
    const bool evaluated = EvaluateForCommand(context, statements, arguments, results);
    if (!evaluated || results.size() < 2 || results[1].shape != shMatrix) {
        statements.Fail(3, "Fehler in Formel oder Ergebnis keine Matrix");
        return false;
    }
    const std::string file = TemporaryFile("Zelvora.oxf");
    const tMatrixWriteResult written = WriteMatrixFile(results[1], "OXF", file);
    if (!written.Ok()) {
        // The writer's own message says what could not be written.
        statements.Fail(3,
            written.Message.empty() ? std::string("Fehler in Formel")
                                    : "Fehler in Formel: " + written.Message);
        return false;
    }
    const std::string program = FindProgram(context, "orbidex");
    if (program.empty()) {
        statements.Fail(4, "Ausf\xFChrbare Datei ORBIDEX.EXE nicht gefunden");
        return false;
    }
    if (!context.Processes || !context.Processes->Start(program, { file })) {
        statements.Fail(5, "Windows-Fehler beim Aufruf von ORBIDEX");
        return false;
    }
    statements.Fail(0, "");
    return true;
}

bool Animate(tStoreCommandContext& context, tStmtList& statements, const tAnsiTokens& arguments)
{
    tVariableArray results;
    EvaluateForCommand(context, statements, arguments, results);
    const bool fits = results.size() > 1 && results[1].shape == shMatrix
        && results[1].datatype != dtString && results[1].matrix.Rows() <= 8
        && results[1].matrix.Cols() <= 8;
    if (!fits) {
        statements.Fail(0, "");
        return false;
    }
    const std::string file = TemporaryFile("Zelvora.LAD");
    const tMatrixWriteResult written = WriteMatrixFile(results[1], "LAD", file);
    if (!written.Ok()) {
        statements.Fail(written.Code, written.Message);
        return false;
    }
    // The command succeeds whether or not the program runs; the user still hears why nothing
    // appears.
    const std::string program = FindProgram(context, "oxanim");
    if (program.empty()) {
        context.Interpreter.Warn("ANIMATE: Ausf\xFChrbare Datei OXANIM nicht gefunden in \""
            + AddOnDirectoryOf(context) + "\"");
    } else if (!context.Processes || !context.Processes->Start(program, { file, "/q" })) {
        context.Interpreter.Warn("ANIMATE: " + program + " konnte nicht gestartet werden");
    }
    statements.Fail(0, "");
    return true;
}

bool Draw(tStoreCommandContext& context, tStmtList& statements, const tAnsiTokens& arguments)
{
    if (GivenTokenCount(arguments) < 2) {
        statements.Fail(21, "syntaxfehler");
        return false;
    }
    if (!IsSignToken(arguments[1], '=')) {
        statements.Fail(22, "<zchntyp> = ... erwartet");
        return false;
    }
    const int type = WordListPosition(
        "ANIMATE;SCATTERPLOT;CLOUDANIMATE;BMP", NameFold(arguments[0].Text), tWordMatch::Prefix);
    if (type < DrawAnimate || type > DrawCloudAnimate) {
        statements.Fail(
            25, "Als Zeichnungstyp nur ANIMATE, SCATTERPLOT, oder CLOUDANIMATE erlaubt");
        return false;
    }
    tVariableArray results;
    if (!EvaluateForCommand(
            context, statements, Slice(arguments, 2, arguments.size(), MaxFormulaTokens), results))
        return false;
    if (results.size() < 2) {
        statements.Fail(23, "Formel lieferte kein ergebnis");
        return false;
    }
    if (results[1].shape != shMatrix) {
        statements.Fail(24, "Matrix als Ergebnis erwartet");
        return false;
    }
    if (type == DrawScatterplot && (results.size() < 3 || results[2].shape != shMatrix)) {
        statements.Fail(24, "zweite Matrix als Ergebnis erwartet (Y-Daten)");
        return false;
    }
    // A text matrix has no numbers to draw; drawing its empty number part would report success
    // for a picture of nothing.
    const std::size_t used = type == DrawScatterplot ? std::min<std::size_t>(results.size(), 4) : 2;
    for (std::size_t i = 1; i < used; ++i) {
        if (results[i].shape == shMatrix && results[i].datatype == dtString) {
            statements.Fail(DrawingRefused,
                "Zeichnen braucht Zahlen: Ergebnis " + std::to_string(i) + " ist eine Textmatrix");
            return false;
        }
    }
    if (!context.Graphics) {
        statements.Fail(1, "Zeichnungen sind in dieser Ausgabe noch nicht verf\xFCgbar");
        return false;
    }
    std::string refusal;
    if (type == DrawScatterplot) {
        const tVariable* colours
            = results.size() > 3 && results[3].shape == shMatrix ? &results[3] : nullptr;
        refusal = context.Graphics->ShowScatterplot(
            results[1].matrix, results[2].matrix, colours ? &colours->matrix : nullptr);
    } else {
        const std::uint32_t seed = context.AnimationSeed ? context.AnimationSeed() : 0;
        refusal = context.Graphics->ShowAnimation(
            type == DrawAnimate ? tAnimationKind::Vectors : tAnimationKind::Cloud,
            results[1].matrix, seed);
    }
    if (!refusal.empty()) {
        statements.Fail(DrawingRefused, refusal);
        return false;
    }
    statements.Fail(0, "");
    return true;
}

// The file in the same directory whose name differs only in upper and lower case (demo names
// are written in either, as on systems whose file names ignore case); the name itself when there
// is none.
std::string FileNameIgnoringCase(const std::string& fileName)
{
    const std::filesystem::path path(fileName);
    const std::string wanted = NameFold(path.filename().string());
    std::error_code error;
    const std::filesystem::path directory = path.has_parent_path() ? path.parent_path() : ".";
    for (std::filesystem::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        if (NameFold(entry->path().filename().string()) == wanted)
            return (path.has_parent_path() ? entry->path() : entry->path().filename()).string();
    }
    return fileName;
}

bool Demo(tStoreCommandContext& context, tStmtList& statements, const tAnsiTokens& arguments)
{
    std::string fileName;
    if (!FileNameArgument(context, statements, arguments, fileName))
        return false;
    const std::string given = fileName;
    if (context.DemoDirectory)
        fileName = JoinPath(context.DemoDirectory(), fileName);
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error))
        fileName = FileNameIgnoringCase(fileName);
    if (!std::filesystem::is_regular_file(fileName, error) && !IsAbsolutePath(given)
        && context.ShippedDemoDirectory && !context.ShippedDemoDirectory().empty()) {
        // Not copied into the data directory (yet): the demo as the program ships it.
        const std::string shipped
            = FileNameIgnoringCase(JoinPath(context.ShippedDemoDirectory(), given));
        if (std::filesystem::is_regular_file(shipped, error))
            fileName = shipped;
    }
    if (!std::filesystem::is_regular_file(fileName, error)) {
        WarnMissingFile(context, "DEMO", fileName); // no failure, but the user hears of it
        return true;
    }
    if (!context.PlayDemo) {
        statements.Fail(1, "Demos k\xF6nnen in dieser Ausgabe noch nicht abgespielt werden");
        return false;
    }
    return context.PlayDemo(statements, fileName);
}

bool Compartments(tStoreCommandContext& context, const tAnsiTokens& arguments)
{
    tShelfPort* shelf = context.Shelf;
    if (!shelf || arguments.empty())
        return true;
    const t_ansitoken& first = arguments[0];
    if (first.Kind == tkInteger) {
        std::int32_t n = 0;
        try {
            n = IntegerOfText(first.Text);
        } catch (const tRunTimeError&) {
            return true; // beyond every compartment number
        }
        if (n >= 1 && n <= shelf->CompartmentCount())
            shelf->ActivateCompartment(n);
        return true;
    }
    if (first.Kind != tkName)
        return true;
    switch (WordListPosition("ADD;GET;DELETE", NameFold(first.Text), tWordMatch::Prefix)) {
    case 1:
        shelf->AddCompartment();
        break;
    case 2:
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            if (arguments[i].Kind != tkName)
                continue;
            if (tMatrixWindowPort* window = context.Store.OpenWindow(arguments[i].Text))
                shelf->MoveToActiveCompartment(*window);
        }
        break;
    default:
        break;
    }
    return true;
}

} // namespace

void RegisterOutsideCommands(tStoreCommandContext& context)
{
    tStmtList& table = context.Interpreter.Statements();
    tStoreCommandContext* c = &context;
    table.SetHandler("MATWRITE",
        [c](tStmtList& s, tAnsiTokens& arguments) { return MatWrite(*c, s, arguments); });
    table.SetHandler(
        "ORBIDEX", [c](tStmtList& s, tAnsiTokens& arguments) { return Orbidex(*c, s, arguments); });
    table.SetHandler(
        "ANIMATE", [c](tStmtList& s, tAnsiTokens& arguments) { return Animate(*c, s, arguments); });
    table.SetHandler(
        "ZEICHNE", [c](tStmtList& s, tAnsiTokens& arguments) { return Draw(*c, s, arguments); });
    table.SetHandler(
        "DEMO", [c](tStmtList& s, tAnsiTokens& arguments) { return Demo(*c, s, arguments); });
    table.SetHandler(
        "FACH", [c](tStmtList&, tAnsiTokens& arguments) { return Compartments(*c, arguments); });
}

} // namespace zelvora
