// Where a session finds the files of BATCH and DEMO on an account whose data directory was never
// prepared, and that a write into the data directory makes its folders.
#include "support/recording_ports.h"
#include "text/data_directory.h"
#include "ui/session.h"
#include "variables/display_list.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;
namespace fs = std::filesystem;

class FilePlaces : public ::testing::Test {
protected:
    FilePlaces()
    {
        fs::create_directories(root / "home");
        fs::create_directories(root / "shipped/Beispiele");
        fs::create_directories(root / "shipped/Demos");
        fs::create_directories(root / "script");
        fs::create_directories(root / "current");
        fs::current_path(root / "current");
    }
    ~FilePlaces() override
    {
        fs::current_path(before);
        fs::remove_all(root);
    }

    void Write(const std::string& path, const std::string& text)
    {
        std::ofstream(root / path) << text;
    }

    // Runs text as a script beside which the folder "script" lies.
    tRunOutcome Run(const std::string& text)
    {
        return session.RunText(text, (root / "script").string() + "/", "lauf.rts");
    }

    std::string Value(const std::string& name)
    {
        if (!session.Variable(name))
            return "-";
        return std::to_string(session.Variable(name)->intvalue);
    }

    const fs::path before = fs::current_path();
    const fs::path root
        = fs::temp_directory_path() / ("zelvora-places-" + std::to_string(::getpid()));
    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tRecordingCommandWindow commandWindow;
    tSession session { { &journalView, &listingView, &commandWindow }, "09.12.2026 10:00:00",
        tPlatformPaths { "/nonexistent/", (root / "home").string() + "/",
            (root / "home/.config").string() + "/", (root / "shipped").string() + "/" } };
};

TEST_F(FilePlaces, BatchLooksBesideTheScriptThenHereThenTheDataFolderThenTheShippedCopy)
{
    Write("script/a.rts", "a = 1");
    Write("current/a.rts", "a = 2");
    Write("current/b.rts", "b = 2");
    Write("shipped/Beispiele/b.rts", "b = 4");
    Write("shipped/Beispiele/c.rts", "c = 4");
    EXPECT_TRUE(Run("BATCH \"a.rts\"\nBATCH \"b.rts\"\nBATCH \"c.rts\"").Success);
    EXPECT_EQ(Value("a"), "1");
    EXPECT_EQ(Value("b"), "2");
    EXPECT_EQ(Value("c"), "4");
    EXPECT_TRUE(commandWindow.Warnings.empty());

    // The data folder's copy comes before the shipped one.
    fs::create_directories(root / "home/Zelvora/Beispiele");
    Write("home/Zelvora/Beispiele/c.rts", "c = 3");
    EXPECT_TRUE(Run("BATCH \"c.rts\"").Success);
    EXPECT_EQ(Value("c"), "3");

    // Found nowhere: the warning names every folder looked in.
    EXPECT_TRUE(Run("BATCH \"d.rts\"").Success);
    ASSERT_EQ(commandWindow.Warnings.size(), 1u);
    EXPECT_EQ(commandWindow.Warnings[0],
        "lauf.rts:1: Warnung: BATCH: Die Datei \"d.rts\" wurde nicht gefunden (gesucht in "
            + (root / "script").string() + "/, " + (root / "current").string() + "/, "
            + (root / "home/Zelvora/Beispiele").string() + "/, "
            + (root / "shipped/Beispiele").string() + "/)");
}

TEST_F(FilePlaces, DemoFallsBackToTheShippedDemos)
{
    Write("shipped/Demos/Kurz.zvd", "Kurz\n");
    // This session plays no demos: the failure says so, which shows that the file was found.
    EXPECT_FALSE(Run("DEMO \"kurz.zvd\"").Success);
    EXPECT_TRUE(commandWindow.Warnings.empty());
    // A demo found nowhere is no failure, but warned about.
    EXPECT_TRUE(Run("DEMO \"fehlt.zvd\"").Success);
    ASSERT_EQ(commandWindow.Warnings.size(), 1u);
}

TEST_F(FilePlaces, AWriteIntoTheDataFolderMakesItsFolders)
{
    EXPECT_TRUE(Run("MATWRITE CSV(datenpfad + BeispielePfad + \"k.csv\") = {{1, 2}}\n"
                    "SAVE datenpfad + \"Sicher/a.zvw\"")
                    .Success);
    EXPECT_TRUE(fs::is_regular_file(root / "home/Zelvora/Beispiele/k.csv"));
    EXPECT_TRUE(fs::is_regular_file(root / "home/Zelvora/Sicher/a.zvw"));
    // Outside the data folder a missing folder stays the user's mistake.
    EXPECT_FALSE(
        Run("MATWRITE CSV(\"" + (root / "nirgends/k.csv").string() + "\") = {{1}}").Success);
    EXPECT_FALSE(fs::exists(root / "nirgends"));
}

} // namespace
} // namespace zelvora
