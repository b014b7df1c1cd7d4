// Sizes that no matrix can hold fail their statement before anything is allocated; the session
// goes on, and the targets keep their values.
#include "support/recording_ports.h"
#include "ui/session.h"
#include "variables/display_list.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class HostileSizes : public ::testing::Test {
protected:
    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tRecordingCommandWindow commandWindow;
    tRecordingApplication application;
    tSession session { { .JournalView = &journalView,
                           .ListingView = &listingView,
                           .CommandWindow = &commandWindow,
                           .Application = &application },
        "11.12.2026 10:00:00" };

    // The statement fails (no run-time error) with a message holding the text, and X keeps 7.
    void ExpectFailureKeepingX(const char* statement, std::string_view text)
    {
        const tRunOutcome result = session.RunText(statement, "");
        EXPECT_FALSE(result.Success) << statement;
        EXPECT_FALSE(result.RunTimeError) << statement;
        EXPECT_NE(result.Message.find(text), std::string::npos)
            << statement << ": " << result.Message;
        ASSERT_TRUE(session.Variable("X")) << statement;
        EXPECT_EQ(session.Variable("X")->intvalue, 7) << statement;
    }
};

TEST_F(HostileSizes, FailTheStatementAndKeepTheTarget)
{
    ASSERT_TRUE(session.RunText("X = 7\nM = {1,2}\nA = {{1,2},{3,4}}", "").Success);
    for (const char* statement : {
             "X = RandomU(2147483647, 2147483647)",
             "X = Reshape({1,2}, 2147483647, 2147483647)",
             "X = RandomN(2147483647, 2147483647)",
             "X = RandomNSp(2147483647, 2147483647)",
             "X = RandomNZl(2147483647, 2147483647)",
             "X = einh(2147483647)",
             "X = einh(#hi)",
             "X = Mk(2147483647, 2147483647, 1)",
             "X = f\xFCllen(2147483647, 2147483647, 1)",
             "X = f\xFCllen(2147483647, 2147483647, \"a\")",
             "X = Dreieck(2147483647, 1)",
             "X = Dreieck(2147483647.4, 1)",
             "X = Triangular(#hi..2)",
             "X = Hilbert(2147483647, 2147483647)",
             "X = null(2147483647, 2147483647)",
             "X = null(2147483646, 2)",
             "X = null(100000, 100000)",
             "X = reformatieren(M, 2147483647, #hi)",
             "X = MkType(\"st2\", 2147483647)",
             "X = MkSubDiag(2147483647, 1)",
             "X = Interpolate({1,2,3}', #hi)",
             "X = Interpolate({{1},{2},{3},{4}}, 1431655765)",
             "X = Index(A, 1..2147483647)",
             "X = MergeIndexed(A, A, 1..2147483647)",
         })
        ExpectFailureKeepingX(statement, "Zu wenig Arbeitsspeicher");
    // The session works on as before.
    EXPECT_TRUE(session.RunText("Y = X + 1\nZ = Transp(A)\nDISPLAY A", "").Success);
}

TEST_F(HostileSizes, ASizeJustBelowTheLimitStillWorks)
{
    const tRunOutcome result = session.RunText("X = Interpolate({1,2,3}', 1000)", "");
    ASSERT_TRUE(result.Success) << result.Message;
    ASSERT_TRUE(session.Variable("X"));
    EXPECT_EQ(session.Variable("X")->matrix.Rows(), 2001);
}

TEST_F(HostileSizes, ABlockLongerThanTheRowsIsTheWholeList)
{
    ASSERT_TRUE(session.RunText("L = {{0.8,0.3,0.1},{0.7,0.4,0.2},{0.6,0.2,0.5}}", "").Success);
    ASSERT_TRUE(
        session.RunText("B = Rot(L, \"BLKCU\", 2147483647)\nC = Rot(L, \"BLKCU\", 3)", "").Success);
    ASSERT_TRUE(session.Variable("B"));
    const trealmatrix b = session.Variable("B")->matrix;
    ASSERT_TRUE(session.Variable("C"));
    EXPECT_EQ(session.Variable("C")->matrix, b);
}

// Devices have no end to read to: every reader refuses them at once with a message.
TEST_F(HostileSizes, ReadersRefuseDevices)
{
    ASSERT_TRUE(session.RunText("X = 7", "").Success);
    for (const char* statement : {
             "X = CSVDatei(\"/dev/zero\")",
             "X = HexDatei(\"/dev/urandom\")",
             "X = BinDatei(\"/dev/zero\", 2)",
             "X, N = OXFDatei(\"/dev/zero\")",
             "X, G, B = BmpDatei(\"/dev/zero\")",
             "X = DefRawDatei(\"/dev/zero\", \"/dev/zero\")",
         })
        ExpectFailureKeepingX(statement, "ist keine gew\xF6hnliche Datei");
    const tRunOutcome load = session.RunText("LOAD \"/dev/zero\"", "");
    EXPECT_FALSE(load.Success);
    ASSERT_TRUE(session.Variable("X"));
}

} // namespace
} // namespace zelvora
