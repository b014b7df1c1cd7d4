// The settings file "Zelvora.ini": its redirection, the keys read at start and written at the end.
#pragma once

#include "interpreter/settings.h"
#include "text/ini_file.h"

#include <string>

namespace zelvora {

// The file whose keys are read: iniPath itself, or, when its key Umleitung in section
// Anwendungsverzeichnis is not empty, "Zelvora.ini" in the directory that it names.
std::string RedirectedSettingsPath(const tIniFile& file, const std::string& iniPath);

// Reads the keys over the current values (a missing key keeps its value; a missing or unreadable
// file keeps them all). Paths are taken with '\' read as '/'. The recent-script list gets
// PrevSyntaxCount entries (limited to 0..21), entries 0 to 9 read and the rest empty. Gives the
// path that was read, or empty when there was no file.
std::string ReadSettingsFile(tSettings& settings, const std::string& iniPath);

// Sets the previous-journal name to the journal file name, then writes the keys into the file at
// iniPath, keeping its other keys (the redirection and the fonts among them). PrevJournal is
// written only when the journal was saved in this run; at most 10 recent scripts are written. The
// folder of the file is made when missing. False when the file could not be written.
bool WriteSettingsFile(tSettings& settings, const std::string& iniPath);

} // namespace zelvora
