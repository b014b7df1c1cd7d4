// The comment tools' rules for one line.
#include "ui/comment_tools.h"

namespace zelvora {

std::optional<tTextStretch> LeadingCommentSymbol(std::string_view line)
{
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return std::nullopt;
    const std::int32_t at = static_cast<std::int32_t>(start);
    if (line[start] == ';')
        return tTextStretch { at, 1 };
    if (line.substr(start, 2) == "//")
        return tTextStretch { at, 2 };
    return std::nullopt;
}

} // namespace zelvora
