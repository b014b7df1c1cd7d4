// Start and end of the settings.
#include "interpreter/settings_module.h"

#include "interpreter/settings_file.h"
#include "interpreter/welcome_text.h"

namespace zelvora {

tSettingsModule::tSettingsModule(const tPlatformPaths& paths, const std::tm& startTime)
    : m_paths(paths)
    , m_startTime(startTime)
    , m_settings(DefaultSettings(paths, startTime))
{
}

void tSettingsModule::Start()
{
    m_fileRead
        = ReadSettingsFile(m_settings, SettingsFilePath(m_paths.ProgramDir, m_paths.ConfigHome));
    SetStartTimeNames(m_settings, m_startTime);
    m_settings.JournalSaved = false;
    BuildWelcomeText(m_settings);
    PrepareDataDirectory(m_settings.DataDir, m_paths.ShippedDir);
}

std::string tSettingsModule::FileToWrite() const
{
    return SettingsFilePath(m_settings.ProgramDir, m_paths.ConfigHome);
}

bool tSettingsModule::Finish()
{
    return WriteSettingsFile(m_settings, FileToWrite());
}

bool tSettingsModule::WriteNow() const
{
    // Writing notes this run's journal as the previous one: only in the copy.
    tSettings written = m_settings;
    return WriteSettingsFile(written, FileToWrite());
}

} // namespace zelvora
