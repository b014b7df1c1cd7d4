// The display list: the variable store of the running program together with what is shown for
// each variable (a row of the scalar window or a matrix window on the shelf), kept parallel to the
// variable array, and the copy and listing layouts.
#pragma once

#include "ports/listing_port.h"
#include "ports/picture_port.h"
#include "ports/shelf_port.h"
#include "variables/text_layout.h"
#include "variables/variable_store.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// What is shown for one slot of the variable array.
struct tVisibleVarItem {
    std::uint8_t shape = shEmpty; // the variable's shape when its display was made
    std::uint8_t datatype = dtNone; // updated at every refresh
    bool hidden = false; // the matrix window is not to be shown
    std::int32_t scalarrow = 0; // row of a scalar in the scalar window
    bool windowopen = false;
    std::unique_ptr<tMatrixWindowPort> window; // the matrix window while it is open
    // LargestMagnitude of a real matrix, found when a cell is first drawn after a change.
    mutable std::optional<long double> largest;
    // The scalar's value cell was written once during a hold, and now waits for its end (see
    // HoldScalarTexts).
    bool scalarTextHeld = false;
    bool scalarTextPending = false;
};
using tVisibleVarsArr = std::vector<tVisibleVarItem>;

// The windows the display list reaches. Without a shelf nothing is shown; without a listing or
// clipboard the operations that need them write nothing.
struct tDisplayPorts {
    tShelfPort* Shelf = nullptr;
    tListingPort* Listing = nullptr;
    tListingPicturePort* ListingPictures = nullptr;
    tClipboardPort* Clipboard = nullptr;
};

// The name of a scalar that is stored but never shown.
inline constexpr std::string_view HiddenScalarName = "#EMPTY";

// The session's variables (a tVarClass it owns) and what is shown of them: it observes its store
// and keeps the windows, the listing and the clipboard in step with it. The store's operations
// are offered here as they are, so that every change reaches the observer.
class tVisibleVarsList : private tStoreObserver, public tMatrixWindowClient {
public:
    // An empty store with the default layouts and NewHidden off. decimalSeparator is the session's
    // for every number its windows show and for the schemes that take it; kept by Reset.
    explicit tVisibleVarsList(const tDisplayPorts& ports = {}, char decimalSeparator = '.');
    // Releases the open matrix windows from the highest index down, then the scalar window.
    ~tVisibleVarsList() override;
    tVisibleVarsList(const tVisibleVarsList&) = delete;
    tVisibleVarsList& operator=(const tVisibleVarsList&) = delete;

    const tDisplayPorts& Ports() const { return m_ports; }
    // The variables alone, for readers that show nothing (SAVE).
    const tVarClass& Variables() const { return m_variables; }

    // ---- The store's operations (tVarClass), each change shown.
    const tVariable* Find(std::string_view name) const { return m_variables.Find(name); }
    const tVariable* Find(std::string_view name, tStoreSlotMemo& memo) const
    {
        return m_variables.Find(name, memo);
    }
    std::int32_t IndexOf(std::string_view name) const { return m_variables.IndexOf(name); }
    bool Contains(std::string_view name) const { return m_variables.Contains(name); }
    bool Store(tVariable&& record) { return m_variables.Store(std::move(record)); }
    bool Store(const tVariable& record) { return m_variables.Store(record); }
    bool StoreFound(const tVariable* found, tVariable&& record)
    {
        return m_variables.StoreFound(found, std::move(record));
    }
    bool Add(tVariable record) { return m_variables.Add(std::move(record)); }
    bool Delete(std::int32_t index) { return m_variables.Delete(index); }
    bool Delete(std::string_view name) { return m_variables.Delete(name); }
    bool DeleteAll() { return m_variables.DeleteAll(); }
    std::vector<std::string> NameList() const { return m_variables.NameList(); }
    std::int32_t Count() const { return m_variables.Count(); }
    std::int32_t SlotCount() const { return m_variables.SlotCount(); }
    const tVariable& Variable(std::int32_t index) const { return m_variables.Variable(index); }
    void SetStrCell(std::int32_t index, std::int32_t row, std::int32_t column, std::string s)
    {
        m_variables.SetStrCell(index, row, column, std::move(s));
    }
    // Back to the state of a new store on the same windows: every window closed, no variables,
    // the default layouts, NewHidden off. The store keeps its identity for everyone holding it.
    void Reset();

    // The open matrix window of the matrix-like variable of that name, or null.
    tMatrixWindowPort* OpenWindow(std::string_view name) const;
    // The scalar window's row of the scalar of that name; 0 when it has none.
    std::int32_t ScalarRow(std::string_view name) const;

    // ---- What the store tells its observer.

    // A scalar gets its row in the scalar window (made and shown with the first scalar); a matrix,
    // range list or vector gets a window on the active compartment, cascaded by 24 pixels, hidden
    // when NewHidden is set.
    void ShowNew(std::int32_t index) override;
    // Rewrites the scalar's row, or, unless the item is hidden, the matrix window's caption, size
    // and cells (making the window when none is open). An integer element that does not round
    // into 32 bits raises tRangeError before the window is touched.
    void Refresh(std::int32_t index) override;
    // Deletes the scalar's row or closes the window of variable index, moves the items above it
    // down (telling windows their new index) and closes the scalar window when it has no rows.
    void RemoveShown(std::int32_t index) override;
    void ResizeShown(std::int32_t slots) override;

    // ---- Commands.

    // Rename plus captions: "new" for a matrix, "new (Range)", "new (Vector)", and the scalar's
    // name cell. False when oldName is unknown.
    bool RenameShown(std::string_view oldName, std::string_view newName)
    {
        return m_variables.Rename(oldName, newName);
    }
    // DISPLAY: a matrix-like variable is no longer hidden and is refreshed (its window made and
    // shown); a scalar's row is written again. By name: false when the name is unknown; by index:
    // always true.
    bool ShowVariable(std::string_view name);
    bool ShowVariable(std::int32_t index);
    // HIDE: the open window of a matrix-like variable that is not hidden is closed and the item
    // marked hidden. By name: false when the name is unknown; by index: always true.
    bool CloseWindow(std::int32_t index);
    bool CloseWindow(std::string_view name);
    void CloseAllWindows();
    // POSITION: record names the variable; its value's row 1 holds left, top, width, height (each
    // rounded, at least 0; missing ones stay). Moves the scalar window or the matrix window, unless
    // the name is unknown, the value is not numeric matrix-like or the item is hidden. True.
    bool PositionWindow(const tVariable& record);
    // LIST: a matrix-like variable rendered with the listing layout goes to the listing as a
    // table; other variables write nothing. False when the name is unknown.
    bool ListVariable(std::string_view name, bool quote);
    // LIST with a picture: the caption as a line, the window's or grid's picture, the line
    // "\r\n\r\n-bmp-". Writes nothing for a variable without an open window. False when unknown.
    bool ListPicture(std::string_view name, tPictureMode mode);
    // Writes one element in place (tVarClass::SetCell) and forgets what its window knew of the
    // matrix's magnitude.
    void SetCell(std::int32_t index, std::int32_t row, std::int32_t column, long double x);
    // The variable rendered with the copy layout, strings quoted, put on the clipboard.
    void CopyToClipboard(std::int32_t index);

    // The variable at index as text (empty for an unknown index or a shape without a rendering).
    std::string RenderText(std::int32_t index, const tTextLayout& layout, bool quote) const;
    // MakeScheme over this store's copy and listing layouts.
    tTextLayout MakeScheme(std::int32_t number, std::int32_t w, std::int32_t d) const;

    tTextLayout& CopyLayout() { return m_copyLayout; }
    const tTextLayout& CopyLayout() const { return m_copyLayout; }
    tTextLayout& ListingLayout() { return m_listingLayout; }
    const tTextLayout& ListingLayout() const { return m_listingLayout; }
    bool NewHidden() const { return m_newHidden; }
    void SetNewHidden(bool hidden) { m_newHidden = hidden; }
    // Numbers as the console shows them (ReadableRealCell for the cells, the cell format for the
    // scalars); a property of the front end, kept by Reset.
    bool ReadableNumbers() const { return m_readableNumbers; }
    void SetReadableNumbers(bool readable) { m_readableNumbers = readable; }
    char DecimalSeparator() const { return m_decimalSeparator; }
    // DISPLAY without names: shows the scalar window, when there is one, whole.
    void ShowScalarWindow();

    // ---- Scalar texts of a loop. While a hold lasts (holds nest), a stored scalar's value cell
    // is written at its first store and then once more when the last hold ends or at
    // FlushScalarTexts, not at every store: a macro repeated a million times would otherwise
    // format its scalars a million times.
    void HoldScalarTexts() { ++m_scalarTextHolds; }
    void ReleaseScalarTexts();
    // Writes the value cells that wait; nothing when none waits.
    void FlushScalarTexts();

    // The display item of slot index (an empty item outside the array).
    const tVisibleVarItem& Item(std::int32_t index) const;
    bool HasScalarWindow() const { return m_scalarWindow != nullptr; }

    // ---- What the matrix windows ask.
    std::string CellText(std::int32_t index, std::int32_t row, std::int32_t col) const override;
    void WindowClosedByUser(std::int32_t index) override;

private:
    // The captions of a renamed variable; all windows released before the store is cleared.
    void Renamed(std::int32_t index) override;
    void Clearing() override;

    bool IsShownIndex(std::int32_t index) const;
    void MakeWindow(std::int32_t index);
    void WriteScalar(const tVariable& variable);
    void CloseMatrixWindow(tVisibleVarItem& item);
    // Closes the open matrix windows from the highest index down, then the scalar window.
    void ReleaseWindows();

    tVarClass m_variables;
    tDisplayPorts m_ports;
    tVisibleVarsArr m_items;
    std::unique_ptr<tScalarWindowPort> m_scalarWindow;
    tTextLayout m_copyLayout;
    tTextLayout m_listingLayout;
    char m_decimalSeparator;
    bool m_newHidden = false;
    bool m_readableNumbers = false;
    std::int32_t m_scalarTextHolds = 0;
    bool m_scalarTextsPending = false;
};

// The text of a scalar's value cell: an integer in decimal, a real in the general format with 15
// digits, "TRUE" or "FALSE", a string as it is, "<nil>" for any other datatype.
std::string ScalarValueText(const tVariable& variable, char decimalSeparator);
// Shapes shown in a matrix window: matrix, range list, vector.
bool IsMatrixLike(std::uint8_t shape);
// The scalar's value as shown: readable, a number in the layout's cell format (ReadableRealCell,
// without padding); otherwise ScalarValueText.
std::string ScalarDisplayText(
    const tVariable& variable, const tTextLayout& layout, bool readable, char decimalSeparator);
// Cell (row, col) of a matrix-like value as its window shows it with the layout ("." for a missing
// number; readable: ReadableRealCell for reals); empty outside the value. A real element whose
// magnitude is below NoiseRatio times largest (the LargestMagnitude of its matrix) is rounding
// noise beside the matrix's other values and shows as 0 in the matrix's format.
std::string VariableCellText(const tVariable& variable, std::int32_t row, std::int32_t col,
    const tTextLayout& layout, bool readable, char decimalSeparator, long double largest = 0);
// Below this fraction of its matrix's largest magnitude an element shows as 0.
inline constexpr long double NoiseRatio = 1e-15L;
// The largest magnitude among the finite elements of a real matrix-like value, missing numbers
// left out; 0 for any other value.
long double LargestMagnitude(const tVariable& variable);

} // namespace zelvora
