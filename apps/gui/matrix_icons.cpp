#include "matrix_icons.h"

#include <QPainter>
#include <QPixmap>

namespace zelvora::gui {

namespace {

constexpr int IconSize = 16;

// A grid of cells; filled cells are drawn solid, the others as outlines.
void DrawCells(QPainter& painter, int columns, int rows, bool filled, const QColor& colour)
{
    const int cell = 3;
    const int width = columns * (cell + 1);
    const int height = rows * (cell + 1);
    const int left = (IconSize - width) / 2;
    const int top = (IconSize - height) / 2;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QRect box(left + c * (cell + 1), top + r * (cell + 1), cell, cell);
            if (filled)
                painter.fillRect(box, colour);
            else
                painter.drawRect(box.adjusted(0, 0, -1, -1));
        }
    }
}

} // namespace

QIcon MatrixIcon(int picture)
{
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor teal(0, 128, 128);
    painter.setPen(teal);
    switch (picture) {
    case 0: // vector: one column
        DrawCells(painter, 1, 3, true, teal);
        break;
    case 2: // plain matrix: cells drawn as outlines
        DrawCells(painter, 3, 3, false, teal);
        break;
    case 3: // range list: two columns between brackets
        DrawCells(painter, 2, 3, true, QColor(128, 64, 0));
        painter.setPen(QColor(128, 64, 0));
        painter.drawLine(1, 2, 1, 13);
        painter.drawLine(14, 2, 14, 13);
        break;
    default: // matrix
        DrawCells(painter, 3, 3, true, teal);
        break;
    }
    return QIcon(pixmap);
}

} // namespace zelvora::gui
