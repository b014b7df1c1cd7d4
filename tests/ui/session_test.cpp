// A whole session: journal and listing texts, and malformed input of every kind.
#include "numerics/library_state.h"
#include "numerics/worker_pool.h"
#include "support/recording_display_ports.h"
#include "support/recording_ports.h"
#include "text/data_directory.h"
#include "ui/session.h"
#include "variables/display_list.h"

#include <optional>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class Session : public ::testing::Test {
protected:
    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tRecordingCommandWindow commandWindow;
    tRecordingApplication application;
    tSession session { { .JournalView = &journalView,
                           .ListingView = &listingView,
                           .CommandWindow = &commandWindow,
                           .Application = &application },
        "09.12.2026 10:00:00" };
};

TEST_F(Session, JournalAndListingTexts)
{
    session.SetListingOn(true);
    session.RunText("MACRODEF m\r\n;h Titel\r\nMACROEND\n; note\nFOO", "");
    EXPECT_EQ(journalView.PlainText(),
        ";*****======================================\r\n"
        ";Zelvora-Protokoll vom:09.12.2026 10:00:00\r\n"
        ";============================================\r\n"
        ";<<\r\nMACRODEF m\r\n;h Titel\r\nMACROEND\r\n; note\r\nFOO"); // the heading drops ";>>"
    ASSERT_EQ(listingView.Appends.size(), 7u);
    EXPECT_EQ(listingView.Appends[0].first, ";===========================================");
    EXPECT_EQ(
        listingView.Appends[3], std::make_pair(std::string("[1] MACRODEF m"), tTextStyle::Command));
    EXPECT_EQ(listingView.Appends[4], std::make_pair(std::string(" Titel"), tTextStyle::Heading));
    EXPECT_EQ(
        listingView.Appends[5], std::make_pair(std::string("[2] MACROEND"), tTextStyle::Command));
    EXPECT_EQ(
        listingView.Appends[6], std::make_pair(std::string("     ; note"), tTextStyle::Command));
    EXPECT_TRUE(session.JournalView().Modified());
}

TEST_F(Session, MalformedInputFailsCleanly)
{
    std::mt19937 random(20261209);
    std::string binary(4096, '\0');
    for (char& c : binary)
        c = static_cast<char>(random() & 0xFF);
    const std::vector<std::string> inputs = {
        binary,
        std::string(1 << 20, 'x'),
        "A = " + std::string(1 << 20, '7'),
        std::string(10000, '(') + "1" + std::string(10000, ')'),
        "A[" + std::string(10000, '[') + "] = 1",
        "A[" + std::string(10000, '{') + "] = 1",
        "LOAD \"unclosed",
        "B = \"unclosed // not a comment",
        std::string(10000, '_') + " _",
        "\xFF\xFE\x00\x01 = 5",
        "MACROEXEC " + std::string(100000, '9'),
        "MACROEXEC x 99999999999999999999",
    };
    for (const std::string& input : inputs) {
        const tRunOutcome result = session.RunText(input, "");
        EXPECT_FALSE(session.IsBusy());
        if (!result.Success && !result.RunTimeError) {
            EXPECT_LE(result.Message.size(), 255u);
        }
    }
}

// A failing statement changes none of its targets, whatever made it fail.
TEST_F(Session, FailedStatementsKeepTheirTargets)
{
    ASSERT_TRUE(session.RunText("r = 7\nM = {{1,2},{3,4}}", "").Success);
    for (const char* statement : { "r = 1/0", "r = Invv(M)", "r = x", "r = {1,2} + {1,2,3}",
             "r = 5 +* 3", "r, M = 1, 2 3", "r = (1 + )" }) {
        const tRunOutcome result = session.RunText(statement, "");
        EXPECT_FALSE(result.Success) << statement;
        EXPECT_FALSE(result.RunTimeError) << statement;
        EXPECT_EQ(result.Code, 1) << statement;
        ASSERT_TRUE(session.Variable("r")) << statement;
        EXPECT_EQ(session.Variable("r")->intvalue, 7) << statement;
        ASSERT_TRUE(session.Variable("M")) << statement;
        EXPECT_EQ(session.Variable("M")->shape, shMatrix) << statement;
    }
}

// A store that raises a run-time error while the new value is shown is undone: the next run reads
// the target as it was before, and a target that did not exist before does not exist afterwards.
TEST_F(Session, StoreUndoneAfterARunTimeErrorIsSeenByTheNextRun)
{
    // Showing the value on the shelf is what raises the error.
    tRecordingShelf shelf;
    tSession session { { .JournalView = &journalView,
                           .ListingView = &listingView,
                           .CommandWindow = &commandWindow,
                           .Application = &application,
                           .Shelf = &shelf },
        "09.12.2026 10:00:00" };
    ASSERT_TRUE(session.RunText("r = 7\nM = {{1,2},{3,4}}", "").Success);
    for (const char* statement : { "r = 5 + 1..#hi", "M = 5 + 1..#hi", "q = 5 + 1..#hi" }) {
        const tRunOutcome failed = session.RunText(statement, "");
        EXPECT_TRUE(failed.RunTimeError) << statement;
        // The next run reads the targets through formulas, as a user would.
        ASSERT_TRUE(session.RunText("s, N = r, M", "").Success) << statement;
        ASSERT_TRUE(session.Variable("s")) << statement;
        EXPECT_EQ(session.Variable("s")->shape, shScalar) << statement;
        EXPECT_EQ(session.Variable("s")->intvalue, 7) << statement;
        ASSERT_TRUE(session.Variable("N")) << statement;
        EXPECT_EQ(session.Variable("N")->matrix.Dims(), (tMatDims { 2, 2 })) << statement;
        EXPECT_EQ(session.Variable("N")->matrix(2, 1), 3) << statement;
        EXPECT_FALSE(session.Variable("q")) << statement;
    }
}

TEST_F(Session, TooManyBracketsBeforeTheEqualsSign)
{
    const auto result
        = session.RunText("A[" + std::string(61, '(') + std::string(61, ')') + "] = 1", "");
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Code, 1);
    EXPECT_FALSE(result.Message.empty());
}

} // namespace
} // namespace zelvora

namespace zelvora {
namespace {

using namespace zelvora::testing;

// Two sessions in one process share nothing: variables and the random generator belong to each.
TEST(TwoSessions, ShareNoState)
{
    tRecordingTextView journalA, listingA, journalB, listingB;
    tSession a({ &journalA, &listingA }, "09.12.2026 10:00:00");
    tSession b({ &journalB, &listingB }, "09.12.2026 10:00:00");
    ASSERT_TRUE(a.RunText("x = 1\nr = RandomU(1, 3)\ns = RandomU(1, 3)", "").Success);
    EXPECT_FALSE(b.Variable("x"));
    ASSERT_TRUE(b.RunText("r = RandomU(1, 3)\ns = RandomU(1, 3)", "").Success);
    for (const char* name : { "r", "s" }) {
        ASSERT_TRUE(a.Variable(name));
        const trealmatrix fromA = a.Variable(name)->matrix;
        ASSERT_TRUE(b.Variable(name));
        EXPECT_EQ(b.Variable(name)->matrix, fromA) << name;
    }
    ASSERT_TRUE(a.Variable("r"));
    const trealmatrix r = a.Variable("r")->matrix;
    ASSERT_TRUE(a.Variable("s"));
    EXPECT_NE(a.Variable("s")->matrix, r);
}

// The scalar value of a variable as a session's read-only view shows it; nothing when absent.
std::optional<std::int64_t> ScalarIn(const tSession& session, std::string_view name)
{
    const tVisibleVarsList& store = session.StoreView();
    const std::vector<std::string> names = store.NameList();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return store.Variable(std::int32_t(i + 1)).intvalue;
    }
    return std::nullopt;
}

// Two sessions whose runs take turns keep their variables, deletions, journals and switches to
// themselves: a name of one is unknown to the other.
TEST(TwoSessions, StoresDoNotSeeEachOther)
{
    tRecordingTextView journalA, listingA, journalB, listingB;
    tSession a({ &journalA, &listingA }, "09.12.2026 10:00:00");
    tSession b({ &journalB, &listingB }, "09.12.2026 10:00:00");
    ASSERT_TRUE(a.RunText("x = 1\ny = 2", "").Success);
    ASSERT_TRUE(b.RunText("x = 10\nz = 3", "").Success);
    ASSERT_TRUE(a.RunText("DELETE x", "").Success);
    EXPECT_EQ(a.StoreView().NameList(), (std::vector<std::string> { "y" }));
    EXPECT_EQ(b.StoreView().NameList(), (std::vector<std::string> { "x", "z" }));
    EXPECT_EQ(ScalarIn(b, "x"), 10);
    EXPECT_EQ(ScalarIn(a, "y"), 2);

    EXPECT_FALSE(a.RunText("w = z + 1", "").Success);
    EXPECT_FALSE(a.StoreView().Contains("w"));
    ASSERT_TRUE(b.RunText("w = z + 1", "").Success);
    EXPECT_EQ(ScalarIn(b, "w"), 4);

    b.SwitchListing(true);
    EXPECT_TRUE(b.ListingOn());
    EXPECT_FALSE(a.ListingOn());
    EXPECT_NE(journalA.PlainText().find("DELETE x"), std::string::npos);
    EXPECT_EQ(journalB.PlainText().find("DELETE x"), std::string::npos);
}

// Two sessions with different decimal separators and stores: each shows, joins and lists its
// numbers with its own separator, also when the other one ran last and between runs.
TEST(TwoSessions, EachShowsNumbersWithItsOwnDecimalSeparator)
{
    tRecordingTextView journalA, listingA, journalB, listingB;
    tRecordingShelf shelfA, shelfB;
    const tSessionPorts portsA {
        .JournalView = &journalA, .ListingView = &listingA, .Shelf = &shelfA
    };
    const tSessionPorts portsB {
        .JournalView = &journalB, .ListingView = &listingB, .Shelf = &shelfB
    };
    tSession a(portsA, "09.12.2026 10:00:00", {}, {}, '.');
    tSession b(portsB, "09.12.2026 10:00:00", {}, {}, ',');
    a.SwitchListing(true);
    b.SwitchListing(true);
    const std::string statements = "M = {1.5, 2.25}\nx = 0.5\n";
    ASSERT_TRUE(a.RunText(statements + "SET clSchema=Excel", "").Success);
    ASSERT_TRUE(b.RunText(statements + "SET clSchema=Excel", "").Success);
    // Joined with a number during a run, after the other session's run.
    ASSERT_TRUE(a.RunText("t = \"v\" + x\nLIST M", "").Success);
    ASSERT_TRUE(b.RunText("t = \"v\" + x\nLIST M", "").Success);
    EXPECT_EQ(a.StoreView().NameList(), (std::vector<std::string> { "M", "x", "t" }));
    ASSERT_FALSE(a.StoreView().Contains("y"));
    ASSERT_TRUE(b.RunText("y = 1", "").Success);
    EXPECT_FALSE(a.StoreView().Contains("y"));

    ASSERT_TRUE(shelfA.OpenWindowOf(1) && shelfB.OpenWindowOf(1));
    EXPECT_EQ(shelfA.OpenWindowOf(1)->Cell(1, 2), "   2.250");
    EXPECT_EQ(shelfB.OpenWindowOf(1)->Cell(1, 2), "   2,250");
    ASSERT_TRUE(shelfA.OpenScalarWindow() && shelfB.OpenScalarWindow());
    EXPECT_EQ(shelfA.OpenScalarWindow()->Rows.at(1).at(1), "0.5");
    EXPECT_EQ(shelfB.OpenScalarWindow()->Rows.at(1).at(1), "0,5");
    EXPECT_EQ(shelfA.OpenScalarWindow()->Rows.at(2).at(1), "v0.5");
    EXPECT_EQ(shelfB.OpenScalarWindow()->Rows.at(2).at(1), "v0,5");
    EXPECT_NE(listingA.PlainText().find("1.50\t    2.25"), std::string::npos)
        << listingA.PlainText();
    EXPECT_NE(listingB.PlainText().find("1,50\t    2,25"), std::string::npos)
        << listingB.PlainText();
}

// Each run works with its own session's worker threads, which SET Threads resizes; a session
// that ends leaves no pool of its own behind in the library's context.
TEST(TwoSessions, EachRunsOnItsOwnWorkerThreads)
{
    tRecordingTextView journalA, listingA, journalB, listingB;
    tSession a({ &journalA, &listingA }, "09.12.2026 10:00:00");
    {
        tSession b({ &journalB, &listingB }, "09.12.2026 10:00:00");
        ASSERT_TRUE(a.RunText("SET Threads=3", "").Success);
        EXPECT_EQ(a.WorkersView().Threads(), 3);
        EXPECT_EQ(NumericsContext().workers, &a.WorkersView());
        ASSERT_TRUE(b.RunText("SET Threads=1", "").Success);
        EXPECT_EQ(NumericsContext().workers, &b.WorkersView());
        EXPECT_EQ(b.WorkersView().Threads(), 1);
        EXPECT_EQ(a.WorkersView().Threads(), 3);
    }
    EXPECT_EQ(NumericsContext().workers, nullptr);
    ASSERT_TRUE(a.RunText("P = RandomU(80, 80) * RandomU(80, 80)", "").Success);
    EXPECT_EQ(NumericsContext().workers, &a.WorkersView());
}

TEST(TwoSessions, EachWritesAndReadsItsOwnClipboard)
{
    tRecordingTextView journalA, listingA, journalB, listingB;
    tRecordingClipboard clipboardA, clipboardB;
    tSessionPorts portsA { &journalA, &listingA };
    portsA.Clipboard = &clipboardA;
    tSessionPorts portsB { &journalB, &listingB };
    portsB.Clipboard = &clipboardB;
    tSession a(portsA, "09.12.2026 10:00:00");
    tSession b(portsB, "09.12.2026 10:00:00");
    ASSERT_TRUE(a.RunText("M = {1,2}\nMATWRITE CSV(\"CLIP\") = M", "").Success);
    EXPECT_FALSE(clipboardA.Texts.empty());
    EXPECT_TRUE(clipboardB.Texts.empty());
    clipboardB.Texts.push_back("7\t8\r\n");
    ASSERT_TRUE(b.RunText("N = CSVDatei(\"clip\")", "").Success);
    ASSERT_TRUE(b.Variable("N"));
    EXPECT_EQ(b.Variable("N")->matrix(1, 2), 8);
}

} // namespace
} // namespace zelvora
