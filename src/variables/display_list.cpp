// The display list: scalar rows and matrix windows that follow the variables of the store.
#include "variables/display_list.h"

#include "numerics/scalar_math.h"
#include "text/name_fold.h"
#include "variables/number_format.h"

#include <algorithm>
#include <cmath>

namespace zelvora {
namespace {

// Icons of the matrix windows.
constexpr std::int32_t IconVector = 0;
constexpr std::int32_t IconMatrix = 1;
constexpr std::int32_t IconPlainMatrix = 2;
constexpr std::int32_t IconRange = 3;

constexpr std::int32_t CascadeStep = 24;

bool IsNumeric(std::uint8_t datatype)
{
    return datatype == dtInteger || datatype == dtReal || datatype == dtBoolean;
}

// Rounds to nearest (ties to even) into 0..INT32_MAX; NaN gives 0. For window coordinates.
std::int32_t RoundedCoordinate(long double x)
{
    if (std::isnan(x))
        return 0;
    const long double rounded = std::nearbyint(std::clamp<long double>(x, 0, INT32_MAX));
    return static_cast<std::int32_t>(rounded);
}

// The integer cell of an element. An element that is no whole number or lies out of 32 bits
// (possible only after an edit in place) shows as a real, as it is stored, instead of rounded.
std::string IntegerCellText(
    const tTextLayout& layout, long double x, bool readable, char decimalSeparator)
{
    std::int64_t rounded = 0;
    if (x == std::trunc(x) && TryRoundToInt64(x, &rounded) && rounded >= INT32_MIN
        && rounded <= INT32_MAX)
        return FormatIntCell(layout, static_cast<std::int32_t>(rounded));
    return readable ? ReadableRealCell(layout, x, decimalSeparator)
                    : FormatRealCell(layout, x, decimalSeparator);
}

// Raises tRangeError when an element of the shown part does not round into 32 bits.
void CheckIntegerCells(const tVariable& v, std::int32_t rows, std::int32_t cols)
{
    for (std::int32_t r = 1; r <= rows; ++r) {
        for (std::int32_t c = 1; c <= cols; ++c) {
            if (v.matrix.Contains(r, c))
                RoundToInt32(v.matrix(r, c));
        }
    }
}

// Per column the longest element (by character count, the first of equal length) and a blank.
std::vector<std::string> ColumnSamples(const tStringmatrix& m, std::int32_t rows, std::int32_t cols)
{
    std::vector<std::string> samples(static_cast<std::size_t>(std::max(cols, 0)) + 1);
    for (std::int32_t c = 1; c <= cols; ++c) {
        const std::string* longest = nullptr;
        for (std::int32_t r = 1; r <= rows; ++r) {
            if (m.Contains(r, c) && (!longest || m(r, c).size() > longest->size()))
                longest = &m(r, c);
        }
        samples[static_cast<std::size_t>(c)] = (longest ? *longest : std::string()) + " ";
    }
    return samples;
}

std::int32_t CascadeOffset(std::int32_t k, std::int32_t extent)
{
    if (extent <= 0)
        return 0;
    const std::int64_t offset = (std::int64_t { CascadeStep } * k - CascadeStep) % extent;
    return static_cast<std::int32_t>(offset < 0 ? offset + extent : offset);
}

} // namespace

std::string ScalarValueText(const tVariable& variable, char decimalSeparator)
{
    switch (variable.datatype) {
    case dtInteger:
        return std::to_string(variable.intvalue);
    case dtReal:
        return GeneralText15(variable.realvalue, decimalSeparator);
    case dtBoolean:
        return BoolText(variable.boolvalue != 0);
    case dtString:
        return variable.strvalue;
    default:
        return "<nil>";
    }
}

bool IsMatrixLike(std::uint8_t shape)
{
    return shape == shMatrix || shape == shRange || shape == shVector;
}

std::string ScalarDisplayText(
    const tVariable& variable, const tTextLayout& layout, bool readable, char decimalSeparator)
{
    if (!readable || variable.datatype != dtReal)
        return ScalarValueText(variable, decimalSeparator);
    if (variable.realvalue == MissingValue())
        return MissingCellText;
    const std::string text = ReadableRealCell(layout, variable.realvalue, decimalSeparator);
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? text : text.substr(first);
}

tVisibleVarsList::tVisibleVarsList(const tDisplayPorts& ports, char decimalSeparator)
    : m_ports(ports)
    , m_items(static_cast<std::size_t>(m_variables.SlotCount()))
    , m_copyLayout(DefaultCopyLayout())
    , m_listingLayout(DefaultListingLayout())
    , m_decimalSeparator(decimalSeparator)
{
    m_variables.SetObserver(this);
}

tVisibleVarsList::~tVisibleVarsList()
{
    ReleaseWindows();
    m_variables.SetObserver(nullptr);
}

void tVisibleVarsList::Clearing()
{
    ReleaseWindows();
}

void tVisibleVarsList::Reset()
{
    m_variables.ClearStore();
    m_items = tVisibleVarsArr(static_cast<std::size_t>(SlotCount()));
    m_copyLayout = DefaultCopyLayout();
    m_listingLayout = DefaultListingLayout();
    m_newHidden = false;
    m_scalarTextsPending = false;
}

void tVisibleVarsList::ReleaseWindows()
{
    for (std::int32_t i
         = std::min<std::int32_t>(Count(), static_cast<std::int32_t>(m_items.size()) - 1);
         i >= 1; --i)
        CloseMatrixWindow(m_items[static_cast<std::size_t>(i)]);
    m_scalarWindow.reset();
}

bool tVisibleVarsList::IsShownIndex(std::int32_t index) const
{
    return index >= 1 && index <= Count() && static_cast<std::size_t>(index) < m_items.size();
}

const tVisibleVarItem& tVisibleVarsList::Item(std::int32_t index) const
{
    static const tVisibleVarItem none;
    return index >= 0 && static_cast<std::size_t>(index) < m_items.size()
        ? m_items[static_cast<std::size_t>(index)]
        : none;
}

tMatrixWindowPort* tVisibleVarsList::OpenWindow(std::string_view name) const
{
    const tVisibleVarItem& item = Item(IndexOf(name));
    return IsMatrixLike(item.shape) ? item.window.get() : nullptr;
}

std::int32_t tVisibleVarsList::ScalarRow(std::string_view name) const
{
    const tVisibleVarItem& item = Item(IndexOf(name));
    return item.shape == shScalar ? item.scalarrow : 0;
}

void tVisibleVarsList::CloseMatrixWindow(tVisibleVarItem& item)
{
    item.window.reset();
    item.windowopen = false;
}

void tVisibleVarsList::WriteScalar(const tVariable& variable)
{
    tScalarWindowPort& window = *m_scalarWindow;
    std::int32_t row = 0;
    for (std::int32_t r = 1; r < window.RowCount() && row == 0; ++r) {
        if (FoldedEqual(window.Cell(0, r), variable.name))
            row = r;
    }
    if (row == 0) {
        window.AppendRow();
        row = window.RowCount() - 1;
        window.SetCell(0, row, variable.name);
    }
    window.SetCell(
        1, row, ScalarDisplayText(variable, m_copyLayout, m_readableNumbers, m_decimalSeparator));
    window.FitToRows();
}

void tVisibleVarsList::MakeWindow(std::int32_t index)
{
    const tVariable& v = Variable(index);
    tVisibleVarItem& item = m_items[static_cast<std::size_t>(index)];
    tShelfPort& shelf = *m_ports.Shelf;
    std::unique_ptr<tMatrixWindowPort> window = shelf.CreateMatrixWindow(index, *this);

    const std::int32_t rows = VarRows(v);
    const std::int32_t cols = VarCols(v);
    std::string caption = v.name;
    switch (v.shape) {
    case shMatrix:
        window->SetIcon(v.tag == tgPlain ? IconPlainMatrix : IconMatrix);
        caption += "  " + std::to_string(rows) + "x" + std::to_string(cols);
        break;
    case shRange:
        window->SetIcon(IconRange);
        caption += "  " + std::to_string(rows);
        break;
    default:
        window->SetIcon(IconVector);
        caption += "  " + std::to_string(std::max(rows, cols));
        break;
    }
    window->SetCaption(caption);
    window->SetDataSize(rows, cols);

    const std::int32_t k = shelf.ActiveCompartmentWindowCount();
    const tClientSize client = shelf.ActiveCompartmentClientSize();
    tWindowBounds bounds = window->Bounds();
    bounds.Left = CascadeOffset(k, client.Width);
    bounds.Top = CascadeOffset(k, client.Height);
    window->SetBounds(bounds);
    window->LayoutGrid();
    shelf.AddWindowMenuEntry(v.name, *window);

    item.windowopen = true;
    item.window = std::move(window);
    item.shape = v.shape;
    item.datatype = v.datatype;
}

void tVisibleVarsList::ShowNew(std::int32_t index)
{
    if (!IsShownIndex(index))
        return;
    const tVariable& v = Variable(index);
    tVisibleVarItem& item = m_items[static_cast<std::size_t>(index)];
    item.shape = v.shape;
    item.datatype = v.datatype;
    item.largest.reset();
    if (v.shape == shScalar) {
        item.windowopen = false;
        if (v.name == HiddenScalarName || !m_ports.Shelf)
            return;
        if (!m_scalarWindow) {
            m_scalarWindow = m_ports.Shelf->CreateScalarWindow();
            m_scalarWindow->Show();
        }
        WriteScalar(v);
        item.scalarrow = m_scalarWindow->RowCount() - 1;
    } else if (IsMatrixLike(v.shape)) {
        item.hidden = m_newHidden;
        if (!m_ports.Shelf)
            return;
        MakeWindow(index);
        item.window->SetVisible(!m_newHidden);
    }
}

void tVisibleVarsList::Refresh(std::int32_t index)
{
    if (!IsShownIndex(index))
        return;
    const tVariable& v = Variable(index);
    tVisibleVarItem& item = m_items[static_cast<std::size_t>(index)];
    if (v.shape == shScalar) {
        item.datatype = v.datatype;
        if (!m_scalarWindow || v.name == HiddenScalarName)
            return;
        if (m_scalarTextHolds > 0) {
            // The first store of a hold writes at once, so that the window's rows change in the
            // order the variables were first stored; the later ones wait.
            m_scalarTextsPending = true;
            if (item.scalarTextHeld) {
                item.scalarTextPending = true;
                return;
            }
            item.scalarTextHeld = true;
        }
        item.scalarTextPending = false;
        WriteScalar(v);
        return;
    }
    if (!IsMatrixLike(v.shape) || item.hidden || !m_ports.Shelf)
        return;

    const std::int32_t rows = VarRows(v);
    const std::int32_t cols = VarCols(v);
    if (v.datatype == dtInteger)
        CheckIntegerCells(v, rows, cols);

    bool layout = false;
    if (!item.windowopen) {
        MakeWindow(index);
        layout = true;
    } else if (item.window->DataRows() != rows || item.window->DataCols() != cols) {
        layout = true;
    }
    item.largest.reset();
    tMatrixWindowPort& window = *item.window;
    window.SetDataSize(rows, cols);
    window.SetCaption(v.name + " " + std::to_string(rows) + "x" + std::to_string(cols));
    if (v.datatype == dtString)
        window.SetColumnSamples(ColumnSamples(v.strmatrix, rows, cols));
    window.CellsChanged();
    if (layout)
        window.LayoutGrid();
    item.datatype = v.datatype;
    window.SetVisible(true);
}

void tVisibleVarsList::RemoveShown(std::int32_t index)
{
    if (!IsShownIndex(index))
        return;
    tVisibleVarItem& removed = m_items[static_cast<std::size_t>(index)];
    std::int32_t deletedRow = 0;
    if (removed.shape == shScalar && m_scalarWindow && removed.scalarrow >= 1
        && removed.scalarrow < m_scalarWindow->RowCount()) {
        deletedRow = removed.scalarrow;
        m_scalarWindow->DeleteRow(deletedRow);
        m_scalarWindow->FitToRows();
    }
    CloseMatrixWindow(removed);

    const std::int32_t count = Count();
    for (std::int32_t i = index; i < count; ++i) {
        tVisibleVarItem& item = m_items[static_cast<std::size_t>(i)];
        item = std::move(m_items[static_cast<std::size_t>(i) + 1]);
        if (item.shape == shScalar && deletedRow > 0 && item.scalarrow > deletedRow)
            --item.scalarrow;
        if (item.window)
            item.window->SetVariableIndex(i);
    }
    m_items[static_cast<std::size_t>(count)] = tVisibleVarItem();

    if (m_scalarWindow && m_scalarWindow->RowCount() < 2)
        m_scalarWindow.reset();
}

void tVisibleVarsList::ResizeShown(std::int32_t slots)
{
    m_items.resize(static_cast<std::size_t>(std::max(slots, 0)));
}

void tVisibleVarsList::Renamed(std::int32_t index)
{
    if (!IsShownIndex(index))
        return;
    const tVariable& v = Variable(index);
    tVisibleVarItem& item = m_items[static_cast<std::size_t>(index)];
    if (item.window) {
        if (item.shape == shMatrix)
            item.window->SetCaption(v.name);
        else if (item.shape == shRange)
            item.window->SetCaption(v.name + " (Range)");
        else if (item.shape == shVector)
            item.window->SetCaption(v.name + " (Vector)");
    } else if (item.shape == shScalar && m_scalarWindow && item.scalarrow >= 1
        && item.scalarrow < m_scalarWindow->RowCount()) {
        m_scalarWindow->SetCell(0, item.scalarrow, v.name);
        m_scalarWindow->FitToRows();
    }
}

bool tVisibleVarsList::ShowVariable(std::string_view name)
{
    const std::int32_t index = IndexOf(name);
    return index != 0 && ShowVariable(index);
}

bool tVisibleVarsList::ShowVariable(std::int32_t index)
{
    if (!IsShownIndex(index))
        return true;
    const tVariable& v = Variable(index);
    if (IsMatrixLike(v.shape)) {
        m_items[static_cast<std::size_t>(index)].hidden = false;
        Refresh(index);
    } else if (v.shape == shScalar && m_scalarWindow && v.name != HiddenScalarName) {
        m_items[static_cast<std::size_t>(index)].scalarTextPending = false;
        WriteScalar(v);
    }
    return true;
}

void tVisibleVarsList::ReleaseScalarTexts()
{
    if (m_scalarTextHolds > 0 && --m_scalarTextHolds == 0)
        FlushScalarTexts();
}

void tVisibleVarsList::FlushScalarTexts()
{
    if (!m_scalarTextsPending)
        return;
    m_scalarTextsPending = false;
    for (std::int32_t i = 1; IsShownIndex(i); ++i) {
        tVisibleVarItem& item = m_items[static_cast<std::size_t>(i)];
        item.scalarTextHeld = false;
        if (!item.scalarTextPending)
            continue;
        item.scalarTextPending = false;
        const tVariable& v = Variable(i);
        if (m_scalarWindow && v.shape == shScalar && v.name != HiddenScalarName)
            WriteScalar(v);
    }
}

void tVisibleVarsList::ShowScalarWindow()
{
    if (m_scalarWindow)
        m_scalarWindow->Show();
}

bool tVisibleVarsList::CloseWindow(std::int32_t index)
{
    if (!IsShownIndex(index) || !IsMatrixLike(Variable(index).shape))
        return true;
    tVisibleVarItem& item = m_items[static_cast<std::size_t>(index)];
    if (!item.hidden && item.windowopen) {
        CloseMatrixWindow(item);
        item.hidden = true;
    }
    return true;
}

bool tVisibleVarsList::CloseWindow(std::string_view name)
{
    const std::int32_t index = IndexOf(name);
    return index != 0 && CloseWindow(index);
}

void tVisibleVarsList::CloseAllWindows()
{
    for (std::int32_t i = Count(); i >= 1; --i)
        CloseWindow(i);
}

void tVisibleVarsList::WindowClosedByUser(std::int32_t index)
{
    if (!IsShownIndex(index))
        return;
    tVisibleVarItem& item = m_items[static_cast<std::size_t>(index)];
    CloseMatrixWindow(item);
    item.hidden = true;
}

bool tVisibleVarsList::PositionWindow(const tVariable& record)
{
    if (!IsMatrixLike(record.shape) || !IsNumeric(record.datatype) || record.matrix.Rows() < 1)
        return true;
    const std::int32_t index = IndexOf(record.name);
    if (!IsShownIndex(index))
        return true;
    const tVisibleVarItem& item = m_items[static_cast<std::size_t>(index)];
    if (item.hidden)
        return true;

    auto place = [&record](tWindowBounds bounds) {
        std::int32_t* fields[4] = { &bounds.Left, &bounds.Top, &bounds.Width, &bounds.Height };
        const std::int32_t given = std::min<std::int32_t>(record.matrix.Cols(), 4);
        for (std::int32_t c = 1; c <= given; ++c)
            *fields[c - 1] = RoundedCoordinate(record.matrix(1, c));
        return bounds;
    };
    if (item.shape == shScalar && m_scalarWindow)
        m_scalarWindow->SetBounds(place(m_scalarWindow->Bounds()));
    else if (IsMatrixLike(item.shape) && item.window)
        item.window->SetBounds(place(item.window->Bounds()));
    return true;
}

std::string tVisibleVarsList::RenderText(
    std::int32_t index, const tTextLayout& layout, bool quote) const
{
    if (!IsShownIndex(index))
        return {};
    return zelvora::RenderText(Variable(index), layout, quote);
}

tTextLayout tVisibleVarsList::MakeScheme(std::int32_t number, std::int32_t w, std::int32_t d) const
{
    return zelvora::MakeScheme(number, w, d, m_copyLayout, m_listingLayout, m_decimalSeparator);
}

bool tVisibleVarsList::ListVariable(std::string_view name, bool quote)
{
    const std::int32_t index = IndexOf(name);
    if (index == 0)
        return false;
    if (m_ports.Listing && IsMatrixLike(Variable(index).shape))
        m_ports.Listing->addTable(RenderText(index, m_listingLayout, quote));
    return true;
}

bool tVisibleVarsList::ListPicture(std::string_view name, tPictureMode mode)
{
    const std::int32_t index = IndexOf(name);
    if (index == 0)
        return false;
    if (!IsShownIndex(index) || !IsMatrixLike(Variable(index).shape))
        return true;
    const tVisibleVarItem& item = m_items[static_cast<std::size_t>(index)];
    if (!item.window || !m_ports.Listing)
        return true;
    m_ports.Listing->addline(item.window->Caption());
    if (m_ports.ListingPictures)
        m_ports.ListingPictures->addBitmap(item.window->Picture(mode));
    m_ports.Listing->addline("\r\n\r\n-bmp-");
    return true;
}

void tVisibleVarsList::CopyToClipboard(std::int32_t index)
{
    if (!m_ports.Clipboard || !IsShownIndex(index) || !IsMatrixLike(Variable(index).shape))
        return;
    m_ports.Clipboard->SetText(RenderText(index, m_copyLayout, true));
}

std::string tVisibleVarsList::CellText(std::int32_t index, std::int32_t row, std::int32_t col) const
{
    if (!IsShownIndex(index))
        return {};
    const tVariable& v = Variable(index);
    const tVisibleVarItem& item = m_items[static_cast<std::size_t>(index)];
    if (!item.largest)
        item.largest = LargestMagnitude(v);
    return VariableCellText(
        v, row, col, m_copyLayout, m_readableNumbers, m_decimalSeparator, *item.largest);
}

void tVisibleVarsList::SetCell(
    std::int32_t index, std::int32_t row, std::int32_t column, long double x)
{
    m_variables.SetCell(index, row, column, x);
    if (IsShownIndex(index))
        m_items[static_cast<std::size_t>(index)].largest.reset();
}

long double LargestMagnitude(const tVariable& v)
{
    if (!IsMatrixLike(v.shape) || v.datatype != dtReal)
        return 0;
    long double largest = 0;
    const long double missing = MissingValue();
    for (std::int32_t r = 1; r <= v.matrix.Rows(); ++r) {
        const long double* row = v.matrix.Row(r);
        for (std::int32_t c = 1; c <= v.matrix.Cols(); ++c) {
            const long double size = std::fabs(row[c]);
            if (std::isfinite(size) && size > largest && row[c] != missing)
                largest = size;
        }
    }
    return largest;
}

std::string VariableCellText(const tVariable& v, std::int32_t row, std::int32_t col,
    const tTextLayout& layout, bool readable, char decimalSeparator, long double largest)
{
    if (!IsMatrixLike(v.shape) || row < 1 || col < 1 || row > VarRows(v) || col > VarCols(v))
        return {};
    if (v.datatype == dtString)
        return v.strmatrix.Contains(row, col) ? v.strmatrix(row, col) : std::string();
    if (!v.matrix.Contains(row, col))
        return {};
    const long double x = v.matrix(row, col);
    // A missing number (from a CSV cell without one) shows as missing, not as a number.
    if ((v.datatype == dtInteger || v.datatype == dtReal) && x == MissingValue())
        return MissingCellText;
    switch (v.datatype) {
    case dtInteger:
        return IntegerCellText(layout, x, readable, decimalSeparator);
    case dtReal: {
        const long double shown = std::fabs(x) < largest * NoiseRatio ? 0.0L : x;
        return readable ? ReadableRealCell(layout, shown, decimalSeparator)
                        : FormatRealCell(layout, shown, decimalSeparator);
    }
    case dtBoolean:
        return BoolText(std::isnan(x) || std::nearbyint(x) != 0);
    default:
        return {};
    }
}

} // namespace zelvora
