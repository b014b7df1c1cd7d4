// RTF output: escaping, formats, pictures and appending to an existing document.
#include "text/rtf_writer.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

tRtfWriter TwoFontWriter()
{
    return tRtfWriter(
        { { "Times New Roman", false }, { "Lucida Console", true } }, { { 0, 0, 128 } });
}

TEST(RtfWriter, HeaderTablesAndEscapedParagraphs)
{
    tRtfWriter writer = TwoFontWriter();
    writer.Text("a{b}\\c \xE4\r\nzwei\tx", { 1, 1, 20, true, false });
    writer.EndParagraph();
    EXPECT_EQ(writer.Document(),
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}"
        "{\\f1\\fmodern Lucida Console;}}\r\n{\\colortbl ;\\red0\\green0\\blue128;}\r\n"
        "{\\f1\\cf1\\fs20\\b a\\{b\\}\\\\c \\'e4\\par\r\nzwei\\tab x}\\par\r\n}");
}

TEST(RtfWriter, PictureAsHexPngWithSizeInTwips)
{
    tRtfWriter writer = TwoFontWriter();
    writer.Picture(std::string("\x89PNG\x00\xff", 6), 4, 2);
    EXPECT_EQ(writer.Body(),
        "{\\pict\\pngblip\\picw4\\pich2\\picwgoal60\\pichgoal30\r\n"
        "89504e4700ff}\\par\r\n");
}

TEST(AppendRtfBody, GoesBeforeTheFinalBraceOfADocument)
{
    EXPECT_EQ(AppendRtfBody("{\\rtf1 eins\\par\r\n}\r\n", "zwei\\par "),
        "{\\rtf1 eins\\par\r\nzwei\\par }");
    EXPECT_EQ(AppendRtfBody("plain text", "x"), "");
    EXPECT_EQ(AppendRtfBody("", "x"), "");
}

} // namespace
} // namespace zelvora
