// The word a notebook asks about.
#include "ui/kernel/kernel_words.h"

#include "lexicon/scanner.h"

#include <algorithm>

namespace zelvora {
namespace {

bool IsNameChar(char c)
{
    const tCharClass kind = ClassOfChar(static_cast<unsigned char>(c));
    return kind == tCharClass::Letter || kind == tCharClass::Digit;
}

} // namespace

tWordSpan WordBeforeCursor(std::string_view text, std::size_t cursor)
{
    const std::size_t end = std::min(cursor, text.size());
    std::size_t start = end;
    while (start > 0 && IsNameChar(text[start - 1]))
        --start;
    return { start, end };
}

tWordSpan WordAtCursor(std::string_view text, std::size_t cursor)
{
    std::size_t at = std::min(cursor, text.size());
    if (!(at < text.size() && IsNameChar(text[at])) && !(at > 0 && IsNameChar(text[at - 1]))
        && at > 0 && text[at - 1] == '(')
        --at;
    tWordSpan span = WordBeforeCursor(text, at);
    while (span.End < text.size() && IsNameChar(text[span.End]))
        ++span.End;
    return span;
}

} // namespace zelvora
