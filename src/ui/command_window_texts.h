// The command window's texts and lists that do not depend on a toolkit: captions, default tab
// names, the recent-script list at closing, and where a recent entry points.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

inline constexpr std::string_view CommandWindowStartCaption = "Zelvora's  Mathbook";

// "Zelvora - " + the file (directory and name) relative to baseDir, without the part from its last
// '.' on.
std::string CommandWindowCaption(
    std::string_view directory, std::string_view fileName, std::string_view baseDir);

// A tab's caption: one blank + the file name without the part from its last '.' on.
std::string TabCaption(std::string_view fileName);

// Name and default file name of new tab number n: "Syntax" + n and "Syntax" + n + ".rts".
std::string NewTabName(std::int32_t number);
std::string NewTabFileName(std::int32_t number);

// The recent-script list when the command window closes: the files of the tabs bound to one (at
// most 50, each made relative to baseDir when below it), then the old entries, duplicates removed
// (exact comparison, first kept), at most maxEntries.
std::vector<std::string> RebuiltRecentScripts(const std::vector<std::string>& tabFiles,
    const std::vector<std::string>& oldEntries, std::string_view baseDir, std::size_t maxEntries);

// The file a recent entry (or any name the user gave relative to the examples) stands for: a
// relative name is put below baseDir.
std::string RecentScriptPath(std::string_view entry, std::string_view baseDir);

// "Datei "name" konnte nicht gefunden werden"
std::string FileNotFoundText(std::string_view name);

} // namespace zelvora
