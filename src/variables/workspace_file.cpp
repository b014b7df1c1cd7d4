// Workspace files on disk: written through a temporary file, read whole before the store changes.
#include "variables/workspace_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora {
namespace {

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& fileName)
{
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    if (!ok)
        return std::nullopt;
    return bytes;
}

// The file a write goes to: a symbolic link is followed, so that it stays a link.
std::string TargetPath(const std::string& fileName)
{
    std::error_code error;
    if (std::filesystem::is_symlink(fileName, error)) {
        const auto target = std::filesystem::canonical(fileName, error);
        if (!error)
            return target.string();
    }
    return fileName;
}

// The permissions a new file gets: those of the file it replaces, else 0666 less the umask.
mode_t NewFileMode(const std::string& path)
{
    struct stat existing { };
    if (::stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool tdiskWorkspace::SaveWorkspace(const std::string& fileName, const tVarClass& store)
{
    m_fileName = fileName;
    m_fault = tWorkspaceFault::CannotWrite;
    const std::string target = TargetPath(fileName);
    std::string temporary = target + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return false;
    ::fchmod(descriptor, NewFileMode(target));
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (!file) {
        ::close(descriptor);
        ::unlink(temporary.c_str());
        return false;
    }

    tWorkspaceWriter writer(file);
    bool ok = writer.Write(store.SlotCount(), store.Count(),
        [&store](std::int32_t index) -> const tVariable& { return store.Variable(index); });
    ok = std::fflush(file) == 0 && ok;
    ok = ::fsync(::fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    m_fault = tWorkspaceFault::None;
    return true;
}

bool tdiskWorkspace::LoadWorkspace(const std::string& fileName, tVisibleVarsList& store)
{
    m_fileName = fileName;
    const std::optional<std::string> bytes = ReadWholeFile(fileName);
    if (!bytes) {
        m_fault = tWorkspaceFault::CannotOpen;
        return false;
    }
    std::optional<tWorkspaceContent> content = ReadWorkspace(*bytes, m_fault);
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
