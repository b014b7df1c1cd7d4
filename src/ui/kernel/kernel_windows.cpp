// The windows of a notebook kernel.
#include "ui/kernel/kernel_windows.h"

#include "text/base64.h"
#include "ui/graphics/png_writer.h"
#include "ui/plain_windows.h"

#include <algorithm>
#include <filesystem>

namespace zelvora {
namespace {

class tKernelMatrixWindow : public tPlainMatrixWindow, public tKernelWindow {
public:
    tKernelMatrixWindow(tKernelShelf& shelf, std::int32_t index, tMatrixWindowClient& client)
        : tPlainMatrixWindow(index, client, [this] { m_shelf.MarkChanged(this); })
        , m_shelf(shelf)
    {
    }
    ~tKernelMatrixWindow() override { m_shelf.Forget(this); }

    bool IsMatrixWindow() const override { return true; }
    std::vector<tJsonValue> TakeChangedTables() override
    {
        if (!Visible())
            return {};
        return { MatrixTableJson(
            Caption(), DataRows(), DataCols(),
            [this](std::int32_t r, std::int32_t c) { return CellText(r, c); }, m_shelf.Limits()) };
    }

private:
    tKernelShelf& m_shelf;
};

class tKernelScalarWindow : public tPlainScalarWindow, public tKernelWindow {
public:
    explicit tKernelScalarWindow(tKernelShelf& shelf)
        : tPlainScalarWindow([this] { m_shelf.MarkChanged(this); })
        , m_shelf(shelf)
    {
    }
    ~tKernelScalarWindow() override { m_shelf.Forget(this); }

    bool IsMatrixWindow() const override { return false; }
    // One table per scalar written since the last send, every scalar when the window was shown
    // again (DISPLAY without names).
    std::vector<tJsonValue> TakeChangedTables() override
    {
        bool whole = false;
        std::vector<tJsonValue> tables;
        for (const auto& [name, value] : TakeChangedRows(whole))
            tables.push_back(ScalarJson(name, value));
        return tables;
    }

private:
    tKernelShelf& m_shelf;
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
