// Reading RTF: styles, characters, skipped destinations and malformed documents.
#include "text/rtf_reader.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(RtfReader, StylesColoursFontsAndCharacters)
{
    const tRichText text = ReadRtf(
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fnil Tahoma;}{\\f1\\fmodern Courier New;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
        "\\pard\\f0\\fs20 Plain \\b fett\\b0  \\i kursiv\\i0\\par\r\n"
        "\\cf1\\ul rot\\ulnone\\cf0  M\\'e4rz\\line\\f1\\fs28\\cf2 A = \\{1\\}\\tab x\\par\r\n"
        "\\u8364?\\uc2\\u8212\\'3f\\'3fEnde\\par\r\n}");
    ASSERT_EQ(text.Lines.size(), 4u);
    const tRichLine& first = text.Lines[0];
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0].Text, "Plain ");
    EXPECT_EQ(first[0].Font, "Tahoma");
    EXPECT_EQ(first[0].HalfPoints, 20);
    EXPECT_FALSE(first[0].Bold);
    EXPECT_EQ(first[1].Text, "fett");
    EXPECT_TRUE(first[1].Bold);
    EXPECT_EQ(first[3].Text, "kursiv");
    EXPECT_TRUE(first[3].Italic);

    const tRichLine& second = text.Lines[1];
    EXPECT_EQ(PlainText(second), "rot M\xE4rz");
    EXPECT_TRUE(second[0].Underline);
    EXPECT_TRUE(second[0].HasColour);
    EXPECT_EQ(second[0].Colour, 0xFF0000u);
    EXPECT_FALSE(second[1].HasColour); // colour 0 is the automatic one

    EXPECT_EQ(PlainText(text.Lines[2]), "A = {1}\tx");
    EXPECT_EQ(text.Lines[2][0].Font, "Courier New");
    EXPECT_EQ(text.Lines[2][0].Colour, 0x008000u);
    EXPECT_EQ(text.Lines[2][0].HalfPoints, 28);
    // \u with its stand-in characters skipped (\ucN counts them), outside Windows-1252 as '?'.
    EXPECT_EQ(PlainText(text.Lines[3]),
        "\x80\x97"
        "Ende");
}

TEST(RtfReader, DestinationsAndPicturesArePassedOver)
{
    const tRichText text = ReadRtf("{\\rtf1{\\*\\generator Writer 1.0;}{\\stylesheet{\\s0 Normal;}}"
                                   "{\\info{\\title Titel}}Vorher {\\pict\\pngblip 89504e47}"
                                   "\\bin3 {}xnachher{\\*\\unknown {x}}\\par}");
    ASSERT_EQ(text.Lines.size(), 1u);
    EXPECT_EQ(PlainText(text.Lines[0]), "Vorher nachher");
}

TEST(RtfReader, ParagraphMarks)
{
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\par}").Lines.size(), 1u); // a last mark adds no line
    EXPECT_EQ(ReadRtf("{\\rtf1 a}").Lines.size(), 1u);
    const tRichText empties = ReadRtf("{\\rtf1 a\\par\\par b\\par}");
    ASSERT_EQ(empties.Lines.size(), 3u);
    EXPECT_TRUE(empties.Lines[1].empty());
    EXPECT_TRUE(ReadRtf("{\\rtf1 }").Lines.empty());
}

TEST(RtfReader, MalformedDocumentsReadWithoutFault)
{
    // Unbalanced braces, cut escapes, huge parameters and nesting far beyond any real document.
    EXPECT_EQ(PlainText(ReadRtf("}}{\\rtf1 a}}} b")), "a b");
    EXPECT_EQ(PlainText(ReadRtf("{\\rtf1 x\\'4")), "x");
    EXPECT_EQ(PlainText(ReadRtf("{\\rtf1 x\\")), "x");
    EXPECT_EQ(PlainText(ReadRtf("{\\rtf1\\fs99999999999999 y\\cf-5 z\\bin99999999999}")), "yz");
    const std::string deep
        = "{\\rtf1 " + std::string(100000, '{') + "\\b tief" + std::string(100000, '}') + " flach}";
    const tRichText text = ReadRtf(deep);
    ASSERT_EQ(text.Lines.size(), 1u);
    EXPECT_EQ(PlainText(text.Lines[0]), "tief flach");
    EXPECT_TRUE(text.Lines[0][0].Bold);
    EXPECT_FALSE(text.Lines[0].back().Bold);
}

TEST(RtfReader, TellsRichFromPlainText)
{
    EXPECT_TRUE(LooksLikeRtf("{\\rtf1\\ansi x}"));
    EXPECT_TRUE(LooksLikeRtf("\r\n   \n  {\\rtf1 x}"));
    EXPECT_FALSE(LooksLikeRtf("@K Kapitel\n{\\rtf1"));
    EXPECT_FALSE(LooksLikeRtf("{\\rtf"));
    EXPECT_TRUE(LooksLikeRtf("  {\\rtf1 \n\\ansi x}")); // the first line holds only the header
    EXPECT_FALSE(LooksLikeRtf(""));
}

} // namespace
} // namespace zelvora
