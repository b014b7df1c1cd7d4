#include "support/desktop_fixture.h"

#include "text/data_directory.h"
#include "variables/display_list.h"

#include <QDir>

namespace zelvora::gui::test {

tDesktopFixture::tDesktopFixture()
    : m_folderPath(m_folder.path() + '/')
{
    const std::string folder = m_folderPath.toStdString();
    m_paths.ProgramDir = folder + "program/";
    m_paths.HomeDir = folder + "home/";
    m_paths.ConfigHome = folder + "home/.config/";
    QDir().mkpath(QString::fromStdString(m_paths.ProgramDir));
    Restart();
}

void tDesktopFixture::Restart()
{
    m_desktop.reset();
    m_desktop = std::make_unique<tDesktop>(m_paths);
    m_desktop->SetMessageBox([this](const std::string& title, const std::string& text) {
        m_messages.push_back(title + "\n" + text);
    });
    // A question nobody expected is answered "no" instead of waiting in a modal dialog.
    Shelf().SetDeleteQuestion([](const QString&) { return false; });
    Shelf().setGeometry(20, 20, 900, 700);
    Shelf().show();
}

bool tDesktopFixture::Run(const std::string& statements)
{
    const auto result = m_desktop->RunStatements(statements);
    return result.Success && !result.RunTimeError;
}

tMatrixWindow* tDesktopFixture::WindowOf(const std::string& name)
{
    const std::int32_t index = m_desktop->Session().VariableIndex(name);
    if (index == 0)
        return nullptr;
    return static_cast<tMatrixWindow*>(Store().Item(index).window.get());
}

const tVariable& tDesktopFixture::Variable(const std::string& name)
{
    return Store().Variable(m_desktop->Session().VariableIndex(name));
}

QString PictureFolder()
{
    QString folder = qEnvironmentVariable("ZELVORA_PICTURE_DIR");
    if (folder.isEmpty())
        folder = QDir::tempPath() + QStringLiteral("/zelvora-gui-pictures");
    QDir().mkpath(folder);
    return folder;
}

} // namespace zelvora::gui::test
