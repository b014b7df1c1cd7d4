// Captions and the recent-script list of the command window.
#include "ui/command_window_texts.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(CommandWindowCaption, RelativeToTheExamplesWithoutExtension)
{
    EXPECT_EQ(CommandWindowCaption(
                  "/home/u/Zelvora/Beispiele/Rot", "fa.v1.rts", "/home/u/Zelvora/Beispiele/"),
        "Zelvora - Rot/fa.v1");
    EXPECT_EQ(
        CommandWindowCaption("/tmp", "x.rts", "/home/u/Zelvora/Beispiele"), "Zelvora - /tmp/x");
    EXPECT_EQ(TabCaption("Syntax3"), " Syntax3");
    EXPECT_EQ(TabCaption("a.b.rts"), " a.b");
}

TEST(RebuiltRecentScripts, TabFilesFirstThenOldEntriesWithoutDuplicates)
{
    const std::vector<std::string> tabs { "/d/B/eins.rts", "/elsewhere/zwei.rts", "/d/B/eins.rts" };
    const std::vector<std::string> old { "drei.rts", "eins.rts", "", "vier.rts" };
    EXPECT_EQ(RebuiltRecentScripts(tabs, old, "/d/B", 21),
        (std::vector<std::string> { "eins.rts", "/elsewhere/zwei.rts", "drei.rts", "vier.rts" }));
    EXPECT_EQ(RebuiltRecentScripts(tabs, old, "/d/B", 2).size(), 2u);
}

TEST(RecentScriptPath, RelativeEntriesLieBelowTheExamples)
{
    EXPECT_EQ(RecentScriptPath("Rot/fa.rts", "/d/B"), "/d/B/Rot/fa.rts");
    EXPECT_EQ(RecentScriptPath("/x/y.rts", "/d/B"), "/x/y.rts");
    EXPECT_EQ(RecentScriptPath("C:\\x\\y.rts", "/d/B"), "C:/x/y.rts");
    EXPECT_EQ(FileNotFoundText("a.rts"), "Datei \"a.rts\" konnte nicht gefunden werden");
}

} // namespace
} // namespace zelvora
