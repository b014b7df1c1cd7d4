// The shelf's input line: one line of statements, run with Enter, with the failure of the last
// run shown beneath it. It stands in for the command window until that exists.
#pragma once

#include "ports/command_window_port.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace zelvora::gui {

class tInputLine : public QWidget, public tCommandWindowPort {
    Q_OBJECT

public:
    explicit tInputLine(QWidget* parent = nullptr);

    QLineEdit* Editor() const { return m_editor; }
    QString MessageText() const;

    void ShowMessage(std::string_view text) override;
    void HideMessage() override;
    void ShowWarning(std::string_view text) override;
    void FocusEditor() override;

signals:
    // Enter with a non-blank line; the line stays, so it can be changed and run again.
    void StatementsEntered(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowNote(const QString& text, const QString& colour);
    void Recall(int step);

    QLineEdit* m_editor;
    QLabel* m_message;
    QStringList m_history;
    int m_historyPosition = 0;
};

} // namespace zelvora::gui
