// The read-only view of the session's settings.
#include "ui/settings_view.h"

#include "interpreter/settings_module.h"

namespace zelvora {

const tSettings& tSettingsView::Settings() const
{
    return m_module->Settings();
}

const std::string& tSettingsView::ProgramDir() const
{
    return Settings().ProgramDir;
}

const std::string& tSettingsView::DataDir() const
{
    return Settings().DataDir;
}

const std::string& tSettingsView::JournalDir() const
{
    return Settings().JournalDir;
}

const std::string& tSettingsView::JournalFileName() const
{
    return Settings().JournalFileName;
}

const std::string& tSettingsView::JournalPrevName() const
{
    return Settings().JournalPrevName;
}

const std::string& tSettingsView::ListingFileName() const
{
    return Settings().ListingFileName;
}

const std::string& tSettingsView::HelpDir() const
{
    return Settings().HelpDir;
}

const std::string& tSettingsView::HelpFirstSteps() const
{
    return Settings().HelpFirstSteps;
}

const std::string& tSettingsView::HelpIntroduction() const
{
    return Settings().HelpIntroduction;
}

const std::string& tSettingsView::HelpNews() const
{
    return Settings().HelpNews;
}

const std::string& tSettingsView::HelpReference() const
{
    return Settings().HelpReference;
}

const std::string& tSettingsView::CommandFont() const
{
    return Settings().CommandFont;
}

const std::string& tSettingsView::WelcomeText() const
{
    return Settings().WelcomeText;
}

const std::vector<std::string>& tSettingsView::RecentScripts() const
{
    return Settings().RecentScripts.Entries();
}

std::string tSettingsView::ExamplesDirectory() const
{
    return Settings().ExamplesDirectory();
}

std::string tSettingsView::DemoDirectory() const
{
    return Settings().DemoDirectory();
}

std::string tSettingsView::JournalFilePath() const
{
    return Settings().JournalFilePath();
}

std::string tSettingsView::ListingFilePath() const
{
    return Settings().ListingFilePath();
}

const std::string& tSettingsView::ShippedDir() const
{
    return m_module->Paths().ShippedDir;
}

const std::string& tSettingsView::SettingsFileRead() const
{
    return m_module->FileRead();
}

std::string tSettingsView::SettingsFileToWrite() const
{
    return m_module->FileToWrite();
}

std::size_t MaxRecentScripts()
{
    return tRecentScripts::MaxEntries;
}

std::string_view ProgramVersionText()
{
    return ProgramVersion;
}

} // namespace zelvora
