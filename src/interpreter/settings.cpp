// The settings' defaults, the start-time file names and the recent-script list.
#include "interpreter/settings.h"

#include "lexicon/scanner.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace zelvora {

void tRecentScripts::Add(std::string_view text)
{
    if (m_entries.size() >= MaxEntries)
        m_entries.pop_back();
    m_entries.insert(m_entries.begin(), std::string(text));
}

void tRecentScripts::AddFile(std::string_view fileName, std::string_view baseDir)
{
    const std::string name = RelativeIfBelow(fileName, baseDir);
    const std::string key = NameFold(name);
    std::erase_if(m_entries, [&key](const std::string& entry) { return NameFold(entry) == key; });
    Add(name);
}

void tRecentScripts::Remove(std::size_t index)
{
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

void tRecentScripts::Assign(std::int32_t count, const std::vector<std::string>& entries)
{
    const auto size = static_cast<std::size_t>(std::clamp<std::int32_t>(count, 0, MaxEntries));
    m_entries.assign(size, std::string());
    for (std::size_t i = 0; i < size && i < entries.size(); ++i)
        m_entries[i] = entries[i];
}

std::string StartTimeStamp(const std::tm& time)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d%02d%02d_%02d%02d%02d", (time.tm_year + 1900) % 100,
        (time.tm_mon + 1) % 100, time.tm_mday % 100, time.tm_hour % 100, time.tm_min % 100,
        time.tm_sec % 100);
    return stamp;
}

void SetStartTimeNames(tSettings& settings, const std::tm& startTime)
{
    const std::string stamp = StartTimeStamp(startTime);
    settings.JournalFileName = "Zelvora@" + stamp + ".zvj";
    settings.ListingFileName = "Listing@" + stamp + ".rtf";
}

tSettings DefaultSettings(const tPlatformPaths& paths, const std::tm& startTime)
{
    tSettings settings;
    settings.ProgramDir = WithTrailingSeparator(paths.ProgramDir);
    settings.DataDir = DefaultDataDirectory(paths);
    settings.OrbidexDir = JoinPath(settings.ProgramDir, "Helpers/");
    SetStartTimeNames(settings, startTime);
    return settings;
}

std::tm LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return local;
}

} // namespace zelvora
