#include "shelf_window.h"

#include "matrix_window.h"
#include "program_text.h"
#include "scalar_window.h"
#include "ui/matrix_window_text.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelvora::gui {

tShelfWindow::tShelfWindow(tClipboardPort& clipboard, QWidget* parent)
    : QMainWindow(parent)
    , m_clipboard(clipboard)
{
    setWindowTitle(ToQString("Zelvora's Matrizen-Regal"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_compartments = new QTabWidget(central);
    m_compartments->setTabPosition(QTabWidget::South);
    layout->addWidget(m_compartments, 1);
    m_inputLine = new tInputLine(central);
    layout->addWidget(m_inputLine);
    setCentralWidget(central);
    statusBar()->setSizeGripEnabled(true);

    m_table[0] = NewCompartmentArea();
    m_compartments->addTab(m_table[0], QStringLiteral("Fach 1"));
    BuildMenus();
    m_deleteQuestion = [this](const QString& text) {
        return QMessageBox::question(this, ToQString("Matrizen l\xF6schen"), text,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    };
}

// The question before "alle Schließen" deletes: how many variables go, hidden ones included.
std::string DeleteAllMatricesQuestion(std::int32_t count)
{
    const std::string what
        = count == 1 ? "die Matrix-Variable" : std::to_string(count) + " Matrix-Variablen";
    return "Alle Matrizen l\xF6schen? Damit werden " + what
        + " gel\xF6scht, auch verborgene; Bereiche, Vektoren und Skalare bleiben. Das l\xE4sst "
          "sich "
          "nicht r\xFC"
          "ckg\xE4ngig machen.";
}

// The session, which owns the window ports, is gone before the shelf (see tDesktop).
tShelfWindow::~tShelfWindow() = default;

void tShelfWindow::BuildMenus()
{
    QAction* run = menuBar()->addAction(QStringLiteral("&Run!"));
    connect(run, &QAction::triggered, this, &tShelfWindow::RunRequested);

    m_matricesMenu = menuBar()->addMenu(QStringLiteral("&Matrizen"));
    m_matricesMenu->addAction(
        QStringLiteral("alle &Verbergen"), this, [this] { HideAllWindows(); });
    m_matricesMenu->addAction(
        QStringLiteral("alle &Minimieren"), this, [this] { MinimizeAllWindows(); });
    m_matricesMenu->addAction(ToQString("alle &Schlie\xDF"
                                        "en (Matrix l\xF6schen)"),
        this, [this] { DeleteAllMatrices(); });

    QMenu* compartments = menuBar()->addMenu(ToQString("&F\xE4"
                                                       "cher"));
    m_compartmentPopup = new QMenu(this);
    for (QMenu* menu : { compartments, m_compartmentPopup }) {
        menu->addAction(ToQString("Fach &hinzuf\xFCgen"), this, [this] { AddCompartment(); });
        menu->addAction(ToQString("Fach &l\xF6schen"), this, [this] { DeleteActiveCompartment(); });
    }
    m_compartments->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_compartments->tabBar(), &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) {
            m_compartmentPopup->popup(m_compartments->tabBar()->mapToGlobal(at));
        });
}

QMdiArea* tShelfWindow::NewCompartmentArea()
{
    auto* area = new QMdiArea(m_compartments);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setBackground(QColor(128, 128, 128));
    return area;
}

// ---- Matrix windows

std::unique_ptr<tMatrixWindowPort> tShelfWindow::CreateMatrixWindow(
    std::int32_t index, tMatrixWindowClient& client)
{
    return std::make_unique<tMatrixWindow>(*this, index, client);
}

void tShelfWindow::AdoptMatrixWindow(tMatrixWindow& window)
{
    ActiveCompartment()->addSubWindow(window.Window());
    window.Window()->hide();
    m_windows.push_back(&window);
}

void tShelfWindow::ForgetMatrixWindow(tMatrixWindow& window)
{
    std::erase(m_windows, &window);
    const auto entry = m_menuEntries.find(&window);
    if (entry != m_menuEntries.end()) {
        delete entry->second;
        m_menuEntries.erase(entry);
    }
}

int tShelfWindow::CompartmentOf(const tMatrixWindow& window) const
{
    const QMdiArea* area = window.Window() ? window.Window()->mdiArea() : nullptr;
    return area ? m_compartments->indexOf(const_cast<QMdiArea*>(area)) : -1;
}

std::vector<tMatrixWindow*> tShelfWindow::WindowsOn(int index) const
{
    std::vector<tMatrixWindow*> windows;
    for (tMatrixWindow* window : m_windows)
        if (CompartmentOf(*window) == index)
            windows.push_back(window);
    return windows;
}

std::int32_t tShelfWindow::ActiveCompartmentWindowCount() const
{
    return static_cast<std::int32_t>(WindowsOn(ActiveCompartmentIndex()).size());
}

tClientSize tShelfWindow::ActiveCompartmentClientSize() const
{
    const QWidget* viewport = ActiveCompartment()->viewport();
    return { viewport->width(), viewport->height() };
}

tClientSize tShelfWindow::ClientSizeOf(const tMatrixWindow& window) const
{
    const int index = CompartmentOf(window);
    const QMdiArea* area = index >= 0 ? Compartment(index) : ActiveCompartment();
    return { area->viewport()->width(), area->viewport()->height() };
}

int tShelfWindow::DefaultColumnWidth() const
{
    const std::int32_t cellWidth = m_session ? m_session->CopyCellWidth() : 10;
    return std::max(cellWidth, 1) * GridPixelsPerCellChar;
}

void tShelfWindow::AddWindowMenuEntry(std::string_view name, tMatrixWindowPort& port)
{
    auto& window = static_cast<tMatrixWindow&>(port);
    if (!m_windowEntriesSeparated) {
        m_matricesMenu->addSeparator();
        m_windowEntriesSeparated = true;
    }
    QAction* entry = m_matricesMenu->addAction(ToQString(name));
    tMatrixWindow* target = &window;
    connect(entry, &QAction::triggered, this, [this, target] {
        // The entry goes with its window, so the window is still there.
        const int index = CompartmentOf(*target);
        if (index >= 0)
            m_compartments->setCurrentIndex(index);
        target->Window()->show();
        target->Window()->mdiArea()->setActiveSubWindow(target->Window());
        target->Grid()->setFocus();
    });
    m_menuEntries[&window] = entry;
}

bool tShelfWindow::RefusedDuringRun()
{
    if (!m_session || !m_session->ShelfActionRefused())
        return false;
    ShowStatus(std::string(DuringRunRefusalText));
    return true;
}

void tShelfWindow::HideAllWindows()
{
    if (!RefusedDuringRun() && m_session)
        m_session->HideAllWindows();
}

void tShelfWindow::MinimizeAllWindows()
{
    for (tMatrixWindow* window : m_windows)
        if (!window->Window()->isHidden())
            window->Window()->showMinimized();
}

std::int32_t tShelfWindow::MatrixVariableCount() const
{
    return m_session ? m_session->MatrixVariableCount() : 0;
}

bool tShelfWindow::DeleteAllMatrices()
{
    if (RefusedDuringRun())
        return false;
    const std::int32_t count = MatrixVariableCount();
    if (count == 0) {
        ShowStatus("Es gibt keine Matrix zu l\xF6schen.");
        return false;
    }
    // The question waits for the user, who may start a run meanwhile.
    if (!m_deleteQuestion(ToQString(DeleteAllMatricesQuestion(count))) || RefusedDuringRun())
        return false;
    // One statement, so that the journal holds it.
    const tRunOutcome result = m_session->DeleteAllMatrices();
    if (!result.Success)
        ShowStatus(result.Message);
    return result.Success;
}

std::unique_ptr<tScalarWindowPort> tShelfWindow::CreateScalarWindow()
{
    auto window = std::make_unique<tScalarWindow>(this);
    // Beside the shelf's top right corner, inside the shelf, until POSITION moves it.
    const QRect shelf = geometry();
    window->SetBounds({ shelf.right() - 240, shelf.top() + 60, 220, 60 });
    return window;
}

// ---- Compartments

std::int32_t tShelfWindow::CompartmentCount() const
{
    return m_compartments->count();
}

int tShelfWindow::ActiveCompartmentIndex() const
{
    return m_compartments->currentIndex();
}

QMdiArea* tShelfWindow::Compartment(int index) const
{
    return qobject_cast<QMdiArea*>(m_compartments->widget(index));
}

QMdiArea* tShelfWindow::ActiveCompartment() const
{
    return Compartment(ActiveCompartmentIndex());
}

QString tShelfWindow::CompartmentCaption(int index) const
{
    return m_compartments->tabText(index);
}

void tShelfWindow::AddCompartment()
{
    const auto free = std::find(m_table.begin(), m_table.end(), nullptr);
    if (free == m_table.end())
        return;
    ++m_compartmentCounter;
    *free = NewCompartmentArea();
    const int page
        = m_compartments->addTab(*free, QStringLiteral("Fach %1").arg(m_compartmentCounter));
    m_compartments->setCurrentIndex(page);
}

void tShelfWindow::ActivateCompartment(std::int32_t n)
{
    if (n >= 1 && n <= CompartmentCount())
        m_compartments->setCurrentIndex(n - 1);
}

void tShelfWindow::DeleteActiveCompartment()
{
    if (RefusedDuringRun())
        return;
    QMdiArea* area = ActiveCompartment();
    const auto entry = std::find(m_table.begin(), m_table.end(), area);
    if (CompartmentCount() <= 1 || entry == m_table.end())
        return;
    std::vector<std::int32_t> indices;
    for (tMatrixWindow* window : WindowsOn(ActiveCompartmentIndex()))
        indices.push_back(window->VariableIndex());
    if (m_session)
        m_session->HideWindows(indices);
    if (!WindowsOn(ActiveCompartmentIndex()).empty())
        return; // windows that no store closed stay with their page
    m_compartments->removeTab(m_compartments->indexOf(area));
    *entry = nullptr;
    delete area;
    m_compartments->setCurrentIndex(0);
}

void tShelfWindow::MoveToActiveCompartment(tMatrixWindowPort& port)
{
    auto& window = static_cast<tMatrixWindow&>(port);
    QMdiSubWindow* sub = window.Window();
    QMdiArea* target = ActiveCompartment();
    if (!sub || sub->mdiArea() == target)
        return;
    const QRect bounds = sub->geometry();
    const bool hidden = sub->isHidden(); // shown, even on a page not in front
    if (QMdiArea* source = sub->mdiArea())
        source->removeSubWindow(sub);
    target->addSubWindow(sub);
    sub->setGeometry(bounds);
    sub->setVisible(!hidden);
}

// ---- Closing and notes

void tShelfWindow::ShowStatus(const std::string& text)
{
    if (text.empty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(ToQString(text));
}

void tShelfWindow::closeEvent(QCloseEvent* event)
{
    if (m_closeCheck && !m_closeCheck()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace zelvora::gui
