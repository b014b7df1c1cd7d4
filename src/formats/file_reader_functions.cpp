// The formula functions that read matrix files.
#include "formats/file_reader_functions.h"

#include "formats/csv_format.h"
#include "formats/hex_format.h"
#include "language/scanner.h"
#include "numerics/library_state.h"

namespace zelvora {
namespace {

using O = tOpcode;

tCallOutcome Result(tMatrixReadResult read)
{
    if (read.Ok) {
        tCallOutcome outcome = call::RealMatrix(std::move(read.Matrix));
        outcome.Warning = std::move(read.Warning);
        return outcome;
    }
    if (LibErrorCode() == 0)
        SetLibError(CsvReadErrorCode, read.Message);
    return call::Empty();
}

tCallOutcome ReadCsvCall(const tCallArgs& args)
{
    if (args.Count() != 1 && args.Count() != 2)
        return call::Empty();
    const std::string name = args.Text(1);
    const std::string source = NameFold(TrimmedView(name)) == "CLIP" ? std::string("CLIPBOARD")
                                                                     : args.ResolveFileName(name);
    return Result(CsvRead(source, args.Text(2), args.Clipboard()));
}

tCallOutcome ReadHexCall(const tCallArgs& args)
{
    return Result(HexRead(args.ResolveFileName(args.Text(1))));
}

// clang-format off
    constexpr tDispatchRow Rows[] = {
        { O::CSVDatei, ReadCsvCall },
        { O::HexDatei, ReadHexCall },
    };
// clang-format on

} // namespace

std::span<const tDispatchRow> FileReaderRows()
{
    return Rows;
}

} // namespace zelvora
