// The session's settings as the front ends read them: folders, file names, fonts and the recent
// scripts, always as they stand now (SET and the settings file change them during the session).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

class tSettingsModule;
struct tSettings;

class tSettingsView {
public:
    explicit tSettingsView(const tSettingsModule& module)
        : m_module(&module)
    {
    }

    const std::string& ProgramDir() const;
    const std::string& DataDir() const;
    const std::string& JournalDir() const;
    const std::string& JournalFileName() const;
    const std::string& JournalPrevName() const;
    const std::string& ListingFileName() const;
    const std::string& HelpDir() const;
    const std::string& HelpFirstSteps() const;
    const std::string& HelpIntroduction() const;
    const std::string& HelpNews() const;
    const std::string& HelpReference() const;
    const std::string& CommandFont() const;
    const std::string& WelcomeText() const; // the command window's first tab
    // The recent scripts of the File menu, the newest first.
    const std::vector<std::string>& RecentScripts() const;
    // The data directory joined with the examples and the demo directory and with the journal's
    // and the listing's folders and names.
    std::string ExamplesDirectory() const;
    std::string DemoDirectory() const;
    std::string JournalFilePath() const;
    std::string ListingFilePath() const;
    // The shipped examples folder; empty when there is none.
    const std::string& ShippedDir() const;
    // The settings file that the start read (empty when there was none), and where the end writes.
    const std::string& SettingsFileRead() const;
    std::string SettingsFileToWrite() const;

private:
    const tSettings& Settings() const;

    const tSettingsModule* m_module;
};

// How many recent scripts the File menu keeps.
std::size_t MaxRecentScripts();
// The program's version as the About box and the settings file name it.
std::string_view ProgramVersionText();

} // namespace zelvora
