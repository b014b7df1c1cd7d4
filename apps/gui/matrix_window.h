// A matrix window on a compartment of the shelf: an MDI child window with the variable's caption,
// icon and grid. The port object owns the Qt window; releasing the port closes it (a close by
// command), and a close by the user tells the display list, which releases the port.
#pragma once

#include "matrix_grid_view.h"
#include "matrix_table_model.h"
#include "ports/shelf_port.h"
#include "ui/matrix_cell_edit.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <string>

namespace zelvora::gui {

class tShelfWindow;

// The Qt window: reports a close by the user and keeps itself alive while it does.
class tMatrixSubWindow : public QMdiSubWindow {
    Q_OBJECT

public:
    using QMdiSubWindow::QMdiSubWindow;
    void SetUserCloseAction(std::function<void()> action) { m_userClose = std::move(action); }
    // Asked before the user closes the window; true keeps it open.
    void SetCloseRefusal(std::function<bool()> refused) { m_closeRefused = std::move(refused); }
    bool InCloseEvent() const { return m_inCloseEvent; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> m_userClose;
    std::function<bool()> m_closeRefused;
    bool m_inCloseEvent = false;
};

class tMatrixWindow : public tMatrixWindowPort {
public:
    tMatrixWindow(tShelfWindow& shelf, std::int32_t index, tMatrixWindowClient& client);
    ~tMatrixWindow() override;
    tMatrixWindow(const tMatrixWindow&) = delete;
    tMatrixWindow& operator=(const tMatrixWindow&) = delete;

    void SetVariableIndex(std::int32_t index) override { m_model->SetVariableIndex(index); }
    void SetCaption(std::string_view caption) override;
    std::string Caption() const override { return m_caption; }
    void SetIcon(std::int32_t picture) override;
    void SetDataSize(std::int32_t rows, std::int32_t cols) override;
    std::int32_t DataRows() const override { return m_model->DataRows(); }
    std::int32_t DataCols() const override { return m_model->DataCols(); }
    void SetColumnSamples(const std::vector<std::string>& samples) override;
    void CellsChanged() override { m_model->CellsChanged(); }
    void LayoutGrid() override;
    tWindowBounds Bounds() const override;
    void SetBounds(const tWindowBounds& bounds) override;
    void SetVisible(bool visible) override;
    tPicture Picture(tPictureMode mode) const override;

    std::int32_t VariableIndex() const { return m_model->VariableIndex(); }
    tMatrixSubWindow* Window() const { return m_window; }
    tMatrixGridView* Grid() const { return m_grid; }

    // True (the shelf saying why) while statements run: cells are not edited then.
    bool EditRefused();
    // The cell editor's steps (row, col from 1), used by the grid's delegate and the tests.
    QString BeginEdit(int row, int col);
    void CommitEdit(const QString& text);
    void CancelEdit();

private:
    void BuildCopyMenu();
    void CopyWithScheme(std::int32_t scheme);
    void CopyPicture(tPictureMode mode);

    tShelfWindow& m_shelf;
    QPointer<tMatrixSubWindow> m_window;
    tMatrixGridView* m_grid = nullptr;
    tMatrixTableModel* m_model = nullptr;
    std::string m_caption;
    tMatrixCellEdit m_edit;
};

} // namespace zelvora::gui
