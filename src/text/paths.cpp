// Path texts.
#include "text/paths.h"

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

} // namespace zelvora
