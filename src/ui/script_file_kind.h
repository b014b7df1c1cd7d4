// What a file given to the command window is: a script to edit, a workspace to load, or something
// else that an editor tab must neither show nor save over.
#pragma once

#include <string_view>

namespace zelvora {

enum class tScriptFileKind : int { Text = 0, Workspace = 1, Binary = 2 };

// A workspace begins with its magic bytes; any other file holding a byte 0 is not text (scripts,
// journals and RTF files never hold one, in any of the encodings they are read in).
tScriptFileKind ScriptFileKindOf(std::string_view bytes);

} // namespace zelvora
