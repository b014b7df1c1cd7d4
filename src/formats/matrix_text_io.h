// Shared pieces of the text matrix formats: file and clipboard access, lines and number texts.
#pragma once

#include "numerics/checkpoint.h"
#include "numerics/matrix_types.h"
#include "ports/picture_port.h"
#include "text/replacing_file.h"
#include "variables/file_contents.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// Line end of every text matrix file and of the clipboard texts (the formats are Windows text).
inline constexpr std::string_view MatrixFileLineEnd = "\r\n";

// Longest message a reader or writer hands back.
inline constexpr std::size_t MaxFormatMessageLength = 255;

// What a writer reports: Ok, or failure with its message.
struct tFormatResult {
    bool Ok = true;
    std::string Message;
};

// What a reader gives back: success, the matrix read (its initial state on failure) and the
// message of a failure.
struct tMatrixReadResult {
    bool Ok = false;
    trealmatrix Matrix;
    std::string Message;
    std::string Warning {}; // something odd in a file that was read all the same
    tStringmatrix Names {}; // CSV: the names of a header line, one per column (1 x columns)
};

// The name "CLIP" (folded) sends writer output to the clipboard.
bool IsClipboardName(std::string_view fileName);

// A file name as a local path: '\' is read as '/'.
std::string LocalPath(std::string_view fileName);

// Text without leading and trailing blanks and control characters.
std::string_view TrimmedView(std::string_view text);

// Cuts a message to MaxFormatMessageLength bytes.
std::string CutMessage(std::string message);

// The bytes of the file a format names (LocalPath), copied whole by tFileContents; nothing when
// it gives nothing, and problem (when given) then receives the fault's message.
std::optional<tFileContents> ReadFileContents(std::string_view fileName,
    std::string* problem = nullptr, const tCheckpoint* checkpoint = nullptr);

// The bytes of a file, or nothing when ReadFileContents gives nothing (problem as there).
std::optional<std::string> ReadWholeFile(std::string_view fileName, std::string* problem = nullptr,
    const tCheckpoint* checkpoint = nullptr);

// Replaces a file with the bytes, whole or not at all (the old file stays on any failure). Returns
// 0 on success, otherwise the input/output error number of the failure (3 path not found, 5
// access denied, 101 write error).
int WriteWholeFile(std::string_view fileName, std::string_view bytes);

// Decimals that keep every digit: the exponent form with the fewest significant digits (2 to 21)
// that reads back to the same long double. MATWRITE writes CSV and PARI so unless told otherwise.
inline constexpr std::int32_t ExactDecimals = std::numeric_limits<std::int32_t>::min();

// Room for a number of MatrixNumberInto.
inline constexpr std::size_t MatrixNumberBufferSize = 300;

// Writes the text of MatrixNumberText for a finite x in the exponent form (decimals < 0, or
// ExactDecimals) into
// buffer (MatrixNumberBufferSize bytes) without allocating and returns its length; 0 for any other
// number, whose text MatrixNumberText gives.
std::size_t MatrixNumberInto(
    char* buffer, long double x, std::int32_t width, std::int32_t decimals, char decimalSeparator);

// A file written through a fixed buffer: Open starts its replacement, Append never fails on its
// own, Close reports whether every byte reached the file and only then puts it in place of the
// old one (which stays untouched on any failure, or when Close is never reached).
class tBufferedFileWriter {
public:
    tBufferedFileWriter() = default;
    tBufferedFileWriter(const tBufferedFileWriter&) = delete;
    tBufferedFileWriter& operator=(const tBufferedFileWriter&) = delete;

    bool Open(std::string_view fileName);
    void Append(const char* bytes, std::size_t length);
    bool Close();

private:
    void Flush();

    std::unique_ptr<tReplacingFile> m_file;
    std::size_t m_used = 0;
    std::array<char, 1 << 16> m_buffer;
};

// "Datei <name> konnte nicht geöffnet werden", the readers' message for a file they cannot open.
std::string CouldNotOpenMessage(std::string_view fileName);

// "Datei <name> konnte nicht geschrieben werden" as a failed write.
tFormatResult WriteFailure(std::string_view fileName);

// A file write that must not fail quietly: failure carries "Datei <name> konnte nicht
// geschrieben werden".
tFormatResult WriteTextFile(std::string_view fileName, std::string_view bytes);
// Puts the text on the clipboard (null: none); failure when no clipboard is available or it refuses
// the text.
tFormatResult PutOnClipboard(tClipboardPort* clipboard, std::string_view text);

// Lines of a text: a line feed, a carriage return or both together end a line; a line end at the
// very end opens no further line. An empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// A number as the writers put it: TextNumber (field width, decimals, exponent form) with its
// point replaced by decimalSeparator; ExactDecimals keeps every digit of a finite number.
std::string MatrixNumberText(
    long double x, std::int32_t width, std::int32_t decimals, char decimalSeparator);

// A number token read with '.' as the decimal point: an optional '-', digits, point and an
// exponent only (no infinities or NaNs); false when the text is none or out of range.
bool ParsePointNumber(std::string_view text, long double* value);

} // namespace zelvora
