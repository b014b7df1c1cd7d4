// Warnings: the statement runs on, the command window hears of each kind once, with the place of
// the statement that gave it (inside a BATCH file the file's own place).
#include "support/recording_session.h"
#include "ui/session.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class StatementWarnings : public ::testing::Test, protected tRecordingSession { };

TEST_F(StatementWarnings, OncePerKindWithThePlace)
{
    const tRunOutcome result
        = session.RunText("a = 1\nr = Wurzel({-4, 9, -1}) + sqrt(-2)", "/tmp", "t.rts");
    EXPECT_TRUE(result.Success);
    ASSERT_EQ(commandWindow.Warnings.size(), 1u);
    EXPECT_EQ(
        commandWindow.Warnings[0], "t.rts:2: Warnung: Wurzel einer negativen Zahl, 0 genommen");
    EXPECT_TRUE(commandWindow.Messages.empty());
}

TEST_F(StatementWarnings, TypedTextHasNoPlaceAndEachStatementItsOwn)
{
    EXPECT_TRUE(session.RunText("r = sqrt(-1)\ns = (1 + 2", "").Success);
    ASSERT_EQ(commandWindow.Warnings.size(), 2u);
    EXPECT_EQ(commandWindow.Warnings[0], "Warnung: Wurzel einer negativen Zahl, 0 genommen");
    EXPECT_EQ(commandWindow.Warnings[1],
        "Warnung: Die Klammer \"(\" wird nicht geschlossen; sie gilt bis zum Ende der Formel");
}

TEST_F(StatementWarnings, BatchStatementsWarnWithTheirOwnPlace)
{
    const std::filesystem::path directory
        = std::filesystem::temp_directory_path() / ("zelvora-warn-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    const std::string inner = (directory / "inner.rts").string();
    std::ofstream(inner) << "x = 1\ny = sqrt(-9)\n";
    const tRunOutcome result
        = session.RunText("BATCH \"" + inner + "\"\nz = 2", directory.string() + "/", "outer.rts");
    std::filesystem::remove_all(directory);
    EXPECT_TRUE(result.Success);
    ASSERT_EQ(commandWindow.Warnings.size(), 1u);
    EXPECT_EQ(
        commandWindow.Warnings[0], inner + ":2: Warnung: Wurzel einer negativen Zahl, 0 genommen");
}

} // namespace
} // namespace zelvora
