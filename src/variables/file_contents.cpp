// Whole files: one open, one kind and size check, then a copy or a mapping of the bytes.
#include "variables/file_contents.h"

#include "numerics/bulk_memory.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora {
namespace {

// Closes a descriptor on every way out, a stop request's exception included.
class tDescriptor {
public:
    explicit tDescriptor(int descriptor)
        : m_descriptor(descriptor)
    {
    }
    ~tDescriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    tDescriptor(const tDescriptor&) = delete;
    tDescriptor& operator=(const tDescriptor&) = delete;
    int Get() const { return m_descriptor; }

private:
    int m_descriptor;
};

struct tRelease {
    void operator()(char* bytes) const { ::operator delete(bytes); }
};
using tBulkBytes = std::unique_ptr<char, tRelease>;

tBulkBytes BulkBytes(std::size_t size)
{
    return tBulkBytes(static_cast<char*>(AllocateBulkMemory(size)));
}

// Reads the descriptor to its end into memory of `capacity` bytes to begin with, growing it for
// a file that grows while it is read (a pipe, a log). False with the fault on failure.
bool CopyAll(int descriptor, std::size_t capacity, const tCheckpoint* checkpoint, tBulkBytes& bytes,
    std::size_t& size, tFileFault& fault)
{
    bytes = BulkBytes(capacity);
    size = 0;
    for (;;) {
        if (size == capacity) {
            if (capacity > MaxWholeFileBytes) {
                fault = tFileFault::TooLarge;
                return false;
            }
            const std::size_t larger = std::min<std::size_t>(capacity * 2, MaxWholeFileBytes + 1);
            tBulkBytes grown = BulkBytes(larger);
            std::memcpy(grown.get(), bytes.get(), size);
            bytes = std::move(grown);
            capacity = larger;
        }
        ReachCheckpoint(checkpoint);
        const ssize_t got = ::read(descriptor, bytes.get() + size, capacity - size);
        if (got == 0)
            return true;
        if (got < 0 && errno != EINTR) {
            fault = tFileFault::CannotOpen;
            return false;
        }
        if (got > 0)
            size += static_cast<std::size_t>(got);
    }
}

} // namespace

std::optional<tFileContents> tFileContents::Read(
    const std::string& path, tFileFault* fault, const tCheckpoint* checkpoint, tFileHold hold)
{
    tFileFault found = tFileFault::CannotOpen;
    const auto fail = [&] {
        if (fault != nullptr)
            *fault = found;
        return std::nullopt;
    };
    if (path.empty())
        return fail();
    const tDescriptor descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (descriptor.Get() < 0)
        return fail();
    struct stat status { };
    if (::fstat(descriptor.Get(), &status) != 0 || S_ISDIR(status.st_mode))
        return fail();
    if (!S_ISREG(status.st_mode) && !S_ISFIFO(status.st_mode)) {
        found = tFileFault::NotAFile;
        return fail();
    }
    const bool regular = S_ISREG(status.st_mode);
    const auto reported = static_cast<std::uint64_t>(regular ? status.st_size : 0);
    tFileContents contents;
    if (hold == tFileHold::Map && reported > 0) {
        const auto size = static_cast<std::size_t>(reported);
        void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor.Get(), 0);
        if (mapped != MAP_FAILED) {
            contents.m_bytes = static_cast<char*>(mapped);
            contents.m_size = size;
            contents.m_mapped = true;
            if (fault != nullptr)
                *fault = tFileFault::None;
            return contents;
        }
    }
    if (reported > MaxWholeFileBytes) {
        found = tFileFault::TooLarge;
        return fail();
    }
    // One byte more than the size, so that the first read already shows the end of the file.
    tBulkBytes bytes;
    std::size_t size = 0;
    if (!CopyAll(descriptor.Get(), static_cast<std::size_t>(reported) + 1, checkpoint, bytes, size,
            found))
        return fail();
    contents.m_bytes = bytes.release();
    contents.m_size = size;
    if (fault != nullptr)
        *fault = tFileFault::None;
    return contents;
}

tFileContents::tFileContents(tFileContents&& other) noexcept
    : m_bytes(std::exchange(other.m_bytes, nullptr))
    , m_size(std::exchange(other.m_size, 0))
    , m_mapped(std::exchange(other.m_mapped, false))
{
}

tFileContents& tFileContents::operator=(tFileContents&& other) noexcept
{
    if (this != &other) {
        Release();
        m_bytes = std::exchange(other.m_bytes, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapped = std::exchange(other.m_mapped, false);
    }
    return *this;
}

tFileContents::~tFileContents()
{
    Release();
}

void tFileContents::Release() noexcept
{
    if (m_bytes == nullptr)
        return;
    if (m_mapped)
        ::munmap(m_bytes, m_size);
    else
        ::operator delete(m_bytes);
    m_bytes = nullptr;
}

std::string FileFaultText(tFileFault fault, std::string_view fileName)
{
    const std::string file = "Datei " + std::string(fileName);
    switch (fault) {
    case tFileFault::None:
        return {};
    case tFileFault::NotAFile:
        return file + " ist keine gew\xF6hnliche Datei";
    case tFileFault::TooLarge:
        return file + " ist zu gro\xDF (mehr als " + std::to_string(MaxWholeFileBytes >> 30)
            + " GiB)";
    case tFileFault::CannotOpen:
        break;
    }
    return file
        + " konnte nicht ge\xF6"
          "ffnet werden";
}

} // namespace zelvora
