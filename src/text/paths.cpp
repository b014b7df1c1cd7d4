// Path texts.
#include "text/paths.h"

#include <filesystem>

namespace zelvora {

std::string ForwardSlashes(std::string_view path)
{
    std::string text(path);
    for (char& c : text) {
        if (c == '\\')
            c = '/';
    }
    return text;
}

bool IsAbsolutePath(std::string_view path)
{
    if (!path.empty() && (path.front() == '/' || path.front() == '\\'))
        return true;
    const bool driveLetter = path.size() >= 2 && path[1] == ':'
        && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return driveLetter;
}

std::string WithTrailingSeparator(std::string_view directory)
{
    std::string text = ForwardSlashes(directory);
    if (!text.empty() && text.back() != '/')
        text += '/';
    return text;
}

std::string JoinPath(std::string_view directory, std::string_view name)
{
    if (IsAbsolutePath(name))
        return ForwardSlashes(name);
    return WithTrailingSeparator(directory) + ForwardSlashes(name);
}

std::string RelativeIfBelow(std::string_view name, std::string_view baseDir)
{
    std::string path = ForwardSlashes(name);
    const std::string base = WithTrailingSeparator(baseDir);
    if (!path.empty() && path.front() == '/' && !base.empty() && base.front() == '/') {
        const std::filesystem::path relative
            = std::filesystem::path(path).lexically_normal().lexically_relative(
                std::filesystem::path(base).lexically_normal());
        // Only names below the base become relative; others keep their full path.
        if (!relative.empty() && *relative.begin() != "..")
            path = relative.string();
    }
    return path;
}

} // namespace zelvora
