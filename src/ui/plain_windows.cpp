// Matrix and scalar windows kept as plain data.
#include "ui/plain_windows.h"

#include <algorithm>

namespace zelvora {

tPlainMatrixWindow::tPlainMatrixWindow(
    std::int32_t index, tMatrixWindowClient& client, std::function<void()> changed)
    : m_client(client)
    , m_index(index)
    , m_changed(std::move(changed))
{
}

void tPlainMatrixWindow::SetCaption(std::string_view caption)
{
    m_caption = caption;
    m_changed();
}

void tPlainMatrixWindow::SetDataSize(std::int32_t rows, std::int32_t cols)
{
    m_rows = std::max(rows, 0);
    m_cols = std::max(cols, 0);
}

void tPlainMatrixWindow::SetVisible(bool visible)
{
    const bool appears = visible && !m_visible;
    m_visible = visible;
    if (appears)
        m_changed();
}

std::string tPlainMatrixWindow::CellText(std::int32_t row, std::int32_t col) const
{
    return m_client.CellText(m_index, row, col);
}

tPlainScalarWindow::tPlainScalarWindow(std::function<void()> changed)
    : m_changed(std::move(changed))
{
}

std::string tPlainScalarWindow::Cell(std::int32_t col, std::int32_t row) const
{
    return Inside(col, row) ? m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]
                            : std::string();
}

void tPlainScalarWindow::SetCell(std::int32_t col, std::int32_t row, std::string_view text)
{
    if (!Inside(col, row))
        return;
    auto& cells = m_rows[static_cast<std::size_t>(row)];
    cells[static_cast<std::size_t>(col)] = text;
    if (row >= 1
        && std::find(m_changedNames.begin(), m_changedNames.end(), cells[0])
            == m_changedNames.end())
        m_changedNames.push_back(cells[0]);
    m_changed();
}

void tPlainScalarWindow::AppendRow()
{
    m_rows.push_back({});
    m_changed();
}

void tPlainScalarWindow::DeleteRow(std::int32_t row)
{
    if (row >= 1 && row < RowCount()) {
        m_rows.erase(m_rows.begin() + row);
        m_changed();
    }
}

void tPlainScalarWindow::Show()
{
    m_whole = m_visible;
    m_visible = true;
    m_changed();
}

tPlainScalarWindow::tRows tPlainScalarWindow::TakeChangedRows(bool& whole)
{
    whole = m_whole;
    tRows rows;
    if (m_whole) {
        for (std::size_t r = 1; r < m_rows.size(); ++r)
            rows.emplace_back(m_rows[r][0], m_rows[r][1]);
    } else {
        for (const std::string& name : m_changedNames) {
            const auto row = std::find_if(m_rows.begin() + 1, m_rows.end(),
                [&name](const auto& cells) { return cells[0] == name; });
            if (row != m_rows.end())
                rows.emplace_back(name, (*row)[1]);
        }
    }
    DropChanges();
    return rows;
}

void tPlainScalarWindow::DropChanges()
{
    m_whole = false;
    m_changedNames.clear();
}

bool tPlainScalarWindow::Inside(std::int32_t col, std::int32_t row) const
{
    return col >= 0 && col <= 1 && row >= 0 && row < RowCount();
}

} // namespace zelvora
