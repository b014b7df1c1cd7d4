// The settings through the program's life: defaults and the settings file at start, with the
// data directory made on first use, and the settings file written at the end.
#pragma once

#include "interpreter/settings.h"

#include <ctime>
#include <string>

namespace zelvora {

class tSettingsModule {
public:
    // The defaults for these locations and start time; nothing is read or written yet.
    tSettingsModule(const tPlatformPaths& paths, const std::tm& startTime);

    // Reads the settings file (SettingsFilePath of the program directory, or where its Umleitung
    // points) over the defaults, sets the journal and listing names afresh from the start time,
    // clears the journal-saved flag, builds the welcome text (which clears FirstTimeUsed) and
    // makes the data directory with the shipped examples when it does not exist yet.
    void Start();
    // Writes the settings file: "Zelvora.ini" beside the program directory setting (exepfad) when
    // it exists there and may be written, else under the configuration directory. False when it
    // could not be written; the caller ignores that at exit.
    bool Finish();
    // Writes the settings file as Finish would, in the middle of the session (after a run), so
    // that a killed program keeps them; the settings themselves stay as they are.
    bool WriteNow() const;

    tSettings& Settings() { return m_settings; }
    const tSettings& Settings() const { return m_settings; }
    const tPlatformPaths& Paths() const { return m_paths; }
    // The settings file that Start read (after the redirection); empty when there was none.
    const std::string& FileRead() const { return m_fileRead; }
    // Where Finish writes.
    std::string FileToWrite() const;

private:
    tPlatformPaths m_paths;
    std::tm m_startTime;
    tSettings m_settings;
    std::string m_fileRead;
};

} // namespace zelvora
