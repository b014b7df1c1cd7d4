// The binary layout of a workspace file: header, then one record per slot of the store's array.
#pragma once

#include "variables/variable.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zelvora {

// "ZTMW", version 1, the identification text with its length, slot count S and variable count n.
inline constexpr std::string_view WorkspaceMagic = "ZTMW";
inline constexpr std::int32_t WorkspaceVersion = 1;
inline constexpr std::string_view WorkspaceIdent { "ZelvoraWorkspace 030301\r\n\x1A\0", 27 };

// Writes a workspace to out (a file, or nullptr to keep everything in memory): the header with
// slot count S and variable count n, then slot 0 and the spare slots above n as empty records and
// slots 1..n as the variables that variable(i) gives. Integers are 32-bit little-endian, texts a
// length and their bytes, reals the ten bytes of the 80-bit extended.
class tWorkspaceWriter {
public:
    explicit tWorkspaceWriter(std::FILE* out = nullptr);
    using tSlotSource = std::function<const tVariable&(std::int32_t index)>;
    // False when a write to the file failed.
    bool Write(std::int32_t slotCount, std::int32_t count, const tSlotSource& variable);
    // Everything written so far that has not gone to the file.
    const std::string& Bytes() const { return m_buffer; }
    bool Flush();

private:
    void PutInt(std::int32_t value);
    void PutText(std::string_view text);
    void PutExtended(long double value);
    void PutRecord(const tVariable& record);
    void PutEmptyRecord();

    std::FILE* m_out;
    std::string m_buffer;
    bool m_ok = true;
};

// Why reading a workspace failed.
enum class tWorkspaceFault : std::int32_t {
    None = 0,
    CannotOpen = 1, // the file does not exist or cannot be read
    NotAWorkspace = 2, // magic, version or identification text differ
    Damaged = 3, // the file breaks off, or a length in it cannot be right
    CannotWrite = 4, // creating, writing or replacing the file failed
};

// The variables of a workspace: n records read after slot 0, and the slot count of the header.
struct tWorkspaceContent {
    std::int32_t SlotCount = 0;
    tVariableArray Variables; // 0-based: the file's slots 1..n
};

// Reads the header and records 0..n from bytes (the spare slots after them are not looked at).
// Names are cut to 32 bytes; the spare row and column of matrices are read and dropped. A header
// that differs gives NotAWorkspace; a short record, a negative count, or a matrix whose row lengths
// differ or do not fit the file gives Damaged.
std::optional<tWorkspaceContent> ReadWorkspace(std::string_view bytes, tWorkspaceFault& fault);

} // namespace zelvora
