// The formula functions that read matrix files.
#include "interpreter/file_reader_functions.h"

#include "formats/bin_format.h"
#include "formats/bmp_format.h"
#include "formats/csv_format.h"
#include "formats/def_raw_format.h"
#include "formats/hex_format.h"
#include "formats/matrix_text_io.h"
#include "formats/oxf_format.h"
#include "lexicon/scanner.h"
#include "variables/operator_results.h"

#include <filesystem>

namespace zelvora {
namespace {

using O = tOpcode;

std::string WithExtension(const std::string& name, const char* extension)
{
    return std::filesystem::path(name).replace_extension(extension).string();
}

// Where a reader takes a file from: a relative name beside the running script, or, when it is not
// there, in the current folder. Looked names both places for the message of a file found in
// neither.
struct tReadPlace {
    std::string Name;
    std::string Looked;
};

bool IsFile(const std::string& name)
{
    std::error_code error;
    return std::filesystem::exists(name, error);
}

tReadPlace ReadPlaceOf(
    const tCallArgs& args, std::string_view name, const char* extension = nullptr)
{
    const auto named = [extension](std::string path) {
        return extension != nullptr ? WithExtension(path, extension) : path;
    };
    const std::string besideScript = named(args.ResolveFileName(name));
    const std::string inCurrentFolder = named(LocalPath(TrimmedView(name)));
    if (besideScript == inCurrentFolder || IsFile(besideScript))
        return { besideScript, {} };
    if (IsFile(inCurrentFolder))
        return { inCurrentFolder, {} };
    std::error_code error;
    const std::string scriptFolder = std::filesystem::path(besideScript).parent_path().string();
    const std::string currentFolder = std::filesystem::current_path(error).string();
    return { besideScript,
        " (gesucht neben dem Skript in \"" + scriptFolder + "\" und im aktuellen Ordner \""
            + currentFolder + "\")" };
}

// A reader's failure: the call fails with the reader's message, which says where the file was
// looked for when it was found neither beside the script nor in the current folder.
tCallOutcome ReadFailure(
    std::string message, const tReadPlace& place = {}, std::int32_t code = CsvReadErrorCode)
{
    if (!place.Looked.empty() && message.find(place.Name) != std::string::npos)
        message += place.Looked;
    return call::Fail(Failure(code, message));
}

// The definition/raw reader fails with its own code 1.
constexpr std::int32_t DefRawErrorCode = 1;

tCallOutcome Result(
    tMatrixReadResult read, const tReadPlace& place, std::int32_t failureCode = CsvReadErrorCode)
{
    if (!read.Ok)
        return ReadFailure(read.Message, place, failureCode);
    tCallOutcome outcome = call::RealMatrix(std::move(read.Matrix));
    outcome.Warning = std::move(read.Warning);
    return outcome;
}

// CSVDatei gives the matrix and, when the call is the whole formula, as a further result the
// names of the header line (empty texts without one) for a second target.
tCallOutcome ReadCsvCall(const tCallArgs& args)
{
    if (args.Count() != 1 && args.Count() != 2)
        return call::Empty();
    const std::string name = args.Text(1);
    const tReadPlace place = NameFold(TrimmedView(name)) == "CLIP"
        ? tReadPlace { std::string("CLIPBOARD"), {} }
        : ReadPlaceOf(args, name);
    tMatrixReadResult read = CsvRead(place.Name, args.Text(2), args.Clipboard(), args.Checkpoint());
    if (!read.Ok)
        return ReadFailure(read.Message, place);
    tCallOutcome outcome = call::RealMatrix(std::move(read.Matrix));
    outcome.Further.push_back(operators::StringMatrixResult(std::move(read.Names), tgLogical));
    outcome.Warning = std::move(read.Warning);
    return outcome;
}

tCallOutcome ReadHexCall(const tCallArgs& args)
{
    const tReadPlace place = ReadPlaceOf(args, args.Text(1));
    return Result(HexRead(place.Name, args.Checkpoint()), place);
}

tCallOutcome ReadOxfCall(const tCallArgs& args)
{
    const tReadPlace place = ReadPlaceOf(args, args.Text(1));
    tOxfReadResult read = OxfRead(place.Name, args.Checkpoint());
    if (!read.Ok)
        return ReadFailure(read.Message, place);
    return call::Values({ call::RealMatrixValue(std::move(read.Matrix)),
        operators::StringMatrixResult(std::move(read.Labels), tgLogical) });
}

tCallOutcome ReadBinCall(const tCallArgs& args)
{
    const tReadPlace place = ReadPlaceOf(args, args.Text(1));
    return Result(BinRead(place.Name, args.Integer(2), args.Checkpoint()), place);
}

tCallOutcome ReadDefRawCall(const tCallArgs& args)
{
    if (args.Count() == 0)
        return call::Slot();
    if (args.Count() >= 3)
        return call::RealMatrix(trealmatrix(1, 1));
    if (args.Count() == 1) {
        const tReadPlace def = ReadPlaceOf(args, args.Text(1), ".def");
        return Result(DefRawRead(def.Name, WithExtension(def.Name, ".raw"), args.Checkpoint()), def,
            DefRawErrorCode);
    }
    const tReadPlace def = ReadPlaceOf(args, args.Text(1));
    const tReadPlace raw = ReadPlaceOf(args, args.Text(2));
    tMatrixReadResult read = DefRawRead(def.Name, raw.Name, args.Checkpoint());
    const bool rawFailed = read.Message.find(raw.Name) != std::string::npos;
    return Result(std::move(read), rawFailed ? raw : def, DefRawErrorCode);
}

tCallOutcome ReadBmpCall(const tCallArgs& args)
{
    const tReadPlace place = ReadPlaceOf(args, args.Text(1));
    tBmpReadResult read = BmpRead(place.Name, args.Checkpoint());
    if (!read.Ok)
        return ReadFailure(read.Message, place);
    return call::Values(
        { call::RealMatrixValue(std::move(read.Red)), call::RealMatrixValue(std::move(read.Green)),
            call::RealMatrixValue(std::move(read.Blue)) });
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::CSVDatei, ReadCsvCall },
    { O::HexDatei, ReadHexCall },
    { O::OXFDatei, ReadOxfCall },
    { O::BinDatei, ReadBinCall },
    { O::DefRawDatei, ReadDefRawCall },
    { O::BmpDatei, ReadBmpCall },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> FileReaderRows()
{
    return Rows;
}

} // namespace zelvora
