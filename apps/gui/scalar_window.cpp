#include "scalar_window.h"

#include "matrix_grid_view.h"
#include "program_text.h"
#include "ui/matrix_window_text.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace zelvora::gui {

namespace {

constexpr int InitialNameWidth = 48;
constexpr int InitialValueWidth = 150;
// Margins around the grid inside the window, as the window's sizing rule counts them.
constexpr int MarginX = 7;
constexpr int MarginY = 4;
// Room above and below a row's text.
constexpr int RowPadding = 4;

// Room around a cell's text: the style's text margins on both sides and a little air.
int ScalarCellPadding(const QTableWidget& grid)
{
    const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    return 2 * margin + 8;
}

// Row 0 is the header row: its cells are painted like a header and cannot be selected.
void MakeHeaderRow(QTableWidget& grid)
{
    for (int col = 0; col < 2; ++col) {
        QTableWidgetItem* item = grid.item(0, col);
        if (!item) {
            item = new QTableWidgetItem();
            grid.setItem(0, col, item);
        }
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(grid.palette().button());
        QFont bold = GridFont();
        bold.setBold(true);
        item->setFont(bold);
    }
}

} // namespace

tScalarWidget::tScalarWidget(QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_grid(new QTableWidget(1, 2, this))
{
    setWindowTitle(ToQString(ScalarWindowCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(MarginX, MarginY, MarginX, MarginY);
    layout->addWidget(m_grid);
    m_grid->setFont(GridFont());
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(GridRowHeight);
    m_grid->verticalHeader()->setMinimumSectionSize(8);
    m_grid->setColumnWidth(0, InitialNameWidth);
    m_grid->setColumnWidth(1, InitialValueWidth);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setWordWrap(false);
    m_grid->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Name")));
    m_grid->setItem(0, 1, new QTableWidgetItem(QStringLiteral("Wert")));
}

void tScalarWidget::closeEvent(QCloseEvent* event)
{
    event->ignore(); // only a command closes the scalar window
}

tScalarWindow::tScalarWindow(QWidget* parent)
    : m_widget(new tScalarWidget(parent))
{
}

tScalarWindow::~tScalarWindow()
{
    delete m_widget.data();
}

std::int32_t tScalarWindow::RowCount() const
{
    return m_widget->Grid()->rowCount();
}

std::string tScalarWindow::Cell(std::int32_t col, std::int32_t row) const
{
    const QTableWidgetItem* item = m_widget->Grid()->item(row, col);
    return item ? ToProgramText(item->text()) : std::string();
}

void tScalarWindow::SetCell(std::int32_t col, std::int32_t row, std::string_view text)
{
    QTableWidget* grid = m_widget->Grid();
    if (row < 0 || row >= grid->rowCount() || col < 0 || col > 1)
        return;
    QTableWidgetItem* item = grid->item(row, col);
    if (!item) {
        item = new QTableWidgetItem();
        grid->setItem(row, col, item);
    }
    item->setText(ToQString(text));
    if (col == 1)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void tScalarWindow::AppendRow()
{
    QTableWidget* grid = m_widget->Grid();
    grid->insertRow(grid->rowCount());
    if (grid->rowCount() == 2)
        MakeHeaderRow(*grid);
}

void tScalarWindow::DeleteRow(std::int32_t row)
{
    if (row >= 1 && row < RowCount())
        m_widget->Grid()->removeRow(row);
}

// Every column as wide as its widest text in the grid's font (the header row bold), and every row
// as high as the font needs; the window as large as the grid, up to the screen's height, beyond
// which the grid scrolls.
void tScalarWindow::FitToRows()
{
    QTableWidget* grid = m_widget->Grid();
    QFont boldFont = grid->font();
    boldFont.setBold(true);
    const QFontMetrics plain(grid->font());
    const QFontMetrics bold(boldFont);
    const int padding = ScalarCellPadding(*grid);
    int widths[2] = { 0, 0 };
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int col = 0; col < 2; ++col) {
            const QTableWidgetItem* item = grid->item(row, col);
            const QString text = item ? item->text() : QString();
            const QFontMetrics& metrics = row == 0 ? bold : plain;
            widths[col] = std::max(widths[col], metrics.horizontalAdvance(text) + padding);
        }
    }
    // The name column keeps at least the width of 6 pixels per character plus 18.
    std::vector<std::string> names;
    for (int row = 0; row < grid->rowCount(); ++row)
        names.push_back(Cell(0, row));
    widths[0] = std::max(widths[0], ScalarWindowSize(names, {}, 0, 0).NameColumnWidth);
    const int rowHeight = std::max<int>(GridRowHeight, plain.height() + RowPadding);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->setRowHeight(row, rowHeight);
    grid->setColumnWidth(0, widths[0]);
    grid->setColumnWidth(1, widths[1]);

    const int frame = 2 * grid->frameWidth();
    const int wholeHeight = rowHeight * grid->rowCount() + frame;
    const QScreen* screen = m_widget->screen();
    const int highest = screen ? screen->availableGeometry().height() * 3 / 4 : wholeHeight;
    const int height = std::min(wholeHeight, std::max(highest, rowHeight * 2 + frame));
    int width = widths[0] + widths[1] + frame;
    if (height < wholeHeight)
        width += grid->verticalScrollBar()->sizeHint().width();
    grid->setFixedSize(width, height);
    m_widget->resize(width + 2 * MarginX, height + 2 * MarginY);
}

tWindowBounds tScalarWindow::Bounds() const
{
    const QRect g = m_widget->geometry();
    return { g.left(), g.top(), g.width(), g.height() };
}

void tScalarWindow::SetBounds(const tWindowBounds& bounds)
{
    m_widget->setGeometry(
        bounds.Left, bounds.Top, std::max(bounds.Width, 1), std::max(bounds.Height, 1));
}

void tScalarWindow::Show()
{
    m_widget->show();
}

} // namespace zelvora::gui
