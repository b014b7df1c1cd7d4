// Formatted text: trimming and erasing across runs, HTML for rich-text views.
#include "text/rich_text.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

tTextRun Piece(std::string text, bool bold = false)
{
    tTextRun run;
    run.Text = std::move(text);
    run.Bold = bold;
    return run;
}

TEST(RichText, EraseAndTrimAcrossRuns)
{
    tRichLine line = { Piece(" @"), Piece("K Titel", true), Piece("  ") };
    EraseCharacters(line, 1, 2);
    EXPECT_EQ(PlainText(line), "  Titel  ");
    line = TrimmedRichLine(line);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].Text, "Titel");
    EXPECT_TRUE(line[0].Bold);

    tRichText text { { {}, { Piece("   ") }, { Piece("  a"), Piece(" b ", true) }, {},
        { Piece("c  ") }, { Piece("\t") } } };
    text = TrimmedRichText(text);
    ASSERT_EQ(text.Lines.size(), 3u);
    EXPECT_EQ(PlainText(text), "a b \r\n\r\nc");
    EXPECT_TRUE(TrimmedRichText(tRichText { { { Piece(" ") }, {} } }).Lines.empty());
}

TEST(RichText, AppendMergesRunsOfOneStyle)
{
    tRichLine line;
    AppendRun(line, Piece("a"));
    AppendRun(line, Piece("b"));
    AppendRun(line, Piece(""));
    AppendRun(line, Piece("c", true));
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[0].Text, "ab");
}

TEST(RichText, HtmlEscapesAndStyles)
{
    tTextRun red = Piece("<b> & \xE4", true);
    red.HasColour = true;
    red.Colour = 0xC00000;
    red.HalfPoints = 21;
    red.Font = "Courier";
    const std::string html = RichTextToHtml(tRichText { { { Piece("x"), red }, {} } });
    EXPECT_EQ(html,
        "<p style=\"margin:0;white-space:pre-wrap\">x<span style=\"font-weight:bold;"
        "color:#c00000;font-size:10.5pt;font-family:'Courier';\">&lt;b&gt; &amp; \xC3\xA4</span>"
        "</p><p style=\"margin:0;white-space:pre-wrap\">&nbsp;</p>");
}

} // namespace
} // namespace zelvora
