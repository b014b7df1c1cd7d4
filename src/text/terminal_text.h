// Text bound for a terminal: control characters made visible.
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

// UTF-8 text with its control characters in a visible form, so that a string from a script, a
// file or a workspace cannot move the cursor, recolour or retitle the terminal: C0 controls and
// DEL in caret form (ESC as ^[, BEL as ^G, DEL as ^?), C1 controls (U+0080..U+009F) as \x9b. Line
// feeds, tabs and a carriage return directly before a line feed stay as they are.
std::string VisibleControls(std::string_view utf8);

} // namespace zelvora
