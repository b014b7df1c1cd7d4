// Files that are replaced whole or not at all: every file the program writes goes through here.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace zelvora {

// A file written into a temporary file beside its target (same folder, so the rename cannot cross
// file systems) that takes the target's name in one step on Commit. Until then, and whenever a
// write fails (a full disk, a file-size limit), the old target stays as it was, and the temporary
// file is removed when the object goes. The new file keeps the permissions of the file it
// replaces (0666 less the umask for a new one); a symbolic link is followed, and a target that is
// no regular file (a device, a pipe) is written in place, since it cannot be replaced.
class tReplacingFile {
public:
    explicit tReplacingFile(std::string_view target);
    ~tReplacingFile();
    tReplacingFile(const tReplacingFile&) = delete;
    tReplacingFile& operator=(const tReplacingFile&) = delete;

    // False when the temporary file could not be made; Error() tells why.
    bool IsOpen() const { return m_file != nullptr; }
    // The system's error number of the first failure (0 while there was none).
    int Error() const { return m_error; }
    // The stream to write through (null when the file could not be opened).
    std::FILE* Stream() const { return m_file; }

    // Appends bytes; false (and nothing more written) after any failure.
    bool Write(std::string_view bytes);
    // Flushes the bytes to the disk and puts the file in the target's place; false on any failure,
    // the old target untouched.
    bool Commit();

private:
    void Discard() noexcept;

    std::string m_target;
    std::string m_temporary; // empty when written in place
    std::FILE* m_file = nullptr;
    int m_error = 0;
};

// Writes the bytes as the whole new content of a file through a tReplacingFile; returns 0 on
// success, else the system's error number.
int ReplaceFileContents(std::string_view target, std::string_view bytes);

} // namespace zelvora
