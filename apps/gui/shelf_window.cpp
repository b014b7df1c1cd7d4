#include "shelf_window.h"

#include "program_text.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zelvora::gui {

tShelfWindow::tShelfWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(ToQString("Zelvora's Matrizen-Regal"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    m_compartments = new QTabWidget(central);
    layout->addWidget(m_compartments, 1);
    m_inputLine = new QLineEdit(central);
    m_inputLine->setPlaceholderText(ToQString("Anweisung eingeben und mit Enter ausf\xFChren"));
    layout->addWidget(m_inputLine);
    setCentralWidget(central);
    AddCompartmentPage();

    connect(m_inputLine, &QLineEdit::returnPressed, this, [this] {
        const QString text = m_inputLine->text();
        if (!text.trimmed().isEmpty())
            emit StatementsEntered(text);
    });
}

int tShelfWindow::CompartmentCount() const
{
    return m_compartments->count();
}

QMdiArea* tShelfWindow::Compartment(int index) const
{
    return qobject_cast<QMdiArea*>(m_compartments->widget(index));
}

QMdiArea* tShelfWindow::ActiveCompartment() const
{
    return qobject_cast<QMdiArea*>(m_compartments->currentWidget());
}

QMdiArea* tShelfWindow::AddCompartmentPage()
{
    auto* area = new QMdiArea(m_compartments);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_compartments->addTab(area, QString::number(m_compartments->count() + 1));
    return area;
}

} // namespace zelvora::gui
