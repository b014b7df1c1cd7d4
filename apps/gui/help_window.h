// The help windows (a help file in a read-only view; Escape closes) and the about box.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace zelvora::gui {

class tHelpWindow : public QDialog {
    Q_OBJECT

public:
    // caption: "Erste Hilfe", "Einführung", ...; path: the help file (RTF or plain text).
    tHelpWindow(const QString& caption, const QString& path, QWidget* parent = nullptr);
    QTextBrowser* View() const { return m_view; }

private:
    QTextBrowser* m_view;
};

// The about box: "Version vom:" with the program file's date in the caption.
void ShowAboutBox(QWidget* parent, const QString& programPath);

} // namespace zelvora::gui
