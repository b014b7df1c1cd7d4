// The scalar window "Skalare Variable": a two-column grid of names and values beside the shelf.
// The user cannot close it; releasing the port closes it (a close by command).
#pragma once

#include "ports/shelf_port.h"

#include <QPointer>
#include <QWidget>

class QTableWidget;

namespace zelvora::gui {

// The Qt window: refuses a close by the user.
class tScalarWidget : public QWidget {
    Q_OBJECT

public:
    explicit tScalarWidget(QWidget* parent);
    QTableWidget* Grid() const { return m_grid; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QTableWidget* m_grid;
};

class tScalarWindow : public tScalarWindowPort {
public:
    // parent: the shelf; the window floats above it.
    explicit tScalarWindow(QWidget* parent);
    ~tScalarWindow() override;
    tScalarWindow(const tScalarWindow&) = delete;
    tScalarWindow& operator=(const tScalarWindow&) = delete;

    std::int32_t RowCount() const override;
    std::string Cell(std::int32_t col, std::int32_t row) const override;
    void SetCell(std::int32_t col, std::int32_t row, std::string_view text) override;
    void AppendRow() override;
    void DeleteRow(std::int32_t row) override;
    void FitToRows() override;
    tWindowBounds Bounds() const override;
    void SetBounds(const tWindowBounds& bounds) override;
    void Show() override;

    tScalarWidget* Widget() const { return m_widget; }

private:
    QPointer<tScalarWidget> m_widget;
};

} // namespace zelvora::gui
