// What the journal and the listing window share: the menu "&Datei" with save, save as, append
// mode and quit, the item "&Löschen ", and closing that saves unsaved text.
#pragma once

#include <QMainWindow>
#include <functional>

class QAction;

namespace zelvora::gui {

class tTextWindow : public QMainWindow {
    Q_OBJECT

public:
    // Asks the user a yes/no question; tests answer it themselves.
    using tQuestion = std::function<bool(const QString& text)>;

    explicit tTextWindow(QWidget* parent = nullptr);

    // Switches to append mode and saves unsaved text; when that fails the user decides whether
    // the window may close all the same (the text would be lost).
    bool MayClose();
    // Saves as the append mode says; on failure the user is told where it could not be written.
    bool Save();
    void SetQuestion(tQuestion question) { m_question = std::move(question); }

protected:
    // Builds the menus; appendModeOn: the check mark at start.
    void BuildMenus(bool appendModeOn);
    void SyncAppendAction(bool on);
    // Tells the user, without waiting for an answer, that the file could not be written.
    void ReportWriteFailure(const QString& path);

    virtual bool WriteFile() = 0; // per append mode; false when the file could not be written
    virtual void SaveAs() = 0;
    virtual void ClearText() = 0;
    virtual bool AppendMode() const = 0;
    virtual void SetAppendMode(bool on) = 0;
    virtual bool Modified() const = 0;
    virtual QString FilePath() const = 0;

    void closeEvent(QCloseEvent* event) override;

private:
    QAction* m_appendAction = nullptr;
    tQuestion m_question;
};

// Makes the folder of a file (the journal folder below the data directory may be missing).
void MakeFolderOf(const QString& filePath);

} // namespace zelvora::gui
