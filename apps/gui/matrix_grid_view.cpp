#include "matrix_grid_view.h"

#include "ui/matrix_window_text.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>

namespace zelvora::gui {
namespace {

// Room beside a header text: the style's section margins and a little air.
constexpr int HeaderPadding = 12;

} // namespace

QFont GridFont()
{
    QFont font(QStringLiteral("Letter Gothic"), 8);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

tMatrixGridView::tMatrixGridView(QWidget* parent)
    : QTableView(parent)
{
    setFont(GridFont());
    horizontalHeader()->setFont(GridFont());
    verticalHeader()->setFont(GridFont());
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setFixedHeight(GridRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setDefaultSectionSize(GridRowHeight);
    verticalHeader()->setFixedWidth(GridHeaderColumnWidth);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    // Numbers come padded on the left; a narrow column cuts the padding, never the digits.
    setTextElideMode(Qt::ElideNone);

    // The corner button shows the grid's size; it is painted here because Qt draws it blank.
    m_corner = findChild<QAbstractButton*>();
    if (m_corner)
        m_corner->installEventFilter(this);
}

void tMatrixGridView::SetCornerText(const QString& text, int rows)
{
    m_cornerText = text;
    // Column 0 is wide enough for the size in the corner and the highest row number.
    const QFontMetrics metrics(GridFont());
    const int widest = std::max(metrics.horizontalAdvance(text),
        metrics.horizontalAdvance(QString::number(std::max(rows, 0))));
    verticalHeader()->setFixedWidth(std::max(GridHeaderColumnWidth, widest + HeaderPadding));
    if (m_corner)
        m_corner->update();
}

int tMatrixGridView::HeaderColumnWidth() const
{
    return verticalHeader()->width();
}

QRect tMatrixGridView::VisibleDataArea() const
{
    const QWidget* area = viewport();
    int right = 0;
    int bottom = 0;
    if (model() && model()->columnCount() > 0 && model()->rowCount() > 0) {
        const int lastCol = columnAt(area->width() - 1) >= 0 ? columnAt(area->width() - 1)
                                                             : model()->columnCount() - 1;
        const int lastRow
            = rowAt(area->height() - 1) >= 0 ? rowAt(area->height() - 1) : model()->rowCount() - 1;
        right = std::min(area->width(), columnViewportPosition(lastCol) + columnWidth(lastCol));
        bottom = std::min(area->height(), rowViewportPosition(lastRow) + rowHeight(lastRow));
    }
    return QRect(0, 0, std::max(right, 1), std::max(bottom, 1));
}

void tMatrixGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy) && m_copyPicture) {
        m_copyPicture();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool tMatrixGridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        QPainter painter(m_corner);
        QStyleOptionHeader option;
        option.initFrom(m_corner);
        option.rect = m_corner->rect();
        option.text = m_cornerText;
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        painter.setFont(GridFont());
        style()->drawControl(QStyle::CE_Header, &option, &painter, m_corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace zelvora::gui
