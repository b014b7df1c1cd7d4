// The shelf "Zelvora's Matrizen-Regal": the main window, whose compartments (pages) hold the
// matrix windows as child windows, with its menus and, for now, an input line for statements.
#pragma once

#include <QMainWindow>

class QLineEdit;
class QMdiArea;
class QTabWidget;

namespace zelvora::gui {

class tShelfWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit tShelfWindow(QWidget* parent = nullptr);

    int CompartmentCount() const;
    QMdiArea* Compartment(int index) const; // index from 0
    QMdiArea* ActiveCompartment() const;
    QLineEdit* InputLine() const { return m_inputLine; }

signals:
    // The user entered statements in the input line.
    void StatementsEntered(const QString& text);

private:
    QMdiArea* AddCompartmentPage();

    QTabWidget* m_compartments = nullptr;
    QLineEdit* m_inputLine = nullptr;
};

} // namespace zelvora::gui
