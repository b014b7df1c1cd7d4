// Matrix and scalar windows of the console, printed as text.
#include "console_display.h"

#include "console_ports.h"
#include "ui/matrix_window_text.h"
#include "ui/plain_windows.h"

#include <algorithm>

namespace zelvora::cli {
namespace {

class tConsoleMatrixWindow : public tPlainMatrixWindow, public tConsoleWindow {
public:
    tConsoleMatrixWindow(tConsoleShelf& shelf, std::int32_t index, tMatrixWindowClient& client)
        : tPlainMatrixWindow(index, client, [this] { m_shelf.MarkChanged(this); })
        , m_shelf(shelf)
    {
    }
    ~tConsoleMatrixWindow() override { m_shelf.Forget(this); }

    void LayoutGrid() override
    {
        SetBounds(
            GridWindowBounds(Bounds(), m_shelf.ActiveCompartmentClientSize(), GridHeaderColumnWidth,
                8 * GridPixelsPerCellChar, GridRowHeight, DataRows(), DataCols()));
    }

    bool IsVisible() const override { return Visible(); }
    bool IsMatrixWindow() const override { return true; }
    std::vector<std::string> TakeLines() override
    {
        std::vector<std::string> lines = MatrixWindowLines(
            Caption(), DataRows(), DataCols(),
            [this](std::int32_t r, std::int32_t c) { return CellText(r, c); }, m_shelf.MaxRows(),
            m_shelf.MaxCols());
        lines.emplace_back();
        return lines;
    }

private:
    tConsoleShelf& m_shelf;
};

class tConsoleScalarWindow : public tPlainScalarWindow, public tConsoleWindow {
public:
    explicit tConsoleScalarWindow(tConsoleShelf& shelf)
        : tPlainScalarWindow([this] { m_shelf.MarkChanged(this); })
        , m_shelf(shelf)
    {
    }
    ~tConsoleScalarWindow() override { m_shelf.Forget(this); }

    bool IsVisible() const override { return Visible(); }
    bool IsMatrixWindow() const override { return false; }
    // Only the new or changed scalars, one "name = value" line each; the whole window when it was
    // shown again.
    std::vector<std::string> TakeLines() override
    {
        bool whole = false;
        const tRows rows = TakeChangedRows(whole);
        if (whole) {
            std::vector<std::string> lines = ScalarWindowLines(rows);
            lines.emplace_back();
            return lines;
        }
        std::vector<std::string> lines;
        for (const auto& [name, value] : rows)
            lines.push_back(name + " = " + value);
        return lines;
    }
    void DropChanges() override { tPlainScalarWindow::DropChanges(); }

private:
    tConsoleShelf& m_shelf;
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
