// Binary rows (BIN): writer and reader.
#include "formats/bin_format.h"

#include "formats/binary_bytes.h"
#include "numerics/run_time_error.h"

#include <cmath>
#include <limits>

namespace zelvora {
namespace {

constexpr long double SmallestWritten = 1e-128L;
constexpr std::string_view RecordEnd = "\r\n";

std::size_t RecordSize(std::int32_t columns)
{
    return 8 * static_cast<std::size_t>(columns) + RecordEnd.size();
}

} // namespace

tFormatResult BinWrite(const trealmatrix& m, std::string_view fileName)
{
    if (m.Cols() > MaxBinaryColumns)
        throw tRangeError();
    tBufferedFileWriter file;
    if (!file.Open(fileName))
        return { false, CouldNotOpenMessage(fileName) };
    std::string record;
    record.reserve(RecordSize(m.Cols()));
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        record.clear();
        for (std::int32_t c = 1; c <= m.Cols(); ++c) {
            const long double x = m(r, c);
            AppendDouble(record, std::fabs(x) < SmallestWritten ? 0.0 : NearestDouble(x));
        }
        record += RecordEnd;
        file.Append(record.data(), record.size());
    }
    return file.Close() ? tFormatResult {} : WriteFailure(fileName);
}

tMatrixReadResult BinParse(std::string_view bytes, std::int32_t columns)
{
    if (columns < 1 || columns > MaxBinaryColumns)
        throw tRangeError();
    const std::size_t recordSize = RecordSize(columns);
    const std::size_t rows = (bytes.size() + recordSize - 1) / recordSize;
    if (rows > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw tRangeError();
    trealmatrix m(static_cast<std::int32_t>(rows), columns);
    for (std::size_t r = 0; r < rows; ++r) {
        const std::string_view record = bytes.substr(r * recordSize, recordSize);
        const std::size_t cells = std::min<std::size_t>(record.size() / 8, columns);
        long double* row = m.Row(static_cast<std::int32_t>(r + 1));
        for (std::size_t c = 0; c < cells; ++c)
            row[c + 1] = DoubleAt(record.data() + 8 * c);
    }
    return { true, std::move(m), {}, {} };
}

tMatrixReadResult BinRead(
    std::string_view fileName, std::int32_t columns, const tCheckpoint* checkpoint)
{
    if (columns < 1 || columns > MaxBinaryColumns)
        throw tRangeError();
    std::string problem;
    const std::optional<std::string> bytes = ReadWholeFile(fileName, &problem, checkpoint);
    if (!bytes)
        return { false, trealmatrix(0, 0), problem, {} };
    return BinParse(*bytes, columns);
}

} // namespace zelvora
