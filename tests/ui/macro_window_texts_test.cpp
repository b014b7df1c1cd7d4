// The scalar window while a macro repeats: its value cells are written when the repetitions end,
// however they end, and show the values the store holds then.
#include "support/recording_display_ports.h"
#include "support/recording_ports.h"
#include "ui/session.h"
#include "variables/variable.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

struct tSessionWithWindows {
    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tRecordingCommandWindow commandWindow;
    tRecordingShelf shelf;
    tSession session { { &journalView, &listingView, &commandWindow, nullptr, nullptr, &shelf },
        "11.12.2026 10:00:00" };

    // The value cell of the scalar's row ("<none>" without a window or row).
    std::string Shown(std::string_view name) const
    {
        const tRecordedScalarWindow* window = shelf.OpenScalarWindow();
        if (!window)
            return "<none>";
        for (const auto& row : window->Rows) {
            if (row[0] == name)
                return row[1];
        }
        return "<none>";
    }
    std::int32_t Fits() const
    {
        const tRecordedScalarWindow* window = shelf.OpenScalarWindow();
        return window ? window->Fits : -1;
    }
};

TEST(MacroWindowTexts, TheWindowShowsTheValuesOfTheLastRepetition)
{
    tSessionWithWindows t;
    ASSERT_TRUE(t.session.RunText("x = 0\ny = 0\nMACRODEF m\nx = x + 1\ny = x * 0.5\nMACROEND", "")
                    .Success);
    const std::int32_t fitsBefore = t.Fits();
    ASSERT_TRUE(t.session.RunText("MACROEXEC m 1000", "").Success);
    EXPECT_EQ(t.Shown("x"), "1000");
    EXPECT_EQ(t.Shown("y"), "500");
    // Each cell was written twice for the whole run (at its first store and at the end), not
    // once a repetition.
    EXPECT_LE(t.Fits() - fitsBefore, 4);
    // Outside a macro every store writes its cell at once.
    ASSERT_TRUE(t.session.RunText("x = 7", "").Success);
    EXPECT_EQ(t.Shown("x"), "7");
}

TEST(MacroWindowTexts, AFailingRepetitionLeavesTheWindowAtTheStoredValues)
{
    tSessionWithWindows t;
    const tRunOutcome result = t.session.RunText(
        "x = 0\nMACRODEF m\nx = x + 1\ny = 1 / (3 - x)\nMACROEND\nMACROEXEC m 5", "");
    EXPECT_FALSE(result.Success);
    // Every repetition runs up to its failure: x counts all five.
    EXPECT_EQ(t.Shown("x"), "5");
    ASSERT_TRUE(result.FailurePlace.has_value());
    EXPECT_EQ(result.FailurePlace->Statement, "y = 1 / (3 - x)");
    EXPECT_NE(result.Message.find("Division durch 0"), std::string::npos) << result.Message;
}

TEST(MacroWindowTexts, ARunTimeErrorLeavesTheWindowAtTheStoredValues)
{
    tSessionWithWindows t;
    const tRunOutcome result = t.session.RunText(
        "x = 0\nMACRODEF m\nx = x + 1\ny = 1 div (3 - x)\nMACROEND\nMACROEXEC m 5", "");
    EXPECT_FALSE(result.Success);
    EXPECT_TRUE(result.RunTimeError);
    EXPECT_EQ(t.Shown("x"), "3");
}

// A nested macro's end does not end the outer hold; the outer end writes every cell.
TEST(MacroWindowTexts, NestedMacrosWriteTheCellsWhenTheOuterOneEnds)
{
    tSessionWithWindows t;
    ASSERT_TRUE(t.session
                    .RunText("x = 0\nz = 0\nMACRODEF inner\nx = x + 1\nMACROEND\n"
                             "MACRODEF outer\nMACROEXEC inner 3\nz = z + 1\nMACROEND\n"
                             "MACROEXEC outer 4",
                        "")
                    .Success);
    EXPECT_EQ(t.Shown("x"), "12");
    EXPECT_EQ(t.Shown("z"), "4");
}

} // namespace
} // namespace zelvora
