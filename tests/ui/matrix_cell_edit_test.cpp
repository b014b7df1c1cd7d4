// The cell editor of matrix windows: editor texts, write back, refused texts and Escape.
#include "support/recording_ports.h"
#include "ui/matrix_cell_edit.h"
#include "ui/session.h"
#include "variables/display_list.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class MatrixCellEdit : public ::testing::Test {
protected:
    void Run(const std::string& text) { ASSERT_TRUE(session.RunText(text, "").Success) << text; }
    std::int32_t IndexOf(const std::string& name)
    {
        const std::int32_t index = session.VariableIndex(name);
        EXPECT_NE(index, 0) << name;
        return index;
    }
    const tVisibleVarsList& Store() { return session.StoreView(); }
    const tVariable& Var(const std::string& name) { return Store().Variable(IndexOf(name)); }

    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tSession session { { &journalView, &listingView }, "09.12.2026 10:00:00" };
    tMatrixCellEdit edit;
};

TEST(EditedCellText, ThresholdsAndRounding)
{
    EXPECT_EQ(EditedCellText(0), "");
    EXPECT_EQ(EditedCellText(-1e-10L), "");
    EXPECT_EQ(EditedCellText(5e-7L), "0.0...");
    EXPECT_EQ(EditedCellText(-1e-6L), "0.0...");
    EXPECT_EQ(EditedCellText(2.5L), " 2.500");
    EXPECT_EQ(EditedCellText(-1234.56789L), "-1234.568");
}

TEST_F(MatrixCellEdit, NumberGoesIntoTheMatrix)
{
    Run("A = {{1,2},{3,4.25}}");
    const std::int32_t a = IndexOf("A");
    EXPECT_EQ(edit.Begin(Store(), a, 2, 2, "4.25"), "4.25");
    EXPECT_TRUE(edit.Active());
    const tCellCommit commit = session.CommitCellEdit(edit, " 2.5 ");
    EXPECT_TRUE(commit.Stored);
    EXPECT_EQ(commit.ShownText, " 2.500");
    EXPECT_TRUE(commit.Message.empty());
    EXPECT_EQ(Var("A").matrix(2, 2), 2.5L);
    EXPECT_EQ(Var("A").matrix(1, 1), 1.0L);
    EXPECT_FALSE(edit.Active());
}

TEST_F(MatrixCellEdit, EditorTextUsesAPointAndFifteenDigits)
{
    Run("A = {{1/3, 1e20}}");
    const std::int32_t a = IndexOf("A");
    EXPECT_EQ(edit.Begin(Store(), a, 1, 1, ""), "0.333333333333333");
    EXPECT_EQ(edit.Begin(Store(), a, 1, 2, ""), "1E20");
}

TEST_F(MatrixCellEdit, TextThatIsNoNumberKeepsTheValue)
{
    Run("A = {{1,2}}");
    const std::int32_t a = IndexOf("A");
    for (const char* text : { "abc", "", "1,5", "2x", "inf", "nan", "1e99999" }) {
        edit.Begin(Store(), a, 1, 2, "shown");
        const tCellCommit commit = session.CommitCellEdit(edit, text);
        EXPECT_FALSE(commit.Stored) << text;
        EXPECT_EQ(commit.ShownText, "shown") << text;
        EXPECT_EQ(commit.Message,
            std::string("Zelle (1,2) von A: \"") + text
                + "\" ist keine Zahl; der Wert bleibt unver\xE4ndert.");
        EXPECT_EQ(Var("A").matrix(1, 2), 2.0L) << text;
    }
}

TEST_F(MatrixCellEdit, EscapeGivesTheFormerText)
{
    Run("A = {{1,2}}");
    const std::int32_t a = IndexOf("A");
    edit.Begin(Store(), a, 1, 1, "  1");
    EXPECT_EQ(session.CancelCellEdit(edit), "  1");
    EXPECT_EQ(Var("A").matrix(1, 1), 1.0L);
    EXPECT_FALSE(edit.Active());
    EXPECT_EQ(session.CancelCellEdit(edit), ""); // nothing is being edited
    EXPECT_EQ(edit.Drop(), "");
}

TEST_F(MatrixCellEdit, StringsRangeListsAndBooleans)
{
    Run("S = {{\"ab\",\"cd\"}}");
    edit.Begin(Store(), IndexOf("S"), 1, 2, "cd");
    EXPECT_TRUE(session.CommitCellEdit(edit, "neu").Stored);
    EXPECT_EQ(Var("S").strmatrix(1, 2), "neu");

    // A range list's cell shows the new number; the variable keeps its value.
    Run("R = 1..3");
    const long double before = Var("R").matrix(1, 2);
    edit.Begin(Store(), IndexOf("R"), 1, 2, "3");
    const tCellCommit range = session.CommitCellEdit(edit, "7");
    EXPECT_FALSE(range.Stored);
    EXPECT_EQ(range.ShownText, " 7.000");
    EXPECT_EQ(Var("R").matrix(1, 2), before);

    Run("B = {{1,2}} > 1");
    edit.Begin(Store(), IndexOf("B"), 1, 1, "FALSE");
    const tCellCommit boolean = session.CommitCellEdit(edit, "1");
    EXPECT_FALSE(boolean.Stored);
    EXPECT_EQ(boolean.ShownText, "FALSE");
}

TEST_F(MatrixCellEdit, VariableChangedDuringTheEdit)
{
    Run("A = {{1,2},{3,4}}");
    edit.Begin(Store(), IndexOf("A"), 2, 2, "4");
    Run("A = {{1,2}}"); // a statement ran meanwhile and took row 2 away
    const tCellCommit commit = session.CommitCellEdit(edit, "5");
    EXPECT_FALSE(commit.Stored);
    EXPECT_EQ(commit.ShownText, "4");
    EXPECT_NE(commit.Message.find("ge\xE4ndert"), std::string::npos);

    edit.Begin(Store(), IndexOf("A"), 1, 1, "1");
    Run("DELETE A");
    EXPECT_FALSE(session.CommitCellEdit(edit, "5").Stored); // no crash on a vanished variable
}

} // namespace
} // namespace zelvora
