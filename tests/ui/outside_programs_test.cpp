// ORBIDEX and ANIMATE: the files they write to the temporary directory and the programs they start
// from the add-on directory.
#include "formats/oxf_format.h"
#include "support/recording_ports.h"
#include "ui/session.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class tRecordingProcesses : public tProcessPort {
public:
    bool Start(const std::string& program, const std::vector<std::string>& arguments) override
    {
        Program = program;
        Arguments = arguments;
        return Starts;
    }
    bool Starts = true;
    std::string Program;
    std::vector<std::string> Arguments;
};

class OutsidePrograms : public ::testing::Test {
protected:
    void SetUp() override
    {
        addOns = std::filesystem::temp_directory_path()
            / ("zelvora-addons-" + std::to_string(::getpid()));
        std::filesystem::create_directories(addOns);
        ASSERT_TRUE(session.RunText("Orbidex_Pfad = \"" + addOns.string() + "\"", "").Success);
        ASSERT_TRUE(session.RunText("M = {{0.5,-0.25},{0,0},{3,4}}", "").Success);
    }
    void TearDown() override { std::filesystem::remove_all(addOns); }

    void Install(const std::string& name) { std::ofstream(addOns / name) << "#!/bin/sh\n"; }

    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tRecordingCommandWindow commandWindow;
    tRecordingProcesses processes;
    tSession session { { .JournalView = &journalView,
                           .ListingView = &listingView,
                           .CommandWindow = &commandWindow,
                           .Processes = &processes },
        "09.12.2026 10:00:00" };
    std::filesystem::path addOns;
};

TEST_F(OutsidePrograms, OrbidexGetsTheFactorFile)
{
    tRunOutcome result = session.RunText("ORBIDEX M", "");
    EXPECT_EQ(result.Code, 4);
    EXPECT_EQ(result.Message, "Ausf\xFChrbare Datei ORBIDEX.EXE nicht gefunden");

    Install("orbidex.exe");
    result = session.RunText("ORBIDEX M", "");
    ASSERT_TRUE(result.Success) << result.Message;
    EXPECT_EQ(processes.Program, (addOns / "orbidex.exe").string());
    ASSERT_EQ(processes.Arguments.size(), 1u);
    const std::string file = processes.Arguments[0];
    EXPECT_EQ(std::filesystem::path(file).filename(), "Zelvora.oxf");
    const tOxfReadResult read = OxfRead(file);
    ASSERT_TRUE(read.Ok);
    EXPECT_NEAR(read.Matrix(3, 2), 4, 1e-10);

    processes.Starts = false;
    result = session.RunText("ORBIDEX M", "");
    EXPECT_EQ(result.Code, 5);
    EXPECT_EQ(result.Message, "Windows-Fehler beim Aufruf von ORBIDEX");
    result = session.RunText("ORBIDEX \"text\"", "");
    EXPECT_EQ(result.Code, 3);
    EXPECT_EQ(result.Message, "Fehler in Formel oder Ergebnis keine Matrix");
    // A matrix the factor file cannot hold is the formula's fault, with the writer's reason.
    result = session.RunText("ORBIDEX M * 1e40", "");
    EXPECT_EQ(result.Code, 3);
    EXPECT_EQ(result.Message,
        "Fehler in Formel: Zeile 1 ist f\xFCr ein OXF-File zu gro\xDF oder enth\xE4lt keine Zahl");
}

TEST_F(OutsidePrograms, AnimateSucceedsAndSaysWhyNothingStarts)
{
    ASSERT_TRUE(session.RunText("ANIMATE M", "").Success);
    ASSERT_EQ(commandWindow.Warnings.size(), 1u);
    EXPECT_EQ(commandWindow.Warnings[0],
        "Warnung: ANIMATE: Ausf\xFChrbare Datei OXANIM nicht gefunden in \"" + addOns.string()
            + "\"");
    EXPECT_TRUE(processes.Program.empty());

    Install("oxanim");
    ASSERT_TRUE(session.RunText("ANIMATE M", "").Success);
    EXPECT_EQ(processes.Program, (addOns / "oxanim").string());
    ASSERT_EQ(processes.Arguments.size(), 2u);
    EXPECT_EQ(std::filesystem::path(processes.Arguments[0]).filename(), "Zelvora.LAD");
    EXPECT_EQ(processes.Arguments[1], "/q");
    std::ifstream lad(processes.Arguments[0]);
    std::string first;
    std::getline(lad, first);
    EXPECT_EQ(first, "OX(ANIM):FACTORLOADINGS.   3\r");
    EXPECT_EQ(commandWindow.Warnings.size(), 1u);
}

} // namespace
} // namespace zelvora
