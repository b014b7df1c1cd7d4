// The session's door for the shelf and its matrix windows: lookups in the store, and the actions
// that change variables or windows, refused while a statement runs.
#include "interpreter/interpreter.h"
#include "interpreter/settings_module.h"
#include "ui/matrix_cell_edit.h"
#include "ui/session.h"
#include "ui/session_parts.h"
#include "ui/statement_lines.h"
#include "variables/display_list.h"
#include "variables/number_format.h"

#include <algorithm>
#include <cctype>
#include <exception>

namespace zelvora {

namespace {

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

tRunOutcome Refused()
{
    tRunOutcome refused;
    refused.Success = false;
    refused.Code = 1;
    refused.Message = RunBusyText;
    return refused;
}

} // namespace

std::int32_t tSession::VariableIndex(std::string_view name) const
{
    return m_parts->Store.IndexOf(name);
}

const tVariable* tSession::Variable(std::string_view name) const
{
    return m_parts->Store.Find(name);
}

std::vector<std::string> tSession::VariableNames() const
{
    return m_parts->Store.NameList();
}

bool tSession::HasVariable(std::string_view name) const
{
    return m_parts->Store.Contains(name);
}

std::int32_t tSession::MatrixVariableCount() const
{
    std::int32_t count = 0;
    for (std::int32_t index = 1; index <= m_parts->Store.Count(); ++index)
        count += m_parts->Store.Variable(index).shape == shMatrix ? 1 : 0;
    return count;
}

std::int32_t tSession::CopyCellWidth() const
{
    return m_parts->Store.CopyLayout().CellWidth;
}

std::string tSession::BeginCellEdit(tMatrixCellEdit& edit, std::int32_t index, std::int32_t row,
    std::int32_t col, std::string_view shown) const
{
    return edit.Begin(m_parts->Store, index, row, col, shown);
}

tRunOutcome tSession::DeleteAllMatrices()
{
    if (ShelfActionRefused())
        return Refused();
    std::string statement;
    for (std::int32_t index = 1; index <= m_parts->Store.Count(); ++index) {
        const tVariable& variable = m_parts->Store.Variable(index);
        if (variable.shape != shMatrix)
            continue;
        statement += statement.empty() ? "DELETE " : ", ";
        statement += NameInStatement(variable.name);
    }
    if (statement.empty())
        return {};
    if (!m_busy)
        return RunText(statement, m_parts->SettingsModule.Settings().ExamplesDirectory());
    // A demo waits for the user: the statement runs between the demo's, as its code blocks do.
    tCommandsList list;
    list.Initialise();
    LoadLines(list, { statement }, 0, 0);
    tRunOutcome result;
    try {
        const tRunResult run = m_parts->Interpreter.Docommands_WithJournalListingUndError(
            list, m_parts->SettingsModule.Settings().ExamplesDirectory());
        result.Success = run.Success;
        result.Code = run.Code;
        result.Message = run.Message;
        result.LastStatement = run.LastStatement;
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
        m_parts->Store.CloseWindow(index);
    return true;
}

bool tSession::HideAllWindows()
{
    if (ShelfActionRefused())
        return false;
    m_parts->Store.CloseAllWindows();
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
    tCellCommit commit = edit.Commit(m_parts->Store, text);
    if (commit.Stored && m_parts->Interpreter.Switches().JournalOn) {
        const tVariable& variable = m_parts->Store.Variable(index);
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
    return edit.Cancel(m_parts->Store);
}

bool tSession::CopyToClipboard(std::int32_t index, std::int32_t scheme)
{
    if (scheme != 0) {
        // A scheme changes the copy layout that running statements use.
        if (ShelfActionRefused())
            return false;
        ApplyScheme(scheme, m_parts->Store.CopyLayout(), m_parts->Store.DecimalSeparator());
    }
    m_parts->Store.CopyToClipboard(index);
    return true;
}

} // namespace zelvora
