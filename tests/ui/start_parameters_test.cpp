// Start parameters: positions and names, the messages of bad parameters, the help request and the
// completion and check of the requested files.
#include "interpreter/settings_module.h"
#include "ui/start_parameters.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

struct tStartFixture : ::testing::Test {
    tStartFixture()
    {
        tSettings& settings = module.Settings();
        settings.DataDir = "/daten/";
        settings.ExamplesDir = "Beispiele/";
        settings.DemoDir = "Demos/";
    }
    tStartRequests Process(std::vector<std::string> parameters)
    {
        parameters.insert(parameters.begin(), "/usr/bin/zelvora");
        return ProcessStartParameters(parameters, tSettingsView(module),
            [this](const std::string& path) { return existing.contains(path); });
    }
    tSettingsModule module { tPlatformPaths {}, std::tm {} };
    std::set<std::string> existing { "/daten/Beispiele/a.rts", "/daten/Beispiele/mit blank.rts",
        "/daten/Demos/Basisinfo.zvd", "/abs/b.rts" };
};

TEST(StartParameters, PositionsNamesAndMessages)
{
    tParameterParse parse = ParseStartParameters("Zelvora.exe \"a\" \"b\"");
    EXPECT_FALSE(parse.Failed);
    EXPECT_EQ(parse.Values, (std::vector<std::string> { "b", "", "" }));

    parse = ParseStartParameters("Zelvora.exe \"a\", \"b\", \"c\", \"d\"");
    EXPECT_TRUE(parse.Failed);
    EXPECT_EQ(parse.Messages, std::vector<std::string> { "???? =d (zuviele Parameter)" });
    parse = ParseStartParameters("Zelvora.exe , , , x");
    EXPECT_EQ(parse.Messages, std::vector<std::string> { "????? =x (zuviele Parameter)" });

    parse = ParseStartParameters("\"C:\\Zelvora.exe\" skript=\"a\"");
    EXPECT_TRUE(parse.Failed);
    EXPECT_EQ(parse.Messages,
        std::vector<std::string> { "C:\\Zelvora.exe=skript (unbekannter Parametername)" });

    parse = ParseStartParameters("Zelvora.exe demo=\"d\" batch = 12 , \"s\"");
    EXPECT_FALSE(parse.Failed);
    EXPECT_EQ(parse.Values, (std::vector<std::string> { "", "12", "s" }));

    parse = ParseStartParameters("Zelvora.exe");
    EXPECT_FALSE(parse.Failed);
    EXPECT_FALSE(parse.AnyGiven);
    EXPECT_EQ(parse.Messages, std::vector<std::string> { " Startparameter erforderlich" });
}

TEST(StartParameters, CommandLineOfArgumentVector)
{
    EXPECT_EQ(CommandLineOfArguments({ "/usr/bin/zelvora", "a.rts,", "b c.rts", ",",
                  "batchdatei=x y.rts", "demodatei=" }),
        "\"/usr/bin/zelvora\" \"a.rts\" , \"b c.rts\" , batchdatei=\"x y.rts\" demodatei=");
    EXPECT_EQ(CommandLineOfArguments({ "z", ",,q\"r" }), "\"z\" , , \"q\"\"r\"");
    const tParameterParse parse = ParseStartParameters(CommandLineOfArguments({ "z", ",,q\"r" }));
    EXPECT_EQ(parse.Values[2], "q\"r");
}

TEST(StartParameters, QuotesLeftOnByTheShellAreNotPartOfTheName)
{
    for (std::size_t i = 0; i < StartParameters.size(); ++i) {
        const std::string quoted = std::string(StartParameters[i].Name) + "=\"probe datei.rts\"";
        const tParameterParse parse
            = ParseStartParameters(CommandLineOfArguments({ "zelvora", quoted }));
        EXPECT_FALSE(parse.Failed);
        EXPECT_EQ(parse.Values[i], "probe datei.rts");
    }
    const tParameterParse plain
        = ParseStartParameters(CommandLineOfArguments({ "zelvora", "\"probe.rts\"", "x.rts" }));
    EXPECT_EQ(plain.Values[0], "x.rts");
    EXPECT_EQ(
        ParseStartParameters(CommandLineOfArguments({ "zelvora", "\"probe.rts\"" })).Values[0],
        "probe.rts");
}

TEST_F(tStartFixture, HelpRequestShowsTheUsageOnly)
{
    const tStartRequests requests = Process({ "/h", "a.rts" });
    ASSERT_EQ(requests.Messages.size(), 1u);
    EXPECT_EQ(requests.Messages[0].Title, "Zelvora-Info");
    EXPECT_TRUE(requests.Messages[0].Text.starts_with(
        "Zelvora starten mit Datei-Parametern\n\nzelvora \n"));
    EXPECT_NE(requests.Messages[0].Text.find(
                  "zelvora demodatei=dateiname            (wird ausgef\xFChrt)"),
        std::string::npos);
    EXPECT_TRUE(requests.ScriptFile.empty());
    EXPECT_FALSE(requests.Error);
}

TEST_F(tStartFixture, FilesAreCompletedAndChecked)
{
    tStartRequests requests = Process({ "a.rts,", "mit blank.rts" });
    EXPECT_EQ(requests.ScriptFile, "/daten/Beispiele/a.rts");
    EXPECT_EQ(requests.BatchFile, "/daten/Beispiele/mit blank.rts");
    EXPECT_TRUE(requests.Messages.empty());

    requests = Process({ "batchdatei=mit blank.rts", "demodatei=Basisinfo.zvd" });
    EXPECT_EQ(requests.BatchFile, "/daten/Beispiele/mit blank.rts");
    EXPECT_EQ(requests.DemoFile, "/daten/Demos/Basisinfo.zvd");

    requests = Process({ "\\abs\\b.rts" });
    EXPECT_EQ(requests.ScriptFile, "/abs/b.rts");

    requests = Process({ "fehlt.rts", ",", "a.rts" });
    EXPECT_TRUE(requests.Error);
    EXPECT_TRUE(requests.ScriptFile.empty());
    EXPECT_EQ(requests.BatchFile, "/daten/Beispiele/a.rts");
    ASSERT_EQ(requests.Messages.size(), 1u);
    EXPECT_EQ(requests.Messages[0].Title, "Startparameter-Fehler");
    EXPECT_EQ(requests.Messages[0].Text,
        "Scriptdatei \n\"/daten/Beispiele/fehlt.rts\"\nkonnte beim "
        "Startaufruf nicht ge\xF6"
        "ffnet werden.\n\"/usr/bin/zelvora\" \"fehlt.rts\" , \"a.rts\"");
}

// A relative name in the current folder is taken from there before the data directory.
TEST_F(tStartFixture, TheCurrentFolderComesFirst)
{
    const std::string here = std::filesystem::current_path().string();
    existing.insert(here + "/a.rts");
    existing.insert(here + "/lauf.rts");
    tStartRequests requests = Process({ "lauf.rts,", "a.rts" });
    EXPECT_EQ(requests.ScriptFile, here + "/lauf.rts");
    EXPECT_EQ(requests.BatchFile, here + "/a.rts");
    EXPECT_TRUE(requests.Messages.empty());
    requests = Process({ "demodatei=Basisinfo.zvd" });
    EXPECT_EQ(requests.DemoFile, "/daten/Demos/Basisinfo.zvd");
}

TEST_F(tStartFixture, ParseErrorsAskForNothing)
{
    const tStartRequests requests = Process({ "skript=a.rts" });
    EXPECT_FALSE(requests.Error);
    EXPECT_TRUE(requests.ScriptFile.empty());
    ASSERT_EQ(requests.Messages.size(), 1u);
    EXPECT_EQ(requests.Messages[0].Title, "Start-parameter Fehler");
    EXPECT_EQ(requests.Messages[0].Text,
        "/usr/bin/zelvora=skript (unbekannter Parametername)\n"
        "Starten Sie \nzelvora ?\n um Syntaxhilfe zu bekommen");
    EXPECT_TRUE(Process({}).Messages.empty());
}

} // namespace
} // namespace zelvora
