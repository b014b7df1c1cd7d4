// Workspace files on disk: written through a temporary file, read whole before the store changes.
#include "variables/workspace_file.h"

#include "text/replacing_file.h"
#include "variables/file_contents.h"

namespace zelvora {
bool tdiskWorkspace::SaveWorkspace(const std::string& fileName, const tVarClass& store)
{
    m_fileName = fileName;
    m_fault = tWorkspaceFault::CannotWrite;
    tReplacingFile file(fileName); // a symbolic link is followed, so that it stays a link
    if (!file.IsOpen())
        return false;
    tWorkspaceWriter writer(file.Stream());
    const bool written = writer.Write(store.SlotCount(), store.Count(),
        [&store](std::int32_t index) -> const tVariable& { return store.Variable(index); });
    if (!written || !file.Commit())
        return false;
    m_fault = tWorkspaceFault::None;
    return true;
}

bool tdiskWorkspace::LoadWorkspace(const std::string& fileName, tVisibleVarsList& store)
{
    m_fileName = fileName;
    std::optional<tWorkspaceContent> content;
    {
        // Mapped: a large workspace is parsed straight from the page cache.
        const std::optional<tFileContents> file
            = tFileContents::Read(fileName, nullptr, nullptr, tFileHold::Map);
        if (!file) {
            m_fault = tWorkspaceFault::CannotOpen;
            return false;
        }
        content = ReadWorkspace(file->View(), m_fault);
    }
    if (!content)
        return false;
    m_slotCount = content->SlotCount;
    m_variableCount = static_cast<std::int32_t>(content->Variables.size());

    // The old variables close their windows before the new ones cascade on the shelf.
    store.Reset();
    // All records are added before any is refreshed, so that a refresh that raises a run-time
    // error (an integer beyond 32 bits) cannot lose the variables after it.
    std::vector<std::int32_t> added;
    for (tVariable& variable : content->Variables) {
        const std::int32_t before = store.Count();
        store.Add(std::move(variable));
        if (store.Count() > before)
            added.push_back(store.Count());
    }
    for (std::int32_t index : added)
        store.Refresh(index);
    return true;
}

std::string tdiskWorkspace::Message() const
{
    switch (m_fault) {
    case tWorkspaceFault::None:
        return {};
    case tWorkspaceFault::CannotOpen:
        return "Arbeitsbereich " + m_fileName + " kann nicht gelesen werden";
    case tWorkspaceFault::NotAWorkspace:
        return m_fileName + " ist keine Arbeitsbereichsdatei";
    case tWorkspaceFault::Damaged:
        return "Arbeitsbereich " + m_fileName
            + " ist unvollst\xE4ndig oder besch\xE4"
              "digt";
    case tWorkspaceFault::CannotWrite:
        return "Arbeitsbereich " + m_fileName + " kann nicht geschrieben werden";
    }
    return {};
}

} // namespace zelvora
