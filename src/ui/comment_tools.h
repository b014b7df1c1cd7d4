// The command editor's comment tools: turning the lines of a statement range into comments and
// back, as stretches to change so that the editor can apply them as one undoable edit.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelvora {

// Put before a line to turn it into a comment.
inline constexpr std::string_view CommentPrefix = "; ";

struct tTextStretch {
    std::int32_t Start = 0;
    std::int32_t Length = 0;
    bool operator==(const tTextStretch&) const = default;
};

// The comment symbol of a line after its leading blanks and tabs: a ';' (length 1) or "//"
// (length 2), which removing the comment replaces by as many blanks; nothing when the line has
// none.
std::optional<tTextStretch> LeadingCommentSymbol(std::string_view line);

} // namespace zelvora
