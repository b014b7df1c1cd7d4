#include "support/desktop_fixture.h"

#include "interpreter/data_directory.h"

namespace zelvora::gui::test {

tDesktopFixture::tDesktopFixture()
    : m_folderPath(m_folder.path() + '/')
{
    const std::string folder = m_folderPath.toStdString();
    tPlatformPaths paths;
    paths.ProgramDir = folder + "program/";
    paths.HomeDir = folder + "home/";
    paths.ConfigHome = folder + "home/.config/";
    m_desktop = std::make_unique<tDesktop>(paths);
}

bool tDesktopFixture::Run(const std::string& statements)
{
    const auto result = m_desktop->RunStatements(statements);
    return result.Success && !result.RunTimeError;
}

} // namespace zelvora::gui::test
