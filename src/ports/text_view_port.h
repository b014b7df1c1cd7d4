// A text window's editor as the core sees it: lines appended in a style, cleared, read back.
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

// The line break inside the program's texts: echoed statements and appended texts end in it.
inline constexpr std::string_view TextLineBreak = "\r\n";

enum class tTextStyle {
    Normal = 0, // the editor's own font
    Command = 1, // echoed statements
    Heading = 2, // ;H comments
    Italic = 3, // ;I comments
    Comment = 4, // ;T and other text comments
    Table = 5, // matrix tables and pictures
};

class tTextViewPort {
public:
    virtual ~tTextViewPort() = default;
    // Appends text (one or more lines separated by TextLineBreak) at the end, in the style.
    virtual void AppendLines(std::string_view text, tTextStyle style) = 0;
    virtual void Clear() = 0;
    // The whole text, lines separated by TextLineBreak.
    virtual std::string PlainText() const = 0;
};

} // namespace zelvora
