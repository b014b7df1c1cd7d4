// The session's door for the shelf and its matrix windows: lookups in the store, and the actions
// that change variables or windows, refused while a statement runs.
#include "text/name_fold.h"
#include "ui/session.h"
#include "variables/number_format.h"

#include <algorithm>
#include <cctype>
#include <exception>

namespace zelvora {

namespace {

// A string literal of the language: the text in double quotes, each quote doubled.
std::string StringLiteral(std::string_view text)
{
    std::string literal = "\"";
    for (char c : text) {
        literal += c;
        if (c == '"')
            literal += '"';
    }
    return literal + '"';
}

// A name as a statement writes it: plain when the scanner reads it as one name, else as a string
// literal, which DELETE takes as well.
std::string NameInStatement(std::string_view name)
{
    const bool plain = !name.empty() && !std::isdigit(static_cast<unsigned char>(name.front()))
        && std::all_of(name.begin(), name.end(), [](char c) {
               const auto u = static_cast<unsigned char>(c);
               return std::isalnum(u) || c == '_' || u >= 0xC0;
           });
    return plain ? std::string(name) : StringLiteral(name);
}

tOutermostRunResult Refused()
{
    tOutermostRunResult refused;
    refused.Success = false;
    refused.Code = 1;
    refused.Message = RunBusyText;
    return refused;
}

} // namespace

std::int32_t tSession::VariableIndex(std::string_view name) const
{
    const std::string folded = NameFold(name);
    for (std::int32_t index = 1; index <= m_store.Count(); ++index)
        if (NameFold(m_store.Variable(index).name) == folded)
            return index;
    return 0;
}

const tVariable* tSession::Variable(std::string_view name) const
{
    const std::int32_t index = VariableIndex(name);
    return index > 0 ? &m_store.Variable(index) : nullptr;
}

tOutermostRunResult tSession::DeleteAllMatrices()
{
    if (ShelfActionRefused())
        return Refused();
    std::string statement;
    for (std::int32_t index = 1; index <= m_store.Count(); ++index) {
        const tVariable& variable = m_store.Variable(index);
        if (variable.shape != shMatrix)
            continue;
        statement += statement.empty() ? "DELETE " : ", ";
        statement += NameInStatement(variable.name);
    }
    if (statement.empty())
        return {};
    if (!m_busy)
        return RunText(statement, m_settings.Settings().ExamplesDirectory());
    // A demo waits for the user: the statement runs between the demo's, as its code blocks do.
    tCommandsList list;
    list.Initialise();
    LoadLines(list, { statement }, 0, 0);
    tOutermostRunResult result;
    try {
        static_cast<tRunResult&>(result) = m_interpreter.Docommands_WithJournalListingUndError(
            list, m_settings.Settings().ExamplesDirectory());
    } catch (const std::exception& error) {
        // Called from a window event inside the demo's wait: nothing may leave through it.
        result.Success = false;
        result.RunTimeError = true;
        result.ErrorText = error.what();
    }
    return result;
}

bool tSession::HideWindows(const std::vector<std::int32_t>& indices)
{
    if (ShelfActionRefused())
        return false;
    for (std::int32_t index : indices)
        m_store.CloseWindow(index);
    return true;
}

bool tSession::HideAllWindows()
{
    if (ShelfActionRefused())
        return false;
    m_store.CloseAllWindows();
    return true;
}

tCellCommit tSession::CommitCellEdit(tMatrixCellEdit& edit, std::string_view text)
{
    if (!edit.Active())
        return {};
    if (ShelfActionRefused()) {
        tCellCommit refused;
        refused.ShownText = edit.Drop();
        refused.Message = RunBusyText;
        return refused;
    }
    const std::int32_t index = edit.Index();
    const std::int32_t row = edit.Row();
    const std::int32_t col = edit.Col();
    tCellCommit commit = edit.Commit(m_store, text);
    if (commit.Stored && m_interpreter.Switches().JournalOn) {
        const tVariable& variable = m_store.Variable(index);
        const std::string value = variable.datatype == dtString
            ? StringLiteral(variable.strmatrix(row, col))
            : GeneralText(variable.matrix(row, col), 18, 1, false, '.');
        m_journal.addline(NameInStatement(variable.name) + "[" + std::to_string(row) + ","
            + std::to_string(col) + "] = " + value + std::string(TextLineBreak));
    }
    return commit;
}

std::string tSession::CancelCellEdit(tMatrixCellEdit& edit)
{
    if (ShelfActionRefused())
        return edit.Drop();
    return edit.Cancel(m_store);
}

bool tSession::CopyToClipboard(std::int32_t index, std::int32_t scheme)
{
    if (scheme != 0) {
        // A scheme changes the copy layout that running statements use.
        if (ShelfActionRefused())
            return false;
        ApplyScheme(scheme, m_store.CopyLayout(), m_store.DecimalSeparator());
    }
    m_store.CopyToClipboard(index);
    return true;
}

} // namespace zelvora
