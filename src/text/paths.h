// Paths as the program's texts hold them: backslashes read as '/', absolute or relative, joined.
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

// '\' read as '/'.
std::string ForwardSlashes(std::string_view path);
// A path that begins with '/' or '\', or with a drive letter and ':'.
bool IsAbsolutePath(std::string_view path);
// The directory with one '/' at its end (an empty directory stays empty).
std::string WithTrailingSeparator(std::string_view directory);
// name below directory; an absolute name stays as it is. '\' read as '/'.
std::string JoinPath(std::string_view directory, std::string_view name);

// An absolute name below baseDir made relative to it; any other name unchanged ('\\' read as '/').
std::string RelativeIfBelow(std::string_view name, std::string_view baseDir);

} // namespace zelvora
