// The settings through start and end of runs in a temporary directory: the settings file with its
// redirection, the recent-script list, the names from the start time, the welcome text and the
// data directory.
#include "interpreter/settings_file.h"
#include "interpreter/settings_module.h"
#include "interpreter/welcome_text.h"
#include "text/ini_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <unistd.h>

namespace zelvora {
namespace {

namespace fs = std::filesystem;

struct tSettingsFixture : ::testing::Test {
    tSettingsFixture()
    {
        root = fs::temp_directory_path()
            / ("zelvora-settings-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        for (const char* folder : { "bin", "home", "config", "shipped/Beispiele" })
            fs::create_directories(root / folder);
        Write("shipped/Beispiele/willkommen.rts", "A = 1\n");
        paths = { Dir("bin"), Dir("home"), Dir("config"), Dir("shipped") };
        start.tm_year = 126;
        start.tm_mon = 0;
        start.tm_mday = 14;
        start.tm_hour = 9;
        start.tm_min = 30;
        start.tm_sec = 15;
    }
    ~tSettingsFixture() override { fs::remove_all(root); }

    std::string Dir(const std::string& name) const { return (root / name).string() + "/"; }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(root / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(root / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path root;
    tPlatformPaths paths;
    std::tm start {};
};

TEST_F(tSettingsFixture, RecentScriptsAndStartTimeNames)
{
    EXPECT_EQ(StartTimeStamp(start), "260114_093015");
    const tSettings defaults = DefaultSettings(paths, start);
    EXPECT_EQ(defaults.JournalFileName, "Zelvora@260114_093015.zvj");
    EXPECT_EQ(defaults.ListingFileName, "Listing@260114_093015.rtf");
    EXPECT_EQ(defaults.DataDir, Dir("home") + "Zelvora/");
    EXPECT_EQ(defaults.OrbidexDir, Dir("bin") + "Helpers/");

    tRecentScripts recent;
    for (int i = 0; i < 25; ++i)
        recent.Add("s" + std::to_string(i));
    EXPECT_EQ(recent.Size(), 21u);
    EXPECT_EQ(recent.Entries().front(), "s24");
    EXPECT_EQ(recent.Entries().back(), "s4");
    recent.Remove(0);
    recent.Remove(99);
    EXPECT_EQ(recent.Entries().front(), "s23");

    tRecentScripts files;
    files.AddFile("/d/Beispiele/a.rts", "/d/Beispiele/");
    files.AddFile("/anderswo/b.rts", "/d/Beispiele/");
    files.AddFile("\\d\\Beispiele\\sub\\c.rts", "/d/Beispiele");
    files.AddFile("/d/beispiele/../Beispiele/A.RTS", "/d/Beispiele/");
    EXPECT_EQ(
        files.Entries(), (std::vector<std::string> { "A.RTS", "sub/c.rts", "/anderswo/b.rts" }));
}

TEST_F(tSettingsFixture, WrittenSettingsAreReadByTheNextRun)
{
    std::string written;
    {
        tSettingsModule first(paths, start);
        first.Start();
        EXPECT_EQ(first.FileRead(), "");
        EXPECT_NE(first.Settings().WelcomeText.find("Beispiel: "), std::string::npos);
        EXPECT_FALSE(first.Settings().FirstTimeUsed);
        // The data directory was made with the shipped examples and its subfolders.
        EXPECT_TRUE(fs::exists(root / "home/Zelvora/Beispiele/willkommen.rts"));
        EXPECT_TRUE(fs::is_directory(root / "home/Zelvora/Journal"));

        tSettings& settings = first.Settings();
        for (int i = 0; i < 15; ++i)
            settings.RecentScripts.Add("skript" + std::to_string(i) + ".rts");
        settings.DataDir = Dir("daten");
        settings.DemoDir = "Vorf\xFChrungen/";
        settings.JournalSaved = true;
        written = first.FileToWrite();
        EXPECT_EQ(written, Dir("config") + "zelvora/Zelvora.ini");
        EXPECT_TRUE(first.Finish());
    }
    const std::string text = Read("config/zelvora/Zelvora.ini");
    EXPECT_NE(text.find("PrevSyntaxCount=10\n"), std::string::npos);
    EXPECT_NE(text.find("PrevSyntax9=skript5.rts\n"), std::string::npos);
    EXPECT_EQ(text.find("PrevSyntax10"), std::string::npos);
    EXPECT_NE(text.find("PrevJournal=Zelvora@260114_093015.zvj\n"), std::string::npos);
    EXPECT_NE(text.find("Vorf\xC3\xBChrungen/"), std::string::npos); // written as UTF-8
    EXPECT_NE(text.find("Version=0.160821 Beta\n"), std::string::npos);

    std::tm later = start;
    later.tm_hour = 10;
    tSettingsModule second(paths, later);
    second.Start();
    const tSettings& settings = second.Settings();
    EXPECT_EQ(second.FileRead(), written);
    EXPECT_EQ(settings.DataDir, Dir("daten"));
    EXPECT_EQ(settings.DemoDir, "Vorf\xFChrungen/");
    ASSERT_EQ(settings.RecentScripts.Size(), 10u);
    EXPECT_EQ(settings.RecentScripts.Entries().front(), "skript14.rts");
    EXPECT_EQ(settings.JournalPrevName, "Zelvora@260114_093015.zvj");
    EXPECT_EQ(settings.JournalFileName, "Zelvora@260114_103015.zvj");
    EXPECT_FALSE(settings.JournalSaved);
    EXPECT_EQ(settings.WelcomeText, WelcomeText(false)); // no longer a first start
    EXPECT_EQ(WelcomeText(false),
        ";******  Zelvora Version 0.160821 Beta *****************************\r\n");
}

TEST_F(tSettingsFixture, RedirectionIsReadAndKeptWhenWriting)
{
    // A settings file beside the program that may be written is used, and it redirects.
    fs::create_directories(root / "anders");
    Write("bin/Zelvora.ini",
        "[Anwendungsverzeichnis]\nUmleitung=" + (root / "anders").string()
            + "\n[GUI]\nCommentfont=Schrift2\nSchrift2=Courier New\n");
    Write("anders/Zelvora.ini",
        "[Datenverzeichnis]\nDatenPfad=C:\\Daten\\\nPrevSyntaxCount=2\n"
        "PrevSyntax0=x.rts\n[Anwendungsverzeichnis]\nBasispfad="
            + Dir("anders") + "\n[GUI]\nRunFirstTime=1\n");
    tSettingsModule module(paths, start);
    module.Start();
    EXPECT_EQ(module.FileRead(), Dir("anders") + "Zelvora.ini");
    EXPECT_EQ(module.Settings().DataDir, "C:/Daten/");
    EXPECT_FALSE(fs::exists("C:")); // a drive-letter data directory is not made here
    EXPECT_EQ(
        module.Settings().RecentScripts.Entries(), (std::vector<std::string> { "x.rts", "" }));
    EXPECT_NE(module.Settings().WelcomeText.find("demo \"Basisinfo.zvd\""), std::string::npos);
    // The fonts come from the file that was read, not from the redirecting one.
    EXPECT_EQ(module.Settings().CommentFont, "Letter Gothic");

    // The redirected file changed the program directory, so writing goes there.
    module.Settings().RecentScripts.Add("y.rts");
    EXPECT_TRUE(module.Finish());
    EXPECT_NE(Read("anders/Zelvora.ini").find("PrevSyntax0=y.rts"), std::string::npos);
    EXPECT_NE(Read("bin/Zelvora.ini").find("Umleitung="), std::string::npos);

    tSettingsModule next(paths, start);
    next.Start();
    EXPECT_EQ(next.Settings().RecentScripts.Entries().front(), "y.rts");
    EXPECT_FALSE(next.Settings().FirstTimeUsed);
}

TEST_F(tSettingsFixture, FontsAndFlagsOfTheSettingsFile)
{
    fs::create_directories(root / "config/zelvora");
    Write("config/zelvora/Zelvora.ini",
        "[GUI]\nCommentfont=Schrift2\nSchrift2=Courier New\nFixFONT1=Mono\n"
        "RunFirstTime=0\n");
    tSettings settings = DefaultSettings(paths, start);
    ReadSettingsFile(settings, SettingsFilePath(paths.ProgramDir, paths.ConfigHome));
    EXPECT_EQ(settings.CommentFont, "Courier New");
    EXPECT_EQ(settings.CommandFont, "Mono");
    EXPECT_FALSE(settings.FirstTimeUsed);

    // Keys that are not written survive writing; PrevJournal only after the journal was saved.
    EXPECT_TRUE(WriteSettingsFile(settings, Dir("config") + "zelvora/Zelvora.ini"));
    const std::string text = Read("config/zelvora/Zelvora.ini");
    EXPECT_NE(text.find("Schrift2=Courier New"), std::string::npos);
    EXPECT_EQ(text.find("PrevJournal"), std::string::npos);
    EXPECT_EQ(settings.JournalPrevName, settings.JournalFileName);
}

TEST_F(tSettingsFixture, CorruptMissingAndUnwritableFiles)
{
    // Garbage and out-of-range counts give the defaults or bounded values, never a crash.
    fs::create_directories(root / "config/zelvora");
    Write("config/zelvora/Zelvora.ini",
        std::string("\x00\xFF[\n=\n[Datenverzeichnis\n", 24)
            + "[Datenverzeichnis]\nPrevSyntaxCount=2147483647\nDemoVerz\n");
    tSettings settings = DefaultSettings(paths, start);
    const tSettings defaults = settings;
    ReadSettingsFile(settings, SettingsFilePath(paths.ProgramDir, paths.ConfigHome));
    EXPECT_EQ(settings.RecentScripts.Size(), tRecentScripts::MaxEntries);
    EXPECT_EQ(settings.DemoDir, defaults.DemoDir);
    Write("config/zelvora/Zelvora.ini", "[Datenverzeichnis]\nPrevSyntaxCount=-4\n");
    ReadSettingsFile(settings, SettingsFilePath(paths.ProgramDir, paths.ConfigHome));
    EXPECT_EQ(settings.RecentScripts.Size(), 0u);

    EXPECT_EQ(ReadSettingsFile(settings, Dir("fehlt") + "Zelvora.ini"), "");
    // A redirection to a missing file keeps the defaults.
    Write("bin/Zelvora.ini", "[Anwendungsverzeichnis]\nUmleitung=" + Dir("fehlt") + "\n");
    tSettings redirected = DefaultSettings(paths, start);
    EXPECT_EQ(ReadSettingsFile(redirected, Dir("bin") + "Zelvora.ini"), "");
    EXPECT_EQ(redirected.DataDir, defaults.DataDir);

    // A settings path below a file cannot be written: failure, nothing else.
    EXPECT_FALSE(WriteSettingsFile(settings, Dir("bin") + "Zelvora.ini/x/Zelvora.ini"));
    EXPECT_FALSE(PrepareDataDirectory(Dir("bin") + "Zelvora.ini/daten/", paths.ShippedDir));
    EXPECT_FALSE(PrepareDataDirectory("relativ/", paths.ShippedDir));
}

TEST_F(tSettingsFixture, ExistingDataDirectoryKeepsItsExamples)
{
    // Examples of the user's own stay as they are, and nothing is added to them.
    fs::create_directories(root / "home/Zelvora/Beispiele");
    Write("home/Zelvora/Beispiele/eigenes.rts", "B = 2\n");
    EXPECT_TRUE(PrepareDataDirectory(Dir("home") + "Zelvora/", paths.ShippedDir));
    EXPECT_FALSE(fs::exists(root / "home/Zelvora/Beispiele/willkommen.rts"));
    EXPECT_EQ(Read("home/Zelvora/Beispiele/eigenes.rts"), "B = 2\n");

    // A data directory made when no examples were found gets them on the next start.
    fs::remove_all(root / "home/Zelvora/Beispiele");
    EXPECT_TRUE(PrepareDataDirectory(Dir("home") + "Zelvora/", paths.ShippedDir));
    EXPECT_EQ(Read("home/Zelvora/Beispiele/willkommen.rts"), "A = 1\n");
}

TEST(DataDirectory, PathRules)
{
    EXPECT_TRUE(IsAbsolutePath("/x"));
    EXPECT_TRUE(IsAbsolutePath("\\x"));
    EXPECT_TRUE(IsAbsolutePath("c:x"));
    EXPECT_FALSE(IsAbsolutePath("1:x"));
    EXPECT_FALSE(IsAbsolutePath("x/y"));
    EXPECT_FALSE(IsAbsolutePath(""));
    EXPECT_EQ(JoinPath("/d", "Beispiele\\a.rts"), "/d/Beispiele/a.rts");
    EXPECT_EQ(JoinPath("/d/", "D:\\a.rts"), "D:/a.rts");
    EXPECT_EQ(WithTrailingSeparator(""), "");
    EXPECT_EQ(FileSystemPath("/j\xFCrgen"), "/j\xC3\xBCrgen");
    EXPECT_EQ(ProgramPathText("/j\xC3\xBCrgen"), "/j\xFCrgen");
}

} // namespace
} // namespace zelvora
