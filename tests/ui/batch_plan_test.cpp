// A BATCH file run again keeps the statements cut on its last run while its text stays the same,
// and runs its new text as soon as the file changes.
#include "support/recording_ports.h"
#include "ui/session.h"
#include "variables/variable.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;
namespace fs = std::filesystem;

class BatchPlan : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path()
            / ("zelvora-batch-plan-"
                + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        file = (folder / "schritt.rts").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    void Write(const std::string& text) const { std::ofstream(file, std::ios::binary) << text; }
    tRunOutcome Run(const std::string& text) { return session.RunText(text, ""); }
    long double Value(std::string_view name)
    {
        const tVariable* variable = session.Variable(name);
        return variable ? VarAsReal(*variable) : -1;
    }
    std::string Batch() const { return "BATCH \"" + file + "\""; }

    fs::path folder;
    std::string file;
    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tRecordingCommandWindow commandWindow;
    tSession session { { &journalView, &listingView, &commandWindow }, "11.12.2026 10:00:00" };
};

TEST_F(BatchPlan, ARepeatedRunGivesWhatTheFirstGives)
{
    Write("x = x + 1\ny = x * 2\n");
    ASSERT_TRUE(Run("x = 0\nMACRODEF m\n" + Batch() + "\nMACROEND\nMACROEXEC m 50").Success);
    EXPECT_EQ(Value("x"), 50);
    EXPECT_EQ(Value("y"), 100);
}

// The file changes between runs, once to a text of the same length: each run reads its text.
TEST_F(BatchPlan, AChangedFileRunsItsNewText)
{
    Write("x = x + 1\n");
    ASSERT_TRUE(Run("x = 0\n" + Batch() + "\n" + Batch()).Success);
    EXPECT_EQ(Value("x"), 2);
    Write("x = x + 5\n");
    ASSERT_TRUE(Run(Batch()).Success);
    EXPECT_EQ(Value("x"), 7);
    Write("x = x * 10\nz = 1\n");
    ASSERT_TRUE(Run(Batch()).Success);
    EXPECT_EQ(Value("x"), 70);
    EXPECT_EQ(Value("z"), 1);
}

// What a name stands for is asked on every run: a variable deleted between runs fails the next
// one with the unknown name, at the file's statement.
TEST_F(BatchPlan, ANameThatChangesItsKindIsReadAsItIsNow)
{
    Write("y = f + 1\n");
    ASSERT_TRUE(Run("f = 1\n" + Batch()).Success);
    EXPECT_EQ(Value("y"), 2);
    const tRunOutcome result = Run("DELETE f\n" + Batch());
    EXPECT_FALSE(result.Success);
    EXPECT_NE(result.Message.find("Unbekannter Name \"f\""), std::string::npos) << result.Message;
    ASSERT_TRUE(result.FailurePlace.has_value());
    EXPECT_EQ(result.FailurePlace->Source, file);
    EXPECT_EQ(result.FailurePlace->Line, 1);
}

} // namespace
} // namespace zelvora
