// The shelf and its windows as the display list reaches them: matrix windows on compartments and
// the one scalar window.
#pragma once

#include "ports/picture_port.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

struct tWindowBounds {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const tWindowBounds&) const = default;
};

struct tClientSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// Picture modes of a matrix window: the grid's visible data area, or the whole window with a title.
enum class tPictureMode : std::int32_t { Grid = 0, Window = 1 };

// What a matrix window asks of the variables it shows. The display list answers.
class tMatrixWindowClient {
public:
    virtual ~tMatrixWindowClient() = default;
    // Text of data cell (row, col), both from 1, of the variable at index as the window shows it;
    // empty outside the variable. Never throws.
    virtual std::string CellText(std::int32_t index, std::int32_t row, std::int32_t col) const = 0;
    // The user closed the window of the variable at index: its display becomes hidden and the
    // window port is released (within this call).
    virtual void WindowClosedByUser(std::int32_t index) = 0;
};

// One matrix window: a caption, an icon and a grid with a fixed header row and column. Releasing
// the port closes the window (a close by command).
class tMatrixWindowPort {
public:
    virtual ~tMatrixWindowPort() = default;
    // The index of the window's variable, kept up to date when variables below it go.
    virtual void SetVariableIndex(std::int32_t index) = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual std::string Caption() const = 0;
    // Picture k of the matrix icons: 0 vector, 1 matrix, 2 plain matrix, 3 range list.
    virtual void SetIcon(std::int32_t picture) = 0;
    // Data rows and columns of the grid (the fixed row and column not counted).
    virtual void SetDataSize(std::int32_t rows, std::int32_t cols) = 0;
    virtual std::int32_t DataRows() const = 0;
    virtual std::int32_t DataCols() const = 0;
    // Column c (1..cols) becomes as wide as samples[c] drawn in the grid's font; samples[0] unused.
    virtual void SetColumnSamples(const std::vector<std::string>& samples) = 0;
    // The cells' texts changed; the window asks the client for those it shows.
    virtual void CellsChanged() = 0;
    // Writes the header row and column and sizes the window to its grid within the shelf.
    virtual void LayoutGrid() = 0;
    virtual tWindowBounds Bounds() const = 0;
    virtual void SetBounds(const tWindowBounds& bounds) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual tPicture Picture(tPictureMode mode) const = 0;
};

// The scalar window: a grid of two columns (0 name, 1 value) whose row 0 is a header.
class tScalarWindowPort {
public:
    virtual ~tScalarWindowPort() = default;
    // Grid rows, row 0 included.
    virtual std::int32_t RowCount() const = 0;
    virtual std::string Cell(std::int32_t col, std::int32_t row) const = 0;
    virtual void SetCell(std::int32_t col, std::int32_t row, std::string_view text) = 0;
    // Appends an empty row; the first appended row turns row 0 into a fixed header row.
    virtual void AppendRow() = 0;
    // Deletes row (1..RowCount-1); the rows below move up.
    virtual void DeleteRow(std::int32_t row) = 0;
    // Sizes the columns and the window to the rows.
    virtual void FitToRows() = 0;
    virtual tWindowBounds Bounds() const = 0;
    virtual void SetBounds(const tWindowBounds& bounds) = 0;
    virtual void Show() = 0;
};

// The shelf: compartments holding the matrix windows, a window menu, the scalar window.
class tShelfPort {
public:
    virtual ~tShelfPort() = default;
    // A new, invisible matrix window for the variable at index on the active compartment.
    virtual std::unique_ptr<tMatrixWindowPort> CreateMatrixWindow(
        std::int32_t index, tMatrixWindowClient& client)
        = 0;
    // Number of matrix windows on the active compartment, and its client area.
    virtual std::int32_t ActiveCompartmentWindowCount() const = 0;
    virtual tClientSize ActiveCompartmentClientSize() const = 0;
    // Appends an entry with the variable's name to the window menu; clicking it brings the window
    // to the front while the window exists.
    virtual void AddWindowMenuEntry(std::string_view name, tMatrixWindowPort& window) = 0;
    // A new scalar window with one row (row 0) and nothing else.
    virtual std::unique_ptr<tScalarWindowPort> CreateScalarWindow() = 0;

    // Compartments, numbered from 1; one exists from the start.
    virtual std::int32_t CompartmentCount() const = 0;
    virtual void AddCompartment() = 0;
    // Makes compartment n (1..count) the active one.
    virtual void ActivateCompartment(std::int32_t n) = 0;
    // Moves the window into the active compartment unless it is there already.
    virtual void MoveToActiveCompartment(tMatrixWindowPort& window) = 0;
};

} // namespace zelvora
