// Captions, tab names and the recent-script list of the command window.
#include "ui/command_window_texts.h"

#include "text/paths.h"

#include <algorithm>

namespace zelvora {
namespace {

constexpr std::size_t MaxTabFilesRemembered = 50;

std::string_view WithoutExtension(std::string_view name)
{
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return name;
    return name.substr(0, dot);
}

} // namespace

std::string CommandWindowCaption(
    std::string_view directory, std::string_view fileName, std::string_view baseDir)
{
    const std::string file = RelativeIfBelow(JoinPath(directory, fileName), baseDir);
    return "Zelvora - " + std::string(WithoutExtension(file));
}

std::string TabCaption(std::string_view fileName)
{
    return " " + std::string(WithoutExtension(fileName));
}

std::string NewTabName(std::int32_t number)
{
    return "Syntax" + std::to_string(number);
}

std::string NewTabFileName(std::int32_t number)
{
    return NewTabName(number) + ".rts";
}

std::vector<std::string> RebuiltRecentScripts(const std::vector<std::string>& tabFiles,
    const std::vector<std::string>& oldEntries, std::string_view baseDir, std::size_t maxEntries)
{
    std::vector<std::string> entries;
    auto add = [&](std::string name) {
        if (!name.empty() && entries.size() < maxEntries
            && std::find(entries.begin(), entries.end(), name) == entries.end())
            entries.push_back(std::move(name));
    };
    const std::size_t tabCount = std::min(tabFiles.size(), MaxTabFilesRemembered);
    for (std::size_t i = 0; i < tabCount; ++i)
        add(RelativeIfBelow(tabFiles[i], baseDir));
    for (const std::string& entry : oldEntries)
        add(entry);
    return entries;
}

std::string RecentScriptPath(std::string_view entry, std::string_view baseDir)
{
    return JoinPath(baseDir, entry);
}

std::string FileNotFoundText(std::string_view name)
{
    return "Datei \"" + std::string(name) + "\" konnte nicht gefunden werden";
}

} // namespace zelvora
