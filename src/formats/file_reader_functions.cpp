// The formula functions that read matrix files.
#include "formats/file_reader_functions.h"

#include "formats/bin_format.h"
#include "formats/bmp_format.h"
#include "formats/csv_format.h"
#include "formats/def_raw_format.h"
#include "formats/hex_format.h"
#include "formats/oxf_format.h"
#include "language/scanner.h"
#include "variables/operator_results.h"

#include <filesystem>

namespace zelvora {
namespace {

using O = tOpcode;

// A reader's failure: the call fails with the reader's message.
tCallOutcome ReadFailure(const std::string& message, std::int32_t code = CsvReadErrorCode)
{
    return call::Fail(Failure(code, message));
}

// The definition/raw reader fails with its own code 1.
constexpr std::int32_t DefRawErrorCode = 1;

tCallOutcome Result(tMatrixReadResult read, std::int32_t failureCode = CsvReadErrorCode)
{
    if (!read.Ok)
        return ReadFailure(read.Message, failureCode);
    tCallOutcome outcome = call::RealMatrix(std::move(read.Matrix));
    outcome.Warning = std::move(read.Warning);
    return outcome;
}

tCallOutcome ReadCsvCall(const tCallArgs& args)
{
    if (args.Count() != 1 && args.Count() != 2)
        return call::Empty();
    const std::string name = args.Text(1);
    const std::string source = NameFold(TrimmedView(name)) == "CLIP" ? std::string("CLIPBOARD")
                                                                     : args.ResolveFileName(name);
    return Result(CsvRead(source, args.Text(2), args.Clipboard(), args.Checkpoint()));
}

tCallOutcome ReadHexCall(const tCallArgs& args)
{
    return Result(HexRead(args.ResolveFileName(args.Text(1)), args.Checkpoint()));
}

tCallOutcome ReadOxfCall(const tCallArgs& args)
{
    tOxfReadResult read = OxfRead(args.ResolveFileName(args.Text(1)), args.Checkpoint());
    if (!read.Ok)
        return ReadFailure(read.Message);
    return call::Values({ call::RealMatrixValue(std::move(read.Matrix)),
        operators::StringMatrixResult(std::move(read.Labels), tgLogical) });
}

tCallOutcome ReadBinCall(const tCallArgs& args)
{
    return Result(BinRead(args.ResolveFileName(args.Text(1)), args.Integer(2), args.Checkpoint()));
}

std::string WithExtension(const std::string& name, const char* extension)
{
    return std::filesystem::path(name).replace_extension(extension).string();
}

tCallOutcome ReadDefRawCall(const tCallArgs& args)
{
    if (args.Count() == 0)
        return call::Slot();
    if (args.Count() >= 3)
        return call::RealMatrix(trealmatrix(1, 1));
    const std::string first = args.ResolveFileName(args.Text(1));
    if (args.Count() == 1)
        return Result(DefRawRead(WithExtension(first, ".def"), WithExtension(first, ".raw"),
                          args.Checkpoint()),
            DefRawErrorCode);
    return Result(
        DefRawRead(first, args.ResolveFileName(args.Text(2)), args.Checkpoint()), DefRawErrorCode);
}

tCallOutcome ReadBmpCall(const tCallArgs& args)
{
    tBmpReadResult read = BmpRead(args.ResolveFileName(args.Text(1)), args.Checkpoint());
    if (!read.Ok)
        return ReadFailure(read.Message);
    return call::Values(
        { call::RealMatrixValue(std::move(read.Red)), call::RealMatrixValue(std::move(read.Green)),
            call::RealMatrixValue(std::move(read.Blue)) });
}

// clang-format off
    constexpr tDispatchRow Rows[] = {
        { O::CSVDatei, ReadCsvCall },
        { O::HexDatei, ReadHexCall },
        { O::OXFDatei,    ReadOxfCall },
        { O::BinDatei,    ReadBinCall },
        { O::DefRawDatei, ReadDefRawCall },
        { O::BmpDatei,    ReadBmpCall },
    };
// clang-format on

} // namespace

std::span<const tDispatchRow> FileReaderRows()
{
    return Rows;
}

} // namespace zelvora
