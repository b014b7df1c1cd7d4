// The program's directories and files on Linux.
#include "text/data_directory.h"

#include "text/text_encoding.h"

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace zelvora {
namespace {

namespace fs = std::filesystem;

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool IsDirectory(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

std::string ExecutableDirectory(std::string_view programPath)
{
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error || executable.empty()) {
        executable = fs::absolute(fs::path(std::string(programPath)), error);
        if (error)
            executable = fs::path(std::string(programPath));
    }
    return executable.parent_path().string();
}

// Copies folders and regular files below source; an entry that fails is skipped so the rest
// still arrives.
void CopyTree(const fs::path& source, const fs::path& target)
{
    std::error_code error;
    fs::recursive_directory_iterator walk(
        source, fs::directory_options::skip_permission_denied, error);
    for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
        std::error_code each;
        const fs::path relative = walk->path().lexically_relative(source);
        if (walk->is_directory(each))
            fs::create_directories(target / relative, each);
        else if (walk->is_regular_file(each))
            fs::copy_file(walk->path(), target / relative, fs::copy_options::skip_existing, each);
    }
}

} // namespace

tPlatformPaths PlatformPathsFromEnvironment(std::string_view programPath)
{
    tPlatformPaths paths;
    const std::string programDir = ExecutableDirectory(programPath);
    paths.ProgramDir = WithTrailingSeparator(ProgramPathText(programDir));

    std::string home = EnvironmentValue("HOME");
    if (home.empty())
        home = "/tmp";
    paths.HomeDir = WithTrailingSeparator(ProgramPathText(home));
    const std::string config = EnvironmentValue("XDG_CONFIG_HOME");
    // The XDG base directory rules ignore a relative value.
    paths.ConfigHome = IsAbsolutePath(config) ? WithTrailingSeparator(ProgramPathText(config))
                                              : paths.HomeDir + ".config/";

    for (const char* candidate :
        { "examples", "../share/zelvora", "../examples", "../../examples" }) {
        const fs::path folder = fs::path(programDir) / candidate;
        if (IsDirectory(folder)) {
            paths.ShippedDir
                = WithTrailingSeparator(ProgramPathText(folder.lexically_normal().string()));
            break;
        }
    }
    return paths;
}

std::string FileSystemPath(std::string_view path)
{
    return Cp1252ToUtf8(ForwardSlashes(path));
}

std::string ProgramPathText(std::string_view fileSystemPath)
{
    return Utf8ToCp1252(fileSystemPath);
}

std::string SettingsFilePath(std::string_view programDir, std::string_view configHome)
{
    const std::string besideProgram = JoinPath(programDir, SettingsFileName);
    const std::string local = FileSystemPath(besideProgram);
    std::error_code error;
    if (!programDir.empty() && fs::is_regular_file(local, error)
        && access(local.c_str(), W_OK) == 0)
        return besideProgram;
    return JoinPath(JoinPath(configHome, "zelvora/"), SettingsFileName);
}

std::string DefaultDataDirectory(const tPlatformPaths& paths)
{
    return JoinPath(paths.HomeDir, "Zelvora/");
}

bool PrepareDataDirectory(std::string_view dataDir, std::string_view shippedDir)
{
    // Only a rooted path: a drive-letter or relative setting would land in the working directory.
    const std::string local = FileSystemPath(dataDir);
    if (local.empty() || local.front() != '/')
        return false;
    const fs::path target(local);
    std::error_code error;
    if (fs::exists(target, error)) {
        // A data directory made before any examples were found gets them now.
        if (!IsDirectory(target))
            return false;
        const fs::path examples = target / std::string(DataSubfolders[0]);
        if (!shippedDir.empty() && (!IsDirectory(examples) || fs::is_empty(examples, error)))
            CopyTree(fs::path(FileSystemPath(shippedDir)), target);
        return true;
    }
    if (!fs::create_directories(target, error) || error)
        return false;
    if (!shippedDir.empty()) {
        const fs::path source(FileSystemPath(shippedDir));
        if (IsDirectory(source))
            CopyTree(source, target);
    }
    for (std::string_view folder : DataSubfolders)
        fs::create_directories(target / std::string(folder), error);
    return true;
}

} // namespace zelvora
