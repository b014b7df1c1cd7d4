// Reading and writing "Zelvora.ini".
#include "interpreter/settings_file.h"

#include <algorithm>
#include <filesystem>

namespace zelvora {
namespace {

constexpr std::string_view ApplicationSection = "Anwendungsverzeichnis";
constexpr std::string_view DataSection = "Datenverzeichnis";
constexpr std::string_view GuiSection = "GUI";
constexpr std::string_view VersionSection = "Versionsinfo";
constexpr std::string_view DefaultFontKey = "FixFONT1";
constexpr std::int32_t WrittenRecentScripts = 10;

void ReadPath(
    const tIniFile& file, std::string_view section, std::string_view key, std::string& setting)
{
    setting = ForwardSlashes(file.ReadString(section, key, setting));
}

} // namespace

std::string RedirectedSettingsPath(const tIniFile& file, const std::string& iniPath)
{
    const std::string redirection = file.ReadString(ApplicationSection, "Umleitung", "");
    if (redirection.empty())
        return iniPath;
    // The value names a directory; a missing separator at its end is supplied.
    return WithTrailingSeparator(redirection) + std::string(SettingsFileName);
}

std::string ReadSettingsFile(tSettings& settings, const std::string& iniPath)
{
    tIniFile file;
    std::string path = iniPath;
    if (!file.Load(path))
        return {};
    const std::string redirected = RedirectedSettingsPath(file, path);
    if (redirected != path) {
        path = redirected;
        if (!file.Load(path))
            return {};
    }

    ReadPath(file, DataSection, "DatenPfad", settings.DataDir);
    ReadPath(file, DataSection, "BeispieleVerz", settings.ExamplesDir);
    ReadPath(file, DataSection, "DemoVerz", settings.DemoDir);
    ReadPath(file, DataSection, "JournalVerz", settings.JournalDir);
    ReadPath(file, DataSection, "PrevJournal", settings.JournalPrevName);
    const std::int32_t count = file.ReadInteger(DataSection, "PrevSyntaxCount", 0);
    std::vector<std::string> entries;
    for (std::int32_t i = 0; i < WrittenRecentScripts; ++i)
        entries.push_back(
            ForwardSlashes(file.ReadString(DataSection, "PrevSyntax" + std::to_string(i), "")));
    settings.RecentScripts.Assign(count, entries);
    ReadPath(file, DataSection, "ListingVerz", settings.ListingDir);

    ReadPath(file, ApplicationSection, "Basispfad", settings.ProgramDir);
    ReadPath(file, ApplicationSection, "HilfeVerz", settings.HelpDir);
    ReadPath(file, ApplicationSection, "Orbidexpfad", settings.OrbidexDir);

    const std::string commentKey = file.ReadString(GuiSection, "Commentfont", DefaultFontKey);
    const std::string commandKey = file.ReadString(GuiSection, "CMDFont", DefaultFontKey);
    settings.CommentFont = file.ReadString(GuiSection, commentKey, settings.CommentFont);
    settings.CommandFont = file.ReadString(GuiSection, commandKey, settings.CommandFont);
    settings.FirstTimeUsed = file.ReadBool(GuiSection, "RunFirstTime", settings.FirstTimeUsed);
    return path;
}

bool WriteSettingsFile(tSettings& settings, const std::string& iniPath)
{
    settings.JournalPrevName = settings.JournalFileName;

    tIniFile file;
    file.Load(iniPath);
    file.WriteString(DataSection, "DatenPfad", settings.DataDir);
    file.WriteString(DataSection, "BeispieleVerz", settings.ExamplesDir);
    file.WriteString(DataSection, "DemoVerz", settings.DemoDir);
    file.WriteString(DataSection, "JournalVerz", settings.JournalDir);
    file.WriteString(DataSection, "JournalDateiname", settings.JournalFileName);
    if (settings.JournalSaved)
        file.WriteString(DataSection, "PrevJournal", settings.JournalFileName);
    const auto& recent = settings.RecentScripts.Entries();
    const auto count
        = std::min<std::int32_t>(WrittenRecentScripts, static_cast<std::int32_t>(recent.size()));
    file.WriteInteger(DataSection, "PrevSyntaxCount", count);
    for (std::int32_t i = 0; i < count; ++i)
        file.WriteString(
            DataSection, "PrevSyntax" + std::to_string(i), recent[static_cast<std::size_t>(i)]);
    file.WriteString(DataSection, "ListingVerz", settings.ListingDir);
    file.WriteString(DataSection, "ListingDateiname", settings.ListingFileName);

    file.WriteString(ApplicationSection, "Basispfad", settings.ProgramDir);
    file.WriteString(ApplicationSection, "HilfeVerz", settings.HelpDir);
    file.WriteString(ApplicationSection, "Orbidexpfad", settings.OrbidexDir);
    file.WriteBool(GuiSection, "RunFirstTime", settings.FirstTimeUsed);
    file.WriteString(VersionSection, "Version", ProgramVersion);

    std::error_code error;
    const std::filesystem::path folder
        = std::filesystem::path(FileSystemPath(iniPath)).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    return file.Save(iniPath);
}

} // namespace zelvora
