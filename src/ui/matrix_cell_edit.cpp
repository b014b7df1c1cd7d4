#include "ui/matrix_cell_edit.h"

#include "numerics/decimal_text.h"
#include "variables/display_list.h"
#include "variables/number_format.h"

#include <cmath>
#include <optional>

namespace zelvora {

namespace {

bool IsNumeric(std::uint8_t datatype)
{
    return datatype == dtInteger || datatype == dtReal;
}

// A finite number written with '.' as its point, blanks around it allowed; nothing otherwise.
std::optional<long double> NumberOfCellText(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    long double value = 0;
    if (ReadDecimal(text, value) != tDecimalRead::Number)
        return std::nullopt;
    return value;
}

} // namespace

std::string EditedCellText(long double x)
{
    const long double size = std::fabs(x);
    if (size <= 1e-10L)
        return {};
    if (size <= 1e-6L)
        return "0.0...";
    return TextNumber(x, 6, 3);
}

std::string tMatrixCellEdit::Begin(const tVisibleVarsList& store, std::int32_t index,
    std::int32_t row, std::int32_t col, std::string_view shownText)
{
    const tVariable& v = store.Variable(index);
    m_index = index;
    m_row = row;
    m_col = col;
    m_shape = v.shape;
    m_datatype = v.datatype;
    m_shownText = shownText;
    m_oldString.clear();
    m_oldValue = 0;
    if (v.datatype == dtString) {
        if (v.strmatrix.Contains(row, col))
            m_oldString = v.strmatrix(row, col);
        return m_oldString;
    }
    if (!v.matrix.Contains(row, col))
        return {};
    m_oldValue = v.matrix(row, col);
    std::string text = GeneralText(m_oldValue, 15, 1, false, '.');
    for (char& ch : text)
        if (ch == ',')
            ch = '.';
    return text;
}

bool tMatrixCellEdit::StillTheSameCell(const tVisibleVarsList& store) const
{
    if (m_index < 1 || m_index > store.Count())
        return false;
    const tVariable& v = store.Variable(m_index);
    return v.shape == m_shape && v.datatype == m_datatype && m_row <= VarRows(v)
        && m_col <= VarCols(v);
}

std::string tMatrixCellEdit::CellName(const tVisibleVarsList& store) const
{
    const std::string name = m_index >= 1 && m_index <= store.Count() ? store.Variable(m_index).name
                                                                      : std::string("?");
    return "Zelle (" + std::to_string(m_row) + "," + std::to_string(m_col) + ") von " + name;
}

tCellCommit tMatrixCellEdit::Commit(tVisibleVarsList& store, std::string_view text)
{
    tCellCommit commit;
    if (!Active())
        return commit;
    if (!StillTheSameCell(store)) {
        commit.ShownText = m_shownText;
        commit.Message = CellName(store)
            + ": die Variable hat sich inzwischen ge\xE4ndert; die Eingabe wird verworfen.";
    } else if (IsNumeric(m_datatype)) {
        if (const auto value = NumberOfCellText(text)) {
            store.SetCell(m_index, m_row, m_col, *value);
            commit.ShownText = EditedCellText(*value);
            commit.Stored = m_shape == shMatrix;
        } else {
            commit.ShownText = m_shownText;
            commit.Message = CellName(store) + ": \"" + std::string(text)
                + "\" ist keine Zahl; der Wert bleibt unver\xE4ndert.";
        }
    } else if (m_datatype == dtString) {
        store.SetStrCell(m_index, m_row, m_col, std::string(text));
        commit.ShownText = text;
        commit.Stored = m_shape == shMatrix;
    } else {
        // Boolean cells are not written from the window; the cell keeps showing the value.
        commit.ShownText = m_shownText;
    }
    Forget();
    return commit;
}

std::string tMatrixCellEdit::Cancel(tVisibleVarsList& store)
{
    if (!Active())
        return {};
    if (StillTheSameCell(store)) {
        if (m_datatype == dtString)
            store.SetStrCell(m_index, m_row, m_col, m_oldString);
        else if (IsNumeric(m_datatype))
            store.SetCell(m_index, m_row, m_col, m_oldValue);
    }
    Forget();
    return m_shownText;
}

std::string tMatrixCellEdit::Drop()
{
    if (!Active())
        return {};
    Forget();
    return m_shownText;
}

} // namespace zelvora
