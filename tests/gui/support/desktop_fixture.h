// A desktop program for one test: settings, data directory and home in a fresh temporary folder,
// the shelf shown at a fixed size, message boxes recorded instead of shown.
#pragma once

#include "desktop.h"
#include "matrix_window.h"

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

namespace zelvora::gui::test {

class tDesktopFixture {
public:
    tDesktopFixture();
    // Ends the desktop program (settings written when it was started) and makes a new one on the
    // same folders.
    void Restart();
    tDesktop& Desktop() { return *m_desktop; }
    tShelfWindow& Shelf() { return m_desktop->Shelf(); }
    const tVisibleVarsList& Store() { return m_desktop->Session().StoreView(); }
    // Whether a variable of that name is stored.
    bool Find(const std::string& name) { return m_desktop->Session().Variable(name) != nullptr; }
    // Runs statements; true when they all succeeded.
    bool Run(const std::string& statements);
    // The open matrix window of the variable, or none.
    tMatrixWindow* WindowOf(const std::string& name);
    const tVariable& Variable(const std::string& name);
    const QString& Folder() const { return m_folderPath; }
    const tPlatformPaths& Paths() const { return m_paths; }
    // The message boxes shown so far: title, a line break, text.
    const std::vector<std::string>& Messages() const { return m_messages; }

private:
    QTemporaryDir m_folder;
    QString m_folderPath;
    tPlatformPaths m_paths;
    std::vector<std::string> m_messages;
    std::unique_ptr<tDesktop> m_desktop;
};

// Where the tests put their pictures (the build folder's gui-pictures, or the temporary folder).
QString PictureFolder();

} // namespace zelvora::gui::test
