// Recording fakes of the shelf, its matrix and scalar windows, the clipboard and the listing's
// pictures: they keep what the display list sent them, also after a window was closed.
#pragma once

#include "ports/picture_port.h"
#include "ports/shelf_port.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace zelvora::testing {

// State of one matrix window; it outlives the window so that tests can look at closed ones.
struct tRecordedMatrixWindow {
    std::int32_t Index = 0;
    std::string Caption;
    std::int32_t Icon = -1;
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
    std::vector<std::string> ColumnSamples;
    std::int32_t CellsChanges = 0;
    std::int32_t Layouts = 0;
    tWindowBounds Bounds { 0, 0, 100, 80 };
    bool Visible = false;
    bool Open = true;
    std::string MenuName; // the window menu entry, when one was added
    tMatrixWindowClient* Client = nullptr;

    // The cell text the window would draw, asked of the display list.
    std::string Cell(std::int32_t row, std::int32_t col) const
    {
        return Client ? Client->CellText(Index, row, col) : std::string();
    }
};

class tRecordingMatrixWindow : public tMatrixWindowPort {
public:
    explicit tRecordingMatrixWindow(std::shared_ptr<tRecordedMatrixWindow> state)
        : m_state(std::move(state))
    {
    }
    ~tRecordingMatrixWindow() override { m_state->Open = false; }
    void SetVariableIndex(std::int32_t index) override { m_state->Index = index; }
    void SetCaption(std::string_view caption) override { m_state->Caption = caption; }
    std::string Caption() const override { return m_state->Caption; }
    void SetIcon(std::int32_t picture) override { m_state->Icon = picture; }
    void SetDataSize(std::int32_t rows, std::int32_t cols) override
    {
        m_state->Rows = rows;
        m_state->Cols = cols;
    }
    std::int32_t DataRows() const override { return m_state->Rows; }
    std::int32_t DataCols() const override { return m_state->Cols; }
    void SetColumnSamples(const std::vector<std::string>& samples) override
    {
        m_state->ColumnSamples = samples;
    }
    void CellsChanged() override { ++m_state->CellsChanges; }
    void LayoutGrid() override { ++m_state->Layouts; }
    tWindowBounds Bounds() const override { return m_state->Bounds; }
    void SetBounds(const tWindowBounds& bounds) override { m_state->Bounds = bounds; }
    void SetVisible(bool visible) override { m_state->Visible = visible; }
    tPicture Picture(tPictureMode mode) const override
    {
        // A 1 x 1 picture whose red byte tells the mode apart.
        return { 1, 1, { static_cast<std::uint8_t>(mode == tPictureMode::Window ? 1 : 0), 0, 0 } };
    }

private:
    std::shared_ptr<tRecordedMatrixWindow> m_state;
};

struct tRecordedScalarWindow {
    std::vector<std::array<std::string, 2>> Rows { { "", "" } };
    bool HeaderFixed = false;
    std::int32_t Fits = 0;
    bool Shown = false;
    bool Open = true;
    tWindowBounds Bounds { 0, 0, 200, 40 };
};

class tRecordingScalarWindow : public tScalarWindowPort {
public:
    explicit tRecordingScalarWindow(std::shared_ptr<tRecordedScalarWindow> state)
        : m_state(std::move(state))
    {
    }
    ~tRecordingScalarWindow() override { m_state->Open = false; }
    std::int32_t RowCount() const override
    {
        return static_cast<std::int32_t>(m_state->Rows.size());
    }
    std::string Cell(std::int32_t col, std::int32_t row) const override
    {
        return m_state->Rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
    }
    void SetCell(std::int32_t col, std::int32_t row, std::string_view text) override
    {
        m_state->Rows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col)) = text;
    }
    void AppendRow() override
    {
        m_state->Rows.push_back({ "", "" });
        m_state->HeaderFixed = true;
    }
    void DeleteRow(std::int32_t row) override { m_state->Rows.erase(m_state->Rows.begin() + row); }
    void FitToRows() override { ++m_state->Fits; }
    tWindowBounds Bounds() const override { return m_state->Bounds; }
    void SetBounds(const tWindowBounds& bounds) override { m_state->Bounds = bounds; }
    void Show() override { m_state->Shown = true; }

private:
    std::shared_ptr<tRecordedScalarWindow> m_state;
};

class tRecordingShelf : public tShelfPort {
public:
    std::unique_ptr<tMatrixWindowPort> CreateMatrixWindow(
        std::int32_t index, tMatrixWindowClient& client) override
    {
        auto state = std::make_shared<tRecordedMatrixWindow>();
        state->Index = index;
        state->Client = &client;
        Windows.push_back(state);
        return std::make_unique<tRecordingMatrixWindow>(state);
    }
    std::int32_t ActiveCompartmentWindowCount() const override
    {
        std::int32_t count = 0;
        for (const auto& window : Windows)
            count += window->Open ? 1 : 0;
        return count;
    }
    tClientSize ActiveCompartmentClientSize() const override { return Client; }
    void AddWindowMenuEntry(std::string_view name, tMatrixWindowPort&) override
    {
        MenuEntries.emplace_back(name);
        Windows.back()->MenuName = name;
    }
    std::unique_ptr<tScalarWindowPort> CreateScalarWindow() override
    {
        ScalarWindows.push_back(std::make_shared<tRecordedScalarWindow>());
        return std::make_unique<tRecordingScalarWindow>(ScalarWindows.back());
    }
    std::int32_t CompartmentCount() const override { return Compartments; }
    void AddCompartment() override { ++Compartments; }
    void ActivateCompartment(std::int32_t n) override { ActiveCompartment = n; }
    void MoveToActiveCompartment(tMatrixWindowPort& window) override
    {
        Moved.push_back(window.Caption());
    }

    // The open window of the variable at index, or nullptr.
    tRecordedMatrixWindow* OpenWindowOf(std::int32_t index) const
    {
        for (const auto& window : Windows) {
            if (window->Open && window->Index == index)
                return window.get();
        }
        return nullptr;
    }
    // The newest scalar window when it is open, or nullptr.
    tRecordedScalarWindow* OpenScalarWindow() const
    {
        return !ScalarWindows.empty() && ScalarWindows.back()->Open ? ScalarWindows.back().get()
                                                                    : nullptr;
    }

    std::vector<std::shared_ptr<tRecordedMatrixWindow>> Windows; // in creation order
    std::vector<std::shared_ptr<tRecordedScalarWindow>> ScalarWindows;
    std::vector<std::string> MenuEntries;
    tClientSize Client { 800, 600 };
    std::int32_t Compartments = 1;
    std::int32_t ActiveCompartment = 1;
    std::vector<std::string> Moved; // captions of windows moved into the active compartment
};

class tRecordingClipboard : public tClipboardPort {
public:
    bool SetText(std::string_view text) override
    {
        Texts.emplace_back(text);
        return true;
    }
    bool SetPicture(const tPicture& picture) override
    {
        Pictures.push_back(picture);
        return true;
    }
    std::optional<std::string> Text() const override
    {
        return Texts.empty() ? std::nullopt : std::optional<std::string>(Texts.back());
    }
    std::vector<std::string> Texts;
    std::vector<tPicture> Pictures;
};

class tRecordingListingPictures : public tListingPicturePort {
public:
    void addBitmap(const tPicture& picture) override { Pictures.push_back(picture); }
    std::vector<tPicture> Pictures;
};

} // namespace zelvora::testing
