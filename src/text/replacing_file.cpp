// Files replaced whole or not at all.
#include "text/replacing_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora {
namespace {

// The path a write should replace: the file a symbolic link points to, else the name itself.
std::string ResolvedTarget(const std::string& target)
{
    struct stat link { };
    if (::lstat(target.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return target;
    char resolved[PATH_MAX];
    return ::realpath(target.c_str(), resolved) ? std::string(resolved) : target;
}

// The permissions a new file gets: those of the file it replaces, else 0666 less the umask.
mode_t NewFileMode(const struct stat* existing)
{
    if (existing != nullptr)
        return existing->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

tReplacingFile::tReplacingFile(std::string_view target)
    : m_target(ResolvedTarget(std::string(target)))
{
    if (m_target.empty()) {
        m_error = ENOENT;
        return;
    }
    struct stat existing { };
    const bool exists = ::stat(m_target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        m_error = EISDIR;
        return;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        errno = 0;
        m_file = std::fopen(m_target.c_str(), "wb");
        m_error = m_file ? 0 : errno;
        return;
    }
    m_temporary = m_target + ".XXXXXX";
    const int descriptor = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
        m_error = errno;
        m_temporary.clear();
        return;
    }
    ::fchmod(descriptor, NewFileMode(exists ? &existing : nullptr));
    m_file = ::fdopen(descriptor, "wb");
    if (m_file == nullptr) {
        m_error = errno;
        ::close(descriptor);
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

tReplacingFile::~tReplacingFile()
{
    Discard();
}

bool tReplacingFile::Write(std::string_view bytes)
{
    if (m_file == nullptr || m_error != 0)
        return false;
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        m_error = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool tReplacingFile::Commit()
{
    if (m_file == nullptr)
        return false;
    errno = 0;
    if (m_error == 0 && std::fflush(m_file) != 0)
        m_error = errno != 0 ? errno : EIO;
    if (m_error == 0 && !m_temporary.empty() && ::fsync(::fileno(m_file)) != 0)
        m_error = errno;
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0 && m_error == 0)
        m_error = errno != 0 ? errno : EIO;
    if (m_error == 0 && !m_temporary.empty()
        && std::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        m_error = errno;
    if (m_error != 0) {
        Discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void tReplacingFile::Discard() noexcept
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

int ReplaceFileContents(std::string_view target, std::string_view bytes)
{
    tReplacingFile file(target);
    if (!file.IsOpen())
        return file.Error();
    if (!file.Write(bytes) || !file.Commit())
        return file.Error() != 0 ? file.Error() : EIO;
    return 0;
}

} // namespace zelvora
