// Matrix and scalar windows of the console, printed as text.
#include "console_display.h"

#include "console_ports.h"
#include "ui/matrix_window_text.h"

#include <algorithm>
#include <array>

namespace zelvora::cli {
namespace {

class tConsoleMatrixWindow : public tMatrixWindowPort, public tConsoleWindow {
public:
    tConsoleMatrixWindow(tConsoleShelf& shelf, std::int32_t index, tMatrixWindowClient& client)
        : m_shelf(shelf)
        , m_client(client)
        , m_index(index)
    {
    }
    ~tConsoleMatrixWindow() override { m_shelf.Forget(this); }

    void SetVariableIndex(std::int32_t index) override { m_index = index; }
    void SetCaption(std::string_view caption) override
    {
        m_caption = caption;
        Changed();
    }
    std::string Caption() const override { return m_caption; }
    void SetIcon(std::int32_t) override { }
    void SetDataSize(std::int32_t rows, std::int32_t cols) override
    {
        m_rows = std::max(rows, 0);
        m_cols = std::max(cols, 0);
    }
    std::int32_t DataRows() const override { return m_rows; }
    std::int32_t DataCols() const override { return m_cols; }
    void SetColumnSamples(const std::vector<std::string>&) override { }
    void CellsChanged() override { Changed(); }
    void LayoutGrid() override
    {
        m_bounds = GridWindowBounds(m_bounds, m_shelf.ActiveCompartmentClientSize(),
            GridHeaderColumnWidth, 8 * GridPixelsPerCellChar, GridRowHeight, m_rows, m_cols);
    }
    tWindowBounds Bounds() const override { return m_bounds; }
    void SetBounds(const tWindowBounds& bounds) override { m_bounds = bounds; }
    void SetVisible(bool visible) override
    {
        if (visible && !m_visible)
            Changed();
        m_visible = visible;
    }
    tPicture Picture(tPictureMode) const override { return {}; }

    bool IsVisible() const override { return m_visible; }
    bool IsMatrixWindow() const override { return true; }
    std::vector<std::string> TakeLines() override
    {
        std::vector<std::string> lines = MatrixWindowLines(
            m_caption, m_rows, m_cols,
            [this](std::int32_t r, std::int32_t c) { return m_client.CellText(m_index, r, c); },
            m_shelf.MaxRows(), m_shelf.MaxCols());
        lines.emplace_back();
        return lines;
    }

private:
    void Changed() { m_shelf.MarkChanged(this); }

    tConsoleShelf& m_shelf;
    tMatrixWindowClient& m_client;
    std::int32_t m_index;
    std::string m_caption;
    std::int32_t m_rows = 0;
    std::int32_t m_cols = 0;
    tWindowBounds m_bounds;
    bool m_visible = false;
};

class tConsoleScalarWindow : public tScalarWindowPort, public tConsoleWindow {
public:
    explicit tConsoleScalarWindow(tConsoleShelf& shelf)
        : m_shelf(shelf)
    {
    }
    ~tConsoleScalarWindow() override { m_shelf.Forget(this); }

    std::int32_t RowCount() const override { return static_cast<std::int32_t>(m_rows.size()); }
    std::string Cell(std::int32_t col, std::int32_t row) const override
    {
        return Inside(col, row)
            ? m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]
            : std::string();
    }
    void SetCell(std::int32_t col, std::int32_t row, std::string_view text) override
    {
        if (!Inside(col, row))
            return;
        auto& cells = m_rows[static_cast<std::size_t>(row)];
        cells[static_cast<std::size_t>(col)] = text;
        if (row >= 1 && std::find(m_changed.begin(), m_changed.end(), cells[0]) == m_changed.end())
            m_changed.push_back(cells[0]);
        m_shelf.MarkChanged(this);
    }
    void AppendRow() override
    {
        m_rows.push_back({});
        m_shelf.MarkChanged(this);
    }
    void DeleteRow(std::int32_t row) override
    {
        if (row >= 1 && row < RowCount()) {
            m_rows.erase(m_rows.begin() + row);
            m_shelf.MarkChanged(this);
        }
    }
    void FitToRows() override { }
    tWindowBounds Bounds() const override { return m_bounds; }
    void SetBounds(const tWindowBounds& bounds) override { m_bounds = bounds; }
    void Show() override
    {
        // Made visible with its first scalar; shown again on request, then printed whole.
        m_whole = m_visible;
        m_visible = true;
        m_shelf.MarkChanged(this);
    }

    bool IsVisible() const override { return m_visible; }
    bool IsMatrixWindow() const override { return false; }
    std::vector<std::string> TakeLines() override
    {
        std::vector<std::string> lines;
        if (m_whole) {
            std::vector<std::pair<std::string, std::string>> rows;
            for (std::size_t r = 1; r < m_rows.size(); ++r)
                rows.emplace_back(m_rows[r][0], m_rows[r][1]);
            lines = ScalarWindowLines(rows);
            lines.emplace_back();
        } else {
            for (const std::string& name : m_changed) {
                const auto row = std::find_if(m_rows.begin() + 1, m_rows.end(),
                    [&name](const auto& cells) { return cells[0] == name; });
                if (row != m_rows.end())
                    lines.push_back(name + " = " + (*row)[1]);
            }
        }
        DropChanges();
        return lines;
    }
    void DropChanges() override
    {
        m_whole = false;
        m_changed.clear();
    }

private:
    bool Inside(std::int32_t col, std::int32_t row) const
    {
        return col >= 0 && col <= 1 && row >= 0 && row < RowCount();
    }

    tConsoleShelf& m_shelf;
    std::vector<std::array<std::string, 2>> m_rows { 1 };
    std::vector<std::string> m_changed; // names of the rows written since the last print
    tWindowBounds m_bounds;
    bool m_visible = false;
    bool m_whole = false;
};

} // namespace

tConsoleShelf::tConsoleShelf(std::int32_t maxRows, std::int32_t maxCols)
    : m_maxRows(maxRows)
    , m_maxCols(maxCols)
{
}

tConsoleShelf::~tConsoleShelf() = default;

std::unique_ptr<tMatrixWindowPort> tConsoleShelf::CreateMatrixWindow(
    std::int32_t index, tMatrixWindowClient& client)
{
    auto window = std::make_unique<tConsoleMatrixWindow>(*this, index, client);
    m_windows.push_back(window.get());
    return window;
}

std::int32_t tConsoleShelf::ActiveCompartmentWindowCount() const
{
    return static_cast<std::int32_t>(std::count_if(m_windows.begin(), m_windows.end(),
        [](const tConsoleWindow* window) { return window->IsMatrixWindow(); }));
}

std::unique_ptr<tScalarWindowPort> tConsoleShelf::CreateScalarWindow()
{
    auto window = std::make_unique<tConsoleScalarWindow>(*this);
    m_windows.push_back(window.get());
    return window;
}

void tConsoleShelf::MarkChanged(tConsoleWindow* window)
{
    if (std::find(m_changed.begin(), m_changed.end(), window) == m_changed.end())
        m_changed.push_back(window);
}

void tConsoleShelf::Forget(tConsoleWindow* window)
{
    std::erase(m_windows, window);
    std::erase(m_changed, window);
}

std::string tConsoleShelf::TakeChangesText()
{
    std::string text;
    for (tConsoleWindow* window : m_changed) {
        for (const std::string& line : window->TakeLines()) {
            if (window->IsVisible())
                text += line + "\n";
        }
    }
    m_changed.clear();
    return text;
}

void tConsoleShelf::DiscardChanges()
{
    for (tConsoleWindow* window : m_changed)
        window->DropChanges();
    m_changed.clear();
}

void tConsoleShelf::PrintChanges(std::FILE* stream)
{
    const std::string text = TakeChangesText();
    if (!text.empty())
        PrintText(stream, text);
}

bool tConsoleClipboard::SetText(std::string_view)
{
    std::fflush(stdout);
    std::fputs("zelvora-cli: keine Zwischenablage vorhanden\n", stderr);
    return false;
}

bool tConsoleClipboard::SetPicture(const tPicture&)
{
    std::fflush(stdout);
    std::fputs("zelvora-cli: keine Zwischenablage vorhanden\n", stderr);
    return false;
}

} // namespace zelvora::cli
