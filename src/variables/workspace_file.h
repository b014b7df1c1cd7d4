// SAVE and LOAD: all variables of the store written to one binary workspace file and read back.
#pragma once

#include "variables/display_list.h"
#include "variables/workspace_file_layout.h"

#include <memory>
#include <string>

namespace zelvora {

// Used for one call by the command and then freed.
class tdiskWorkspace {
public:
    // Writes every slot of the store's array through a temporary file beside fileName that
    // replaces the file only when it was written whole; a failure leaves an existing file as it
    // was. False on failure (Fault() and Message() tell why).
    bool SaveWorkspace(const std::string& fileName, const tVarClass& store);

    // Reads the whole file first; only when it is a complete workspace is the store reset (its
    // windows closed, the default layouts, NewHidden off; the object stays the same) and filled
    // with the file's variables, each added and then refreshed. On failure the store is left
    // untouched and false is returned.
    bool LoadWorkspace(const std::string& fileName, tVisibleVarsList& store);

    const std::string& FileName() const { return m_fileName; }
    tWorkspaceFault Fault() const { return m_fault; }
    // The failure in German, with the file name; empty after success.
    std::string Message() const;

private:
    std::string m_fileName;
    tWorkspaceFault m_fault = tWorkspaceFault::None;
    std::int32_t m_slotCount = 0; // of the last file read
    std::int32_t m_variableCount = 0;
};

} // namespace zelvora
