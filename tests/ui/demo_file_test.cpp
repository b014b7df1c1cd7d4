// Reading demo files: markers, chapters, pages and blocks, rich text, limits.
#include "ui/demo_file.h"

#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

tDemoVerw Analysed(std::string_view text)
{
    tDemoVerw demo;
    demo.LoadText(text, "probe.zvd");
    demo.Analyse();
    return demo;
}

TEST(DemoFile, ChaptersPagesAndBlocks)
{
    const tDemoVerw demo = Analysed("vorher\n"
                                    "  @d  Meine Demo  \n"
                                    "@T vor dem ersten Kapitel: gew\xF6hnliche Zeile\n"
                                    "@K Kapitel @K eins\n"
                                    "Zeile ohne Block\n"
                                    "@F Seite 1\n"
                                    "@t\n"
                                    "\n"
                                    "  Erste Zeile  \n"
                                    "Zweite Zeile\n"
                                    "\n"
                                    "@C  x\n"
                                    "A = 1\n"
                                    "  B = A + 1\n"
                                    "@D kein Titel mehr\n"
                                    "@f Seite 2\n"
                                    "@K Kapitel zwei\n"
                                    "@F Leer\n");
    EXPECT_EQ(demo.Title(), "Meine Demo");
    ASSERT_EQ(demo.Chapters().size(), 2u);
    const tKapdescr& first = demo.Chapters()[0];
    EXPECT_EQ(PlainText(first.title), "Kapitel @K eins"); // only the first marker goes
    ASSERT_EQ(first.pages.size(), 2u);
    const auto& blocks = first.pages[0].blocks;
    EXPECT_EQ(PlainText(first.pages[0].title), "Seite 1");
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].kind, tDemoBlockKind::Text);
    EXPECT_EQ(blocks[0].firstLine, 6);
    EXPECT_EQ(blocks[0].lastLine, 10);
    EXPECT_EQ(PlainText(blocks[0].text), "Erste Zeile  \r\nZweite Zeile");
    EXPECT_TRUE(blocks[0].code.empty());
    EXPECT_EQ(blocks[1].kind, tDemoBlockKind::Code);
    EXPECT_EQ(blocks[1].lastLine, 14);
    // A second @D is an ordinary line of the code block.
    EXPECT_EQ(blocks[1].code, "A = 1\r\n  B = A + 1\r\n@D kein Titel mehr");
    EXPECT_TRUE(first.pages[1].blocks.empty());
    EXPECT_EQ(demo.Chapters()[1].pages.size(), 1u);
    ASSERT_NE(demo.BlockText(1, 1, 2), nullptr);
    EXPECT_EQ(demo.BlockText(1, 1, 3), nullptr);
    EXPECT_EQ(demo.BlockText(3, 1, 1), nullptr);
    EXPECT_EQ(demo.CurrentChapter, 1);
    EXPECT_EQ(demo.CurrentPage, 0);
}

TEST(DemoFile, FilesWithoutStructure)
{
    const tDemoVerw plain = Analysed("nur Text\n@T ohne Seite\n@C A = 1\n");
    EXPECT_EQ(plain.Title(), "Zelvora-Demo");
    EXPECT_TRUE(plain.Chapters().empty());
    // A chapter without a page keeps @T and @C as ordinary lines.
    const tDemoVerw chapterOnly = Analysed("@K Kapitel\n@T Text\n@C A = 1\n");
    ASSERT_EQ(chapterOnly.Chapters().size(), 1u);
    EXPECT_TRUE(chapterOnly.Chapters()[0].pages.empty());
    EXPECT_TRUE(Analysed("").Chapters().empty());
}

TEST(DemoFile, RichTextKeepsItsFormatting)
{
    const tDemoVerw demo
        = Analysed("{\\rtf1\\ansi{\\colortbl ;\\red0\\green0\\blue255;}\n"
                   "@D \\b Titel\\b0\\par @K \\i Kapitel\\i0\\par @F Seite\\par @T\\par "
                   "Das ist \\b wichtig\\b0 .\\par @C\\par \\cf1 A = \\{1,2\\}\\cf0\\par }");
    EXPECT_EQ(demo.Title(), "Titel");
    ASSERT_EQ(demo.Chapters().size(), 1u);
    EXPECT_TRUE(demo.Chapters()[0].title.at(0).Italic);
    const auto& blocks = demo.Chapters()[0].pages.at(0).blocks;
    ASSERT_EQ(blocks.size(), 2u);
    const tRichLine& line = blocks[0].text.Lines.at(0);
    EXPECT_EQ(PlainText(line), "Das ist wichtig.");
    EXPECT_TRUE(line.at(1).Bold);
    EXPECT_EQ(blocks[1].code, "A = {1,2}");
    EXPECT_TRUE(blocks[1].text.Lines.at(0).at(0).HasColour);
}

TEST(DemoFile, ContentBeyondTheLimitsIsLeftOutWithAWarning)
{
    std::string text = "@K eins\n@F Seite\n";
    for (int i = 1; i <= 52; ++i)
        text += "@C\nA = " + std::to_string(i) + "\n";
    text += "@F zweite Seite\n@C\nB = 1\n";
    for (int i = 2; i <= 51; ++i)
        text += "@K Kapitel " + std::to_string(i) + "\n";
    const tDemoVerw demo = Analysed(text);
    ASSERT_EQ(demo.Chapters().size(), 50u);
    const auto& pages = demo.Chapters()[0].pages;
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].blocks.size(), 50u);
    EXPECT_EQ(pages[0].blocks[49].code, "A = 50");
    ASSERT_EQ(pages[1].blocks.size(), 1u); // the next page starts afresh
    EXPECT_EQ(demo.Chapters()[49].title.at(0).Text, "Kapitel 50");
    ASSERT_EQ(demo.Warnings().size(), 2u);
    EXPECT_EQ(demo.Warnings()[0],
        "Demo \"probe.zvd\", Zeile 103: mehr als 50 Bl\xF6"
        "cke auf der Seite; die weiteren Bl\xF6"
        "cke dieser Seite werden nicht gezeigt");
    EXPECT_NE(demo.Warnings()[1].find("mehr als 50 Kapitel"), std::string::npos);
}

TEST(DemoFile, ArbitraryBytesReadWithoutFault)
{
    // Random mixtures of markers, RTF syntax, line breaks and bytes of every value.
    const std::vector<std::string> pieces = { "@K", "@F", "@T", "@C", "@D", "@", "\n", "\r\n", "{",
        "}", "\\par ", "\\'", "\\u-3?", "\\b", " ", "x", "\xE4", std::string(1, '\0') };
    std::mt19937 random(20261209);
    for (int round = 0; round < 200; ++round) {
        std::string text = round % 2 ? "{\\rtf1 " : "";
        for (int i = 0; i < 300; ++i)
            text += random() % 4 ? pieces[random() % pieces.size()]
                                 : std::string(1, static_cast<char>(random() & 0xFF));
        const tDemoVerw demo = Analysed(text);
        for (const tKapdescr& chapter : demo.Chapters())
            for (const tVisibleVarsdescr& page : chapter.pages)
                for (const tblockdescr& block : page.blocks)
                    EXPECT_LE(block.firstLine, block.lastLine + 1);
    }
}

TEST(DemoFile, MissingFileSaysSo)
{
    tDemoVerw demo;
    const auto error = demo.Load("/nicht/vorhanden.zvd");
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, "Die Demo-Datei \"/nicht/vorhanden.zvd\" wurde nicht gefunden");
}

} // namespace
} // namespace zelvora
