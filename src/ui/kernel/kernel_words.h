// The word a notebook asks about: the name before the cursor (completion) or under it (help).
#pragma once

#include <cstddef>
#include <string_view>

namespace zelvora {

struct tWordSpan {
    std::size_t Start = 0;
    std::size_t End = 0; // one past the last character; Start == End: no word
};

// The letters and digits that end at cursor (program text; cursor beyond the end counts as the
// end).
tWordSpan WordBeforeCursor(std::string_view text, std::size_t cursor);

// The name the cursor stands in, at the end of, or, right after an opening bracket, the name
// before it ("Inv(" asks about Inv).
tWordSpan WordAtCursor(std::string_view text, std::size_t cursor);

} // namespace zelvora
