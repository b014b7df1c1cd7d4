// The one reader of whole files: the matrix file formats and the workspace file read through it.
#pragma once

#include "numerics/checkpoint.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvora {

// Largest file copied into memory whole: past it a read stops with tFileFault::TooLarge.
inline constexpr std::uint64_t MaxWholeFileBytes = std::uint64_t { 4 } << 30;

// Why a file gave no contents.
enum class tFileFault {
    None,
    CannotOpen, // missing, not readable, a directory, or a read that failed
    NotAFile, // a device (/dev/zero, a terminal): it has no end to read to
    TooLarge, // more than MaxWholeFileBytes to copy
};

// How the bytes are held. Copy: one sized read into memory that is not cleared first, the
// fastest way when the bytes are scanned once. Map: a regular file is mapped rather than copied,
// so a large file is parsed straight from the page cache and its size costs no memory of its own.
// Pipes and files that report no size are copied either way, read on to their end.
enum class tFileHold { Copy, Map };

class tFileContents {
public:
    // The contents of the file at path (a local path, used as it is), or nothing with the fault
    // in *fault (when given). A copy reaches the checkpoint before each read, so a stop request
    // ends a read that does not end by itself.
    static std::optional<tFileContents> Read(const std::string& path, tFileFault* fault = nullptr,
        const tCheckpoint* checkpoint = nullptr, tFileHold hold = tFileHold::Copy);

    tFileContents(tFileContents&& other) noexcept;
    tFileContents& operator=(tFileContents&& other) noexcept;
    tFileContents(const tFileContents&) = delete;
    tFileContents& operator=(const tFileContents&) = delete;
    ~tFileContents();

    std::string_view View() const { return { m_bytes, m_size }; }

private:
    tFileContents() = default;
    void Release() noexcept;

    char* m_bytes = nullptr;
    std::size_t m_size = 0;
    bool m_mapped = false;
};

// The message of a fault for the file as the user named it, e.g. "Datei d.csv konnte nicht
// geöffnet werden"; empty for tFileFault::None.
std::string FileFaultText(tFileFault fault, std::string_view fileName);

} // namespace zelvora
