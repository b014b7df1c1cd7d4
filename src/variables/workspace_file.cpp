// Workspace files on disk: written through a temporary file, read whole before the store changes.
#include "variables/workspace_file.h"

#include "text/replacing_file.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora {
namespace {

// The bytes of a workspace file, mapped into memory rather than copied: a large workspace is
// parsed straight from the page cache. Files that cannot be mapped (pipes and the like) are read.
class tFileBytes {
public:
    explicit tFileBytes(const std::string& fileName)
    {
        const int descriptor = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            return;
        struct stat status { };
        const bool known = ::fstat(descriptor, &status) == 0;
        // A directory or a device (/dev/zero, a terminal) holds no workspace to read to its end.
        if (!known || !(S_ISREG(status.st_mode) || S_ISFIFO(status.st_mode))) {
            ::close(descriptor);
            return;
        }
        if (known && S_ISREG(status.st_mode) && status.st_size > 0) {
            const auto size = static_cast<std::size_t>(status.st_size);
            void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
            if (mapped != MAP_FAILED) {
                m_mapped = mapped;
                m_size = size;
                m_ok = true;
                ::close(descriptor);
                return;
            }
        }
        m_ok = ReadAll(descriptor);
        ::close(descriptor);
    }
    ~tFileBytes()
    {
        if (m_mapped)
            ::munmap(m_mapped, m_size);
    }
    tFileBytes(const tFileBytes&) = delete;
    tFileBytes& operator=(const tFileBytes&) = delete;

    bool Ok() const { return m_ok; }
    std::string_view Bytes() const
    {
        return m_mapped ? std::string_view(static_cast<const char*>(m_mapped), m_size)
                        : std::string_view(m_read);
    }

private:
    bool ReadAll(int descriptor)
    {
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
            if (got == 0)
                return true;
            if (got < 0 && errno != EINTR)
                return false;
            if (got > 0)
                m_read.append(buffer, static_cast<std::size_t>(got));
            if (m_read.size() > MaxPipedBytes) // a pipe that does not end
                return false;
        }
    }

    static constexpr std::size_t MaxPipedBytes = std::size_t { 4 } << 30;

    void* m_mapped = nullptr;
    std::size_t m_size = 0;
    std::string m_read;
    bool m_ok = false;
};

} // namespace

bool tdiskWorkspace::SaveWorkspace(const std::string& fileName, const tVarClass& store)
{
    m_fileName = fileName;
    m_fault = tWorkspaceFault::CannotWrite;
    tReplacingFile file(fileName); // a symbolic link is followed, so that it stays a link
    if (!file.IsOpen())
        return false;
    tWorkspaceWriter writer(file.Stream());
    const bool written = writer.Write(store.SlotCount(), store.Count(),
        [&store](std::int32_t index) -> const tVariable& { return store.Variable(index); });
    if (!written || !file.Commit())
        return false;
    m_fault = tWorkspaceFault::None;
    return true;
}

bool tdiskWorkspace::LoadWorkspace(const std::string& fileName, tVisibleVarsList& store)
{
    m_fileName = fileName;
    std::optional<tWorkspaceContent> content;
    {
        const tFileBytes file(fileName);
        if (!file.Ok()) {
            m_fault = tWorkspaceFault::CannotOpen;
            return false;
        }
        content = ReadWorkspace(file.Bytes(), m_fault);
    }
    if (!content)
        return false;
    m_slotCount = content->SlotCount;
    m_variableCount = static_cast<std::int32_t>(content->Variables.size());

    // The old variables close their windows before the new ones cascade on the shelf.
    store.Reset();
    // All records are added before any is refreshed, so that a refresh that raises a run-time
    // error (an integer beyond 32 bits) cannot lose the variables after it.
    std::vector<std::int32_t> added;
    for (tVariable& variable : content->Variables) {
        const std::int32_t before = store.Count();
        store.Add(std::move(variable));
        if (store.Count() > before)
            added.push_back(store.Count());
    }
    for (std::int32_t index : added)
        store.Refresh(index);
    return true;
}

std::string tdiskWorkspace::Message() const
{
    switch (m_fault) {
    case tWorkspaceFault::None:
        return {};
    case tWorkspaceFault::CannotOpen:
        return "Arbeitsbereich " + m_fileName + " kann nicht gelesen werden";
    case tWorkspaceFault::NotAWorkspace:
        return m_fileName + " ist keine Arbeitsbereichsdatei";
    case tWorkspaceFault::Damaged:
        return "Arbeitsbereich " + m_fileName
            + " ist unvollst\xE4ndig oder besch\xE4"
              "digt";
    case tWorkspaceFault::CannotWrite:
        return "Arbeitsbereich " + m_fileName + " kann nicht geschrieben werden";
    }
    return {};
}

} // namespace zelvora
