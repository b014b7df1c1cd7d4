// Where the program keeps its files on Linux: the program and data directories, the settings file
// beside the program or under the user's configuration directory, and the first start's copy of the
// shipped examples. Path texts inside the program are Windows-1252 with '/' as separator.
#pragma once

#include "text/paths.h"

#include <string>
#include <string_view>

namespace zelvora {

// The locations the start-up reads from the environment; tests set them to a temporary directory.
struct tPlatformPaths {
    std::string ProgramDir; // directory of the executable, ending in '/'
    std::string HomeDir; // the user's home directory, ending in '/'
    std::string ConfigHome; // $XDG_CONFIG_HOME, or the home directory's ".config/", ending in '/'
    std::string ShippedDir; // the shipped examples folder (Beispiele/, Demos/, ...); empty: none
};

// From the environment (HOME, XDG_CONFIG_HOME, /proc/self/exe, falling back to programPath).
// The shipped folder is the first of <program>/examples/, <program>/../share/zelvora/ (installed),
// <program>/../examples/ and <program>/../../examples/ (the build tree) that exists.
tPlatformPaths PlatformPathsFromEnvironment(std::string_view programPath);

// A program path text as the file system takes it (UTF-8, '/'), and a file system path (UTF-8) as
// program text (Windows-1252, '?' for what it cannot hold).
std::string FileSystemPath(std::string_view path);
std::string ProgramPathText(std::string_view fileSystemPath);

inline constexpr std::string_view SettingsFileName = "Zelvora.ini";

// The settings file: "Zelvora.ini" in programDir when it exists there and may be written, else
// "zelvora/Zelvora.ini" under configHome.
std::string SettingsFilePath(std::string_view programDir, std::string_view configHome);

// The default data directory: "Zelvora/" in the home directory.
std::string DefaultDataDirectory(const tPlatformPaths& paths);

// The subfolders of the data directory.
inline constexpr std::string_view DataSubfolders[]
    = { "Beispiele/", "Demos/", "Journal/", "Hilfe/" };

// Creates the data directory when it does not exist, copies the shipped folder's contents into
// it and makes the four subfolders. An existing data directory is left as it is, except that the
// shipped files it lacks are copied when its examples folder is missing or empty. False when the
// directory could not be made or is not rooted at '/'; a failed copy of single files is no failure.
bool PrepareDataDirectory(std::string_view dataDir, std::string_view shippedDir);

} // namespace zelvora
