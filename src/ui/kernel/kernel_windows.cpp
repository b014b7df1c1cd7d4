// The windows of a notebook kernel.
#include "ui/kernel/kernel_windows.h"

#include "text/base64.h"
#include "ui/graphics/png_writer.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace zelvora {
namespace {

class tKernelMatrixWindow : public tMatrixWindowPort, public tKernelWindow {
public:
    tKernelMatrixWindow(tKernelShelf& shelf, std::int32_t index, tMatrixWindowClient& client)
        : m_shelf(shelf)
        , m_client(client)
        , m_index(index)
    {
    }
    ~tKernelMatrixWindow() override { m_shelf.Forget(this); }

    void SetVariableIndex(std::int32_t index) override { m_index = index; }
    void SetCaption(std::string_view caption) override
    {
        m_caption = caption;
        m_shelf.MarkChanged(this);
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
    void CellsChanged() override { m_shelf.MarkChanged(this); }
    void LayoutGrid() override { }
    tWindowBounds Bounds() const override { return m_bounds; }
    void SetBounds(const tWindowBounds& bounds) override { m_bounds = bounds; }
    void SetVisible(bool visible) override
    {
        if (visible && !m_visible)
            m_shelf.MarkChanged(this);
        m_visible = visible;
    }
    tPicture Picture(tPictureMode) const override { return {}; }

    bool IsMatrixWindow() const override { return true; }
    std::vector<tJsonValue> TakeChangedTables() override
    {
        if (!m_visible)
            return {};
        return { MatrixTableJson(
            m_caption, m_rows, m_cols,
            [this](std::int32_t r, std::int32_t c) { return m_client.CellText(m_index, r, c); },
            m_shelf.Limits()) };
    }

private:
    tKernelShelf& m_shelf;
    tMatrixWindowClient& m_client;
    std::int32_t m_index;
    std::string m_caption;
    std::int32_t m_rows = 0;
    std::int32_t m_cols = 0;
    tWindowBounds m_bounds;
    bool m_visible = false;
};

class tKernelScalarWindow : public tScalarWindowPort, public tKernelWindow {
public:
    explicit tKernelScalarWindow(tKernelShelf& shelf)
        : m_shelf(shelf)
    {
    }
    ~tKernelScalarWindow() override { m_shelf.Forget(this); }

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
    void AppendRow() override { m_rows.push_back({}); }
    void DeleteRow(std::int32_t row) override
    {
        if (row >= 1 && row < RowCount())
            m_rows.erase(m_rows.begin() + row);
    }
    void FitToRows() override { }
    tWindowBounds Bounds() const override { return m_bounds; }
    void SetBounds(const tWindowBounds& bounds) override { m_bounds = bounds; }
    void Show() override
    {
        // Shown again on request (DISPLAY without names): every scalar is sent.
        if (m_visible) {
            for (std::size_t r = 1; r < m_rows.size(); ++r) {
                if (std::find(m_changed.begin(), m_changed.end(), m_rows[r][0]) == m_changed.end())
                    m_changed.push_back(m_rows[r][0]);
            }
        }
        m_visible = true;
        m_shelf.MarkChanged(this);
    }

    bool IsMatrixWindow() const override { return false; }
    std::vector<tJsonValue> TakeChangedTables() override
    {
        std::vector<tJsonValue> tables;
        for (const std::string& name : m_changed) {
            const auto row = std::find_if(m_rows.begin() + 1, m_rows.end(),
                [&name](const auto& cells) { return cells[0] == name; });
            if (row != m_rows.end())
                tables.push_back(ScalarJson(name, (*row)[1]));
        }
        m_changed.clear();
        return tables;
    }

private:
    bool Inside(std::int32_t col, std::int32_t row) const
    {
        return col >= 0 && col <= 1 && row >= 0 && row < RowCount();
    }

    tKernelShelf& m_shelf;
    std::vector<std::array<std::string, 2>> m_rows { 1 };
    std::vector<std::string> m_changed; // names of the rows written since the last send
    tWindowBounds m_bounds;
    bool m_visible = false;
};

} // namespace

void tKernelCommandWindow::ShowWarning(std::string_view text)
{
    m_emit(tJsonValue::Object({ { "event", "warning" }, { "text", JsonText(text) } }));
}

void tKernelCommandWindow::ShowOutput(std::string_view text)
{
    m_emit(tJsonValue::Object({ { "event", "output" }, { "text", JsonText(text) } }));
}

tKernelShelf::tKernelShelf(tKernelEmit emit, tTableLimits limits)
    : m_emit(std::move(emit))
    , m_limits(limits)
{
}

tKernelShelf::~tKernelShelf() = default;

std::unique_ptr<tMatrixWindowPort> tKernelShelf::CreateMatrixWindow(
    std::int32_t index, tMatrixWindowClient& client)
{
    auto window = std::make_unique<tKernelMatrixWindow>(*this, index, client);
    m_windows.push_back(window.get());
    return window;
}

std::int32_t tKernelShelf::ActiveCompartmentWindowCount() const
{
    return static_cast<std::int32_t>(std::count_if(m_windows.begin(), m_windows.end(),
        [](const tKernelWindow* window) { return window->IsMatrixWindow(); }));
}

std::unique_ptr<tScalarWindowPort> tKernelShelf::CreateScalarWindow()
{
    auto window = std::make_unique<tKernelScalarWindow>(*this);
    m_windows.push_back(window.get());
    return window;
}

void tKernelShelf::SendChanges()
{
    // Taken first: sending may not change the list while it is walked.
    const std::vector<tKernelWindow*> changed = std::exchange(m_changed, {});
    for (tKernelWindow* window : changed) {
        for (tJsonValue& table : window->TakeChangedTables())
            m_emit(tJsonValue::Object({ { "event", "variable" }, { "table", std::move(table) } }));
    }
}

void tKernelShelf::MarkChanged(tKernelWindow* window)
{
    if (std::find(m_changed.begin(), m_changed.end(), window) == m_changed.end())
        m_changed.push_back(window);
}

void tKernelShelf::Forget(tKernelWindow* window)
{
    std::erase(m_windows, window);
    std::erase(m_changed, window);
}

bool tKernelPictures::Keep(const std::string& path, const std::string& bytes)
{
    const std::filesystem::path file(path);
    const std::string name = file.stem().string();
    auto pending = std::find_if(m_pending.begin(), m_pending.end(),
        [&name](const tPending& picture) { return picture.Name == name; });
    if (pending == m_pending.end())
        pending = m_pending.insert(m_pending.end(), tPending { name, {}, {} });
    (file.extension() == ".png" ? pending->Png : pending->Svg) = bytes;
    return true;
}

void tKernelPictures::KeepBitmap(const tPicture& picture)
{
    std::string png = EncodePng(picture);
    if (!png.empty())
        m_pending.push_back({ "listing-" + std::to_string(++m_listingCount), {}, std::move(png) });
}

void tKernelPictures::SendPictures()
{
    for (const tPending& picture : std::exchange(m_pending, {})) {
        tJsonValue event
            = tJsonValue::Object({ { "event", "picture" }, { "name", JsonText(picture.Name) } });
        if (!picture.Svg.empty())
            event.Set("svg", Base64Encode(picture.Svg));
        if (!picture.Png.empty())
            event.Set("png", Base64Encode(picture.Png));
        m_emit(std::move(event));
    }
}

} // namespace zelvora
