#include "matrix_window.h"

#include "matrix_icons.h"
#include "program_text.h"
#include "shelf_window.h"
#include "ui/matrix_window_text.h"
#include "window_picture.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QStyledItemDelegate>

namespace zelvora::gui {

namespace {

// Routes the grid's cell editor through the window: its text comes from BeginEdit, Enter or a
// move to another cell commits, Escape cancels.
class tCellEditDelegate : public QStyledItemDelegate {
public:
    tCellEditDelegate(tMatrixWindow& window, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_window(window)
    {
        connect(this, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::RevertModelCache)
                    m_window.CancelEdit();
            });
    }

    // No editor opens while statements run; the shelf says why.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        if (m_window.EditRefused())
            return nullptr;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setText(m_window.BeginEdit(index.row() + 1, index.column() + 1));
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            m_window.CommitEdit(line->text());
    }

private:
    tMatrixWindow& m_window;
};

} // namespace

void tMatrixSubWindow::closeEvent(QCloseEvent* event)
{
    if (m_userClose && m_closeRefused && m_closeRefused()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted() || !m_userClose)
        return;
    // The action releases the port, whose destructor must not delete this window under our feet.
    m_inCloseEvent = true;
    const auto action = std::move(m_userClose);
    m_userClose = nullptr;
    action();
    m_inCloseEvent = false;
}

tMatrixWindow::tMatrixWindow(tShelfWindow& shelf, std::int32_t index, tMatrixWindowClient& client)
    : m_shelf(shelf)
{
    m_window = new tMatrixSubWindow();
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_grid = new tMatrixGridView(m_window);
    m_model = new tMatrixTableModel(client, index, m_grid);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new tCellEditDelegate(*this, m_grid));
    m_grid->horizontalHeader()->setDefaultSectionSize(shelf.DefaultColumnWidth());
    m_grid->SetCopyPictureAction([this] { CopyPicture(tPictureMode::Window); });
    m_window->setWidget(m_grid);
    m_window->setWindowIcon(MatrixIcon(0));
    m_window->SetUserCloseAction([this, &client] { client.WindowClosedByUser(VariableIndex()); });
    m_window->SetCloseRefusal([this] { return m_shelf.RefusedDuringRun(); });
    BuildCopyMenu();
    shelf.AdoptMatrixWindow(*this);
}

tMatrixWindow::~tMatrixWindow()
{
    m_shelf.ForgetMatrixWindow(*this);
    if (!m_window)
        return;
    m_window->SetUserCloseAction(nullptr);
    if (m_window->InCloseEvent()) {
        m_window->hide();
        m_window->deleteLater();
    } else {
        delete m_window.data();
    }
}

void tMatrixWindow::SetCaption(std::string_view caption)
{
    m_caption = caption;
    m_window->setWindowTitle(ToQString(caption));
}

void tMatrixWindow::SetIcon(std::int32_t picture)
{
    m_window->setWindowIcon(MatrixIcon(picture));
}

void tMatrixWindow::SetDataSize(std::int32_t rows, std::int32_t cols)
{
    m_model->SetDataSize(rows, cols);
}

void tMatrixWindow::SetColumnSamples(const std::vector<std::string>& samples)
{
    const QFontMetrics metrics(m_grid->font());
    const int padding = 6; // the cell's margins around its text
    for (std::size_t c = 1; c < samples.size() && static_cast<int>(c) <= DataCols(); ++c) {
        const int width = metrics.horizontalAdvance(ToQString(samples[c])) + padding;
        m_grid->horizontalHeader()->resizeSection(static_cast<int>(c) - 1, width);
    }
}

void tMatrixWindow::LayoutGrid()
{
    m_grid->SetCornerText(ToQString(CornerText(DataRows(), DataCols())), DataRows());
    const int colWidth = DataCols() > 0 ? m_grid->columnWidth(0) : m_shelf.DefaultColumnWidth();
    SetBounds(GridWindowBounds(Bounds(), m_shelf.ClientSizeOf(*this), m_grid->HeaderColumnWidth(),
        colWidth, GridRowHeight, DataRows(), DataCols()));
}

tWindowBounds tMatrixWindow::Bounds() const
{
    const QRect g = m_window->geometry();
    return { g.left(), g.top(), g.width(), g.height() };
}

void tMatrixWindow::SetBounds(const tWindowBounds& bounds)
{
    m_window->setGeometry(
        bounds.Left, bounds.Top, std::max(bounds.Width, 0), std::max(bounds.Height, 0));
}

void tMatrixWindow::SetVisible(bool visible)
{
    if (visible && !m_window->isVisible())
        m_window->show();
    else if (!visible)
        m_window->hide();
}

tPicture tMatrixWindow::Picture(tPictureMode mode) const
{
    if (mode == tPictureMode::Grid)
        return PictureOfImage(m_grid->viewport()->grab(m_grid->VisibleDataArea()).toImage());
    const QImage window = m_window->grab().toImage();
    return PictureOfImage(TitledWindowImage(window, ToQString(CaptionNamePart(m_caption))));
}

bool tMatrixWindow::EditRefused()
{
    return m_shelf.RefusedDuringRun();
}

QString tMatrixWindow::BeginEdit(int row, int col)
{
    const tSession* session = m_shelf.Session();
    if (!session || m_shelf.RefusedDuringRun())
        return {};
    const QString shown
        = m_model->data(m_model->index(row - 1, col - 1), Qt::DisplayRole).toString();
    return ToQString(
        session->BeginCellEdit(m_edit, VariableIndex(), row, col, ToProgramText(shown)));
}

void tMatrixWindow::CommitEdit(const QString& text)
{
    tSession* session = m_shelf.Session();
    if (!session || !m_edit.Active())
        return;
    if (m_shelf.RefusedDuringRun()) {
        CancelEdit();
        return;
    }
    const int row = m_edit.Row();
    const int col = m_edit.Col();
    const tCellCommit commit = session->CommitCellEdit(m_edit, ToProgramText(text));
    m_model->SetEditedText(row - 1, col - 1, ToQString(commit.ShownText));
    m_shelf.ShowStatus(commit.Message);
}

void tMatrixWindow::CancelEdit()
{
    tSession* session = m_shelf.Session();
    if (!session || !m_edit.Active())
        return;
    const int row = m_edit.Row();
    const int col = m_edit.Col();
    m_model->SetEditedText(row - 1, col - 1, ToQString(session->CancelCellEdit(m_edit)));
}

void tMatrixWindow::BuildCopyMenu()
{
    auto* menu = new QMenu(m_grid);
    for (const tCopyMenuItem& item : CopyMenuItems) {
        const std::int32_t scheme = item.Scheme;
        menu->addAction(
            ToQString(item.Caption), m_grid, [this, scheme] { CopyWithScheme(scheme); });
    }
    menu->addSeparator();
    menu->addAction(
        QStringLiteral("--> bitmap"), m_grid, [this] { CopyPicture(tPictureMode::Grid); });
    menu->addAction(
        QStringLiteral("--> bitmap (Form)"), m_grid, [this] { CopyPicture(tPictureMode::Window); });
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(m_grid, &QWidget::customContextMenuRequested, menu,
        [this, menu](const QPoint& at) { menu->popup(m_grid->viewport()->mapToGlobal(at)); });
}

void tMatrixWindow::CopyWithScheme(std::int32_t scheme)
{
    tSession* session = m_shelf.Session();
    if (!session || (scheme != 0 && m_shelf.RefusedDuringRun()))
        return; // a scheme changes the copy layout that running statements use
    session->CopyToClipboard(VariableIndex(), scheme);
}

void tMatrixWindow::CopyPicture(tPictureMode mode)
{
    m_shelf.Clipboard().SetPicture(Picture(mode));
}

} // namespace zelvora::gui
