// Matrix and scalar windows kept as plain data, for front ends that print them as text (the
// console) or send them on (the notebook kernel): they keep what the display list tells them and
// report every change through a callback.
#pragma once

#include "ports/shelf_port.h"

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zelvora {

class tPlainMatrixWindow : public tMatrixWindowPort {
public:
    // changed: called when the caption, the cells or the visibility changed.
    tPlainMatrixWindow(
        std::int32_t index, tMatrixWindowClient& client, std::function<void()> changed);

    void SetVariableIndex(std::int32_t index) override { m_index = index; }
    void SetCaption(std::string_view caption) override;
    std::string Caption() const override { return m_caption; }
    void SetIcon(std::int32_t) override { }
    void SetDataSize(std::int32_t rows, std::int32_t cols) override;
    std::int32_t DataRows() const override { return m_rows; }
    std::int32_t DataCols() const override { return m_cols; }
    void SetColumnSamples(const std::vector<std::string>&) override { }
    void CellsChanged() override { m_changed(); }
    void LayoutGrid() override { }
    tWindowBounds Bounds() const override { return m_bounds; }
    void SetBounds(const tWindowBounds& bounds) override { m_bounds = bounds; }
    void SetVisible(bool visible) override;
    tPicture Picture(tPictureMode) const override { return {}; }

    bool Visible() const { return m_visible; }
    // Text of data cell (row, col), both from 1, as the display list gives it.
    std::string CellText(std::int32_t row, std::int32_t col) const;

private:
    tMatrixWindowClient& m_client;
    std::int32_t m_index;
    std::function<void()> m_changed;
    std::string m_caption;
    std::int32_t m_rows = 0;
    std::int32_t m_cols = 0;
    tWindowBounds m_bounds;
    bool m_visible = false;
};

class tPlainScalarWindow : public tScalarWindowPort {
public:
    using tRows = std::vector<std::pair<std::string, std::string>>; // name, value

    explicit tPlainScalarWindow(std::function<void()> changed);

    std::int32_t RowCount() const override { return static_cast<std::int32_t>(m_rows.size()); }
    std::string Cell(std::int32_t col, std::int32_t row) const override;
    void SetCell(std::int32_t col, std::int32_t row, std::string_view text) override;
    void AppendRow() override;
    void DeleteRow(std::int32_t row) override;
    void FitToRows() override { }
    tWindowBounds Bounds() const override { return m_bounds; }
    void SetBounds(const tWindowBounds& bounds) override { m_bounds = bounds; }
    // Made visible with its first scalar; shown again on request (DISPLAY without names), every
    // row counts as changed.
    void Show() override;

    bool Visible() const { return m_visible; }
    // The rows written since the last call, in the order of their first change; all rows, and
    // whole set, when the window was shown again. Forgets the changes.
    tRows TakeChangedRows(bool& whole);
    void DropChanges();

private:
    bool Inside(std::int32_t col, std::int32_t row) const;

    std::function<void()> m_changed;
    std::vector<std::array<std::string, 2>> m_rows { 1 };
    std::vector<std::string> m_changedNames; // names of the rows written since the last take
    tWindowBounds m_bounds;
    bool m_visible = false;
    bool m_whole = false;
};

} // namespace zelvora
