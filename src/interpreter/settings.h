// The settings of the running program: directories, file names, the first-start flag, the
// recent-script list and the command editor's fonts, with their values at creation.
#pragma once

#include "text/data_directory.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

inline constexpr std::string_view ProgramVersion = "0.160821 Beta";

// Recently used script files, newest first, at most 21 entries.
class tRecentScripts {
public:
    static constexpr std::size_t MaxEntries = 21;

    // The text becomes entry 0; the others move down, the last one falls out of a full list.
    void Add(std::string_view text);
    // A name below baseDir (the data directory joined with the examples directory) is made
    // relative to it, any other name keeps its full path; an entry equal to it when upper-cased is
    // removed first, then it is added.
    void AddFile(std::string_view fileName, std::string_view baseDir);
    // Entries after index move up; an index outside the list changes nothing.
    void Remove(std::size_t index);
    // count entries, the first of them from entries and the rest empty (count limited to 0..21).
    void Assign(std::int32_t count, const std::vector<std::string>& entries);

    const std::vector<std::string>& Entries() const { return m_entries; }
    std::size_t Size() const { return m_entries.size(); }

private:
    std::vector<std::string> m_entries;
};

struct tSettings {
    std::string ProgramDir; // exepfad, ends in '/'
    std::string DataDir; // datenpfad
    std::string ExamplesDir = "Beispiele/"; // BeispielePfad, below the data directory
    std::string JournalDir = "Journal/"; // Journalpfad
    std::string JournalFileName; // JournalDname
    std::string JournalPrevName; // JournalPrevname
    std::string ListingDir = "Journal/"; // Listingpfad
    std::string ListingFileName; // ListingDname
    std::string DemoDir = "Demos/"; // Demopfad
    std::string OrbidexDir; // Orbidex_Pfad: the add-on programs
    std::string HelpDir = "Hilfe/"; // HilfePfad
    std::string HelpFirstSteps = "Zelvora-Help.rtf"; // hilfe_erste
    std::string HelpIntroduction = "Zelvora-HelpEinf\xFChrung.rtf"; // hilfe_einf
    std::string HelpNews = "Zelvora-Neues.rtf"; // hilfe_neues
    std::string HelpReference = "Zelvora-HelpReferenz.rtf"; // hilfe_refer
    bool FirstTimeUsed = true;
    bool JournalSaved = false; // set by the journal window when it saved the journal in this run
    bool ListQuoteStrings = true; // clQuoteStrings: LIST quotes strings
    std::string CommentFont = "Letter Gothic";
    std::string CommandFont = "Letter Gothic";
    tRecentScripts RecentScripts;
    std::string WelcomeText; // the command window's first tab

    // The data directory joined with the examples, demo, journal and listing directories.
    std::string ExamplesDirectory() const { return JoinPath(DataDir, ExamplesDir); }
    std::string DemoDirectory() const { return JoinPath(DataDir, DemoDir); }
    std::string JournalFilePath() const
    {
        return JoinPath(JoinPath(DataDir, JournalDir), JournalFileName);
    }
    std::string ListingFilePath() const
    {
        return JoinPath(JoinPath(DataDir, ListingDir), ListingFileName);
    }
};

// The settings at creation: the program directory and its "Helpers/" folder, the data directory
// "Zelvora/" in the home directory, and journal and listing names from startTime.
tSettings DefaultSettings(const tPlatformPaths& paths, const std::tm& startTime);

// "YYMMDD_hhmmss" of the time, each part two digits (14 January 2026, 09:30:15: "260114_093015").
std::string StartTimeStamp(const std::tm& time);
// "Zelvora@" + stamp + ".zvj" and "Listing@" + stamp + ".rtf".
void SetStartTimeNames(tSettings& settings, const std::tm& startTime);

// The local time now.
std::tm LocalTimeNow();

} // namespace zelvora
