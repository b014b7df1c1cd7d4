// The listing saved as RTF and HTML, and appended to its file.
#include "text/rtf_writer.h"
#include "ui/listing.h"
#include "ui/listing_document.h"
#include "ui/text_window_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

std::string FakePng(const tPicture& picture)
{
    return "PNG" + std::to_string(picture.Width) + "x" + std::to_string(picture.Height);
}

tListingDocument SampleListing()
{
    tListingDocument document;
    tListing listing(document);
    listing.addText(";H Ergebnis \xFC"
                    "ber A\r\n");
    listing.addCommand("[1] A = {1,2} // <b>\r\n");
    listing.addText(";I kursiv\r\n");
    listing.addTable("1  2");
    document.addBitmap({ 2, 1, { 255, 0, 0, 0, 0, 255 } });
    return document;
}

TEST(ListingRtf, StylesBecomeFontsColoursAndSizes)
{
    const std::string rtf = ListingRtf(SampleListing(), FakePng);
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi"));
    EXPECT_NE(rtf.find("{\\f0\\cf3\\fs24\\b  Ergebnis \\'fcber A}\\par"), std::string::npos);
    EXPECT_NE(rtf.find("{\\f1\\cf1\\fs20 [1] A = \\{1,2\\} // <b>}\\par"), std::string::npos);
    EXPECT_NE(rtf.find("{\\f0\\cf3\\fs20\\i  kursiv}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\f1\\cf2\\fs18 1  2}"), std::string::npos);
    EXPECT_NE(rtf.find("\\picw2\\pich1\\picwgoal30\\pichgoal15\r\n504e4732783"), std::string::npos);
    EXPECT_EQ(rtf.back(), '}');
}

TEST(ListingHtml, EscapedUtf8TextAndEmbeddedPictures)
{
    const std::string html = ListingHtml(SampleListing(), FakePng, "Listing \xE4");
    EXPECT_NE(html.find("<title>Listing \xC3\xA4</title>"), std::string::npos);
    EXPECT_NE(html.find("font-weight:bold\"> Ergebnis \xC3\xBC"
                        "ber A</pre>"),
        std::string::npos);
    EXPECT_NE(html.find("[1] A = {1,2} // &lt;b&gt;</pre>"), std::string::npos);
    EXPECT_NE(html.find("color:#000080"), std::string::npos);
    EXPECT_NE(html.find("src=\"data:image/png;base64,UE5HMngx\""), std::string::npos);
}

TEST(JournalFileText, Utf8LinesEachEndingInALineFeed)
{
    EXPECT_EQ(JournalFileText(";<<\r\nA = \"\xE4\"\r\n;>>"), ";<<\nA = \"\xC3\xA4\"\n;>>\n");
    EXPECT_EQ(JournalFileText(""), "\n");
}

class ListingFile : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(path); }
    std::string Read() const
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }
    std::string path = (std::filesystem::temp_directory_path()
        / ("listing_test_" + std::to_string(::getpid()) + ".rtf"))
                           .string();
};

TEST_F(ListingFile, AppendingKeepsOneRtfDocument)
{
    tListingDocument first;
    first.AppendLines("eins", tTextStyle::Command);
    ASSERT_TRUE(AppendListingFile(path, first, FakePng));
    tListingDocument second;
    second.AppendLines("zwei", tTextStyle::Command);
    ASSERT_TRUE(AppendListingFile(path, second, FakePng));
    const std::string text = Read();
    EXPECT_TRUE(text.starts_with("{\\rtf1\\ansi"));
    EXPECT_EQ(text.find("{\\rtf1", 1), std::string::npos);
    EXPECT_LT(text.find("eins"), text.find("zwei"));
    EXPECT_EQ(text.back(), '}');
    EXPECT_FALSE(AppendListingFile("/nonexistent-dir/x.rtf", first, FakePng));
}

TEST_F(ListingFile, PlainFileGetsPlainTextAppended)
{
    ASSERT_TRUE(WriteWholeFile(path, "alt\n"));
    tListingDocument blocks;
    blocks.AppendLines("neu \xE4", tTextStyle::Command);
    ASSERT_TRUE(AppendListingFile(path, blocks, FakePng));
    EXPECT_EQ(Read(), "alt\nneu \xC3\xA4\n");
    EXPECT_EQ(ListingBlocksFrom(SampleListing(), 3).Blocks().size(), 2u);
}

} // namespace
} // namespace zelvora
