// The console's shelf: matrix and scalar windows kept as text and printed after each statement,
// and a clipboard that is not there.
#pragma once

#include "ports/picture_port.h"
#include "ui/counting_shelf.h"

#include <cstdio>
#include <string>
#include <vector>

namespace zelvora::cli {

class tConsoleWindow;

// Windows that were created or changed since the last print are printed as the window would show
// them: the caption with name and size, the header row and column and at most a screenful of
// cells. Of the scalar window only the new or changed scalars are printed, one "name = value"
// line each; the whole window when it is shown again (DISPLAY without names).
class tConsoleShelf : public tCountingShelf {
public:
    // maxRows x maxCols: the cells of a matrix window that fit on a screen.
    explicit tConsoleShelf(std::int32_t maxRows = 20, std::int32_t maxCols = 8);
    ~tConsoleShelf() override;

    std::unique_ptr<tMatrixWindowPort> CreateMatrixWindow(
        std::int32_t index, tMatrixWindowClient& client) override;
    std::int32_t ActiveCompartmentWindowCount() const override;
    std::unique_ptr<tScalarWindowPort> CreateScalarWindow() override;

    // The changed visible windows as text (Windows-1252, lines ending in '\n', a blank line after
    // each window), in the order of their first change; forgets the changes.
    std::string TakeChangesText();
    // TakeChangesText written to the stream as UTF-8.
    void PrintChanges(std::FILE* stream);
    // Forgets the changes without rendering them (the quiet console).
    void DiscardChanges();

    // Used by the windows.
    void MarkChanged(tConsoleWindow* window);
    void Forget(tConsoleWindow* window);
    std::int32_t MaxRows() const { return m_maxRows; }
    std::int32_t MaxCols() const { return m_maxCols; }

private:
    std::vector<tConsoleWindow*> m_windows; // open windows
    std::vector<tConsoleWindow*> m_changed; // in the order of their first change
    std::int32_t m_maxRows;
    std::int32_t m_maxCols;
};

// The base of the console's windows: printed when visible.
class tConsoleWindow {
public:
    virtual ~tConsoleWindow() = default;
    virtual bool IsVisible() const = 0;
    virtual bool IsMatrixWindow() const = 0;
    // What changed since the last print, as lines (a blank line closes a whole window); forgets
    // the changes.
    virtual std::vector<std::string> TakeLines() = 0;
    // Forgets the changes without rendering them.
    virtual void DropChanges() { }
};

// No clipboard on the console: copies fail with a note on stderr.
class tConsoleClipboard : public tClipboardPort {
public:
    bool SetText(std::string_view text) override;
    bool SetPicture(const tPicture& picture) override;
    std::optional<std::string> Text() const override { return std::nullopt; }
};

} // namespace zelvora::cli
