// A desktop program for one test: settings, data directory and home in a fresh temporary folder.
#pragma once

#include "desktop.h"

#include <QTemporaryDir>
#include <memory>

namespace zelvora::gui::test {

class tDesktopFixture {
public:
    tDesktopFixture();
    tDesktop& Desktop() { return *m_desktop; }
    // Runs statements and fails the current test when they did not all succeed.
    bool Run(const std::string& statements);
    const QString& Folder() const { return m_folderPath; }

private:
    QTemporaryDir m_folder;
    QString m_folderPath;
    std::unique_ptr<tDesktop> m_desktop;
};

} // namespace zelvora::gui::test
