// Telling scripts from workspaces and other binary files by their bytes.
#include "ui/script_file_kind.h"

#include "variables/workspace_file_layout.h"

namespace zelvora {

tScriptFileKind ScriptFileKindOf(std::string_view bytes)
{
    if (bytes.starts_with(WorkspaceMagic))
        return tScriptFileKind::Workspace;
    if (bytes.find('\0') != std::string_view::npos)
        return tScriptFileKind::Binary;
    return tScriptFileKind::Text;
}

} // namespace zelvora
