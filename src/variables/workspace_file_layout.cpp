// Writing and reading the records of a workspace file.
#include "variables/workspace_file_layout.h"

#include <cstring>
#include <limits>

namespace zelvora {
namespace {

constexpr std::size_t ExtendedBytes = 10;
constexpr std::size_t FlushSize = 1 << 20;

static_assert(
    std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= ExtendedBytes,
    "workspace files hold 80-bit extended reals");

// Holds a record's value in the file: numeric matrix-like records and string matrices.
bool HasNumericMatrix(const tVariable& v)
{
    return (v.shape == shMatrix || v.shape == shRange || v.shape == shVector)
        && (v.datatype == dtInteger || v.datatype == dtReal || v.datatype == dtBoolean);
}

bool HasStringMatrix(const tVariable& v)
{
    return (v.shape == shMatrix || v.shape == shRange || v.shape == shVector)
        && v.datatype == dtString;
}

// Reads the bytes of a workspace in order; any read past the end sets the fault.
class tReader {
public:
    explicit tReader(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    bool Failed() const { return m_failed; }
    std::size_t Remaining() const { return m_bytes.size() - m_at; }
    void Fail() { m_failed = true; }

    std::string_view Take(std::size_t n)
    {
        if (m_failed || n > Remaining()) {
            m_failed = true;
            return {};
        }
        const std::string_view taken = m_bytes.substr(m_at, n);
        m_at += n;
        return taken;
    }
    std::int32_t Int()
    {
        const std::string_view b = Take(4);
        if (b.size() != 4)
            return 0;
        const std::uint32_t u = static_cast<std::uint32_t>(static_cast<unsigned char>(b[0]))
            | static_cast<std::uint32_t>(static_cast<unsigned char>(b[1])) << 8
            | static_cast<std::uint32_t>(static_cast<unsigned char>(b[2])) << 16
            | static_cast<std::uint32_t>(static_cast<unsigned char>(b[3])) << 24;
        return static_cast<std::int32_t>(u);
    }
    std::uint8_t Byte()
    {
        const std::string_view b = Take(1);
        return b.empty() ? 0 : static_cast<std::uint8_t>(b[0]);
    }
    std::string Text()
    {
        const std::int32_t length = Int();
        return length <= 0 ? std::string() : std::string(Take(static_cast<std::size_t>(length)));
    }
    long double Extended()
    {
        long double value = 0;
        const std::string_view b = Take(ExtendedBytes);
        if (b.size() == ExtendedBytes)
            std::memcpy(&value, b.data(), ExtendedBytes);
        return value;
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
    bool m_failed = false;
};

// Reads the two counts and the rows of a matrix into m (absent when R < 0). Every row must be
// as long as row 0; the counts are checked against the bytes left before anything is allocated.
template <typename T, typename ReadElement>
void ReadMatrix(tReader& in, tMatrix<T>& m, std::size_t minElementBytes, ReadElement readElement)
{
    const std::int32_t rowSlots = in.Int();
    const std::int32_t colSlots = in.Int();
    if (in.Failed() || rowSlots < 0)
        return;
    if (rowSlots == 0 || colSlots < 1) {
        // No storage can hold rows without a row 0 or a column 0.
        in.Fail();
        return;
    }
    const std::size_t rowBytes = 4 + static_cast<std::size_t>(colSlots) * minElementBytes;
    if (static_cast<std::size_t>(rowSlots) > in.Remaining() / rowBytes) {
        in.Fail();
        return;
    }
    tMatrix<T> read(rowSlots - 1, colSlots - 1);
    for (std::int32_t r = 0; r < rowSlots && !in.Failed(); ++r) {
        if (in.Int() != colSlots) {
            in.Fail();
            return;
        }
        for (std::int32_t c = 0; c < colSlots && !in.Failed(); ++c) {
            T element = readElement(in);
            // The spare row and column carry no data.
            if (r > 0 && c > 0)
                read(r, c) = std::move(element);
        }
    }
    if (!in.Failed())
        m = std::move(read);
}

tVariable ReadRecord(tReader& in)
{
    tVariable v;
    v.name = CutVariableName(in.Text());
    v.datatype = in.Byte();
    v.tag = in.Byte();
    v.shape = in.Byte();
    v.reserved = in.Byte();
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            v.intvalue = in.Int();
            break;
        case dtReal:
            v.realvalue = in.Extended();
            break;
        case dtBoolean:
            v.boolvalue = in.Byte() != 0 ? 1 : 0;
            break;
        case dtString:
            v.strvalue = in.Text();
            break;
        default:
            break;
        }
    } else if (HasNumericMatrix(v)) {
        ReadMatrix(in, v.matrix, ExtendedBytes, [](tReader& r) { return r.Extended(); });
    } else if (HasStringMatrix(v)) {
        ReadMatrix(in, v.strmatrix, 4, [](tReader& r) { return r.Text(); });
    }
    return v;
}

} // namespace

tWorkspaceWriter::tWorkspaceWriter(std::FILE* out)
    : m_out(out)
{
}

bool tWorkspaceWriter::Flush()
{
    if (m_out && !m_buffer.empty()) {
        if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_out) != m_buffer.size())
            m_ok = false;
        m_buffer.clear();
    }
    return m_ok;
}

void tWorkspaceWriter::PutInt(std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    const char bytes[4] = { static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
        static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF) };
    m_buffer.append(bytes, 4);
    if (m_buffer.size() >= FlushSize)
        Flush();
}

void tWorkspaceWriter::PutText(std::string_view text)
{
    PutInt(static_cast<std::int32_t>(std::min<std::size_t>(text.size(), INT32_MAX)));
    m_buffer.append(text.substr(0, INT32_MAX));
}

void tWorkspaceWriter::PutExtended(long double value)
{
    char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof value);
    m_buffer.append(bytes, ExtendedBytes);
}

void tWorkspaceWriter::PutEmptyRecord()
{
    PutInt(0);
    PutInt(0); // datatype, tag, shape, reserved
}

void tWorkspaceWriter::PutRecord(const tVariable& v)
{
    PutText(v.name);
    m_buffer += static_cast<char>(v.datatype);
    m_buffer += static_cast<char>(v.tag);
    m_buffer += static_cast<char>(v.shape);
    m_buffer += static_cast<char>(v.reserved);
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            PutInt(v.intvalue);
            break;
        case dtReal:
            PutExtended(v.realvalue);
            break;
        case dtBoolean:
            m_buffer += static_cast<char>(v.boolvalue != 0 ? 1 : 0);
            break;
        case dtString:
            PutText(v.strvalue);
            break;
        default:
            break;
        }
        return;
    }
    auto putCounts = [this](const auto& m) {
        const bool absent = m.IsAbsent();
        PutInt(absent ? -1 : m.Rows() + 1);
        PutInt(absent ? -1 : m.Cols() + 1);
        return !absent;
    };
    if (HasNumericMatrix(v)) {
        if (!putCounts(v.matrix))
            return;
        for (std::int32_t r = 0; r <= v.matrix.Rows(); ++r) {
            PutInt(v.matrix.Cols() + 1);
            for (std::int32_t c = 0; c <= v.matrix.Cols(); ++c)
                PutExtended(v.matrix(r, c));
        }
    } else if (HasStringMatrix(v)) {
        if (!putCounts(v.strmatrix))
            return;
        for (std::int32_t r = 0; r <= v.strmatrix.Rows(); ++r) {
            PutInt(v.strmatrix.Cols() + 1);
            for (std::int32_t c = 0; c <= v.strmatrix.Cols(); ++c)
                PutText(v.strmatrix(r, c));
        }
    }
}

bool tWorkspaceWriter::Write(
    std::int32_t slotCount, std::int32_t count, const tSlotSource& variable)
{
    m_buffer.append(WorkspaceMagic);
    PutInt(WorkspaceVersion);
    PutText(WorkspaceIdent);
    PutInt(slotCount);
    PutInt(count);
    for (std::int32_t i = 0; i < slotCount; ++i) {
        if (i >= 1 && i <= count)
            PutRecord(variable(i));
        else
            PutEmptyRecord();
        if (m_buffer.size() >= FlushSize)
            Flush();
    }
    return Flush();
}

std::optional<tWorkspaceContent> ReadWorkspace(std::string_view bytes, tWorkspaceFault& fault)
{
    tReader in(bytes);
    const bool header = in.Take(WorkspaceMagic.size()) == WorkspaceMagic
        && in.Int() == WorkspaceVersion
        && in.Int() == static_cast<std::int32_t>(WorkspaceIdent.size())
        && in.Take(WorkspaceIdent.size()) == WorkspaceIdent;
    // A file that ends inside a header that matched so far is a broken workspace.
    fault = in.Failed() && bytes.substr(0, WorkspaceMagic.size()) == WorkspaceMagic
        ? tWorkspaceFault::Damaged
        : tWorkspaceFault::NotAWorkspace;
    if (!header)
        return std::nullopt;

    fault = tWorkspaceFault::Damaged;
    tWorkspaceContent content;
    content.SlotCount = in.Int();
    const std::int32_t count = in.Int();
    // Every record takes at least 8 bytes, so a count beyond the file's size cannot be right.
    if (in.Failed() || count < 0 || static_cast<std::size_t>(count) >= in.Remaining() / 8)
        return std::nullopt;
    ReadRecord(in); // slot 0
    content.Variables.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 1; i <= count && !in.Failed(); ++i)
        content.Variables.push_back(ReadRecord(in));
    if (in.Failed())
        return std::nullopt;
    fault = tWorkspaceFault::None;
    return content;
}

} // namespace zelvora
