// Pictures as files: the SVG text, the PNG bytes, the raster canvas and the console's picture
// series.
#include "ui/graphics/picture_file_graphics.h"
#include "ui/graphics/png_writer.h"
#include "ui/graphics/raster_canvas.h"
#include "ui/graphics/svg_canvas.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

std::uint32_t BigEndianAt(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(RasterCanvas, PaintsClippedPrimitives)
{
    tRasterCanvas canvas;
    canvas.Begin(10, 8, { 1, 2, 3 });
    canvas.Line(-5, 2, 20, 2, { 255, 0, 0 });
    canvas.FillRect(8, 6, 12, 12, { 0, 255, 0 }); // half-open, clipped at the edges
    canvas.Line(3, 0, 3, 1 << 24, { 0, 0, 255 }); // a far end point
    canvas.Ellipse(-1000000000, 0, 2000000000, 4, { 9, 9, 9 }, { 9, 9, 9 }); // too large: left out
    EXPECT_EQ(canvas.Pixel(0, 0), (tRgb { 1, 2, 3 }));
    EXPECT_EQ(canvas.Pixel(9, 2), (tRgb { 255, 0, 0 }));
    EXPECT_EQ(canvas.Pixel(8, 6), (tRgb { 0, 255, 0 }));
    EXPECT_EQ(canvas.Pixel(7, 6), (tRgb { 1, 2, 3 }));
    EXPECT_EQ(canvas.Pixel(3, 7), (tRgb { 0, 0, 255 }));
    EXPECT_EQ(canvas.Picture().Rgb.size(), 10u * 8u * 3u);
    canvas.Ellipse(2, 2, 6, 6, { 0, 0, 0 }, { 200, 200, 200 });
    EXPECT_EQ(canvas.Pixel(4, 4), (tRgb { 200, 200, 200 }));
    EXPECT_EQ(canvas.Pixel(2, 4), (tRgb { 0, 0, 0 }));
    EXPECT_EQ(canvas.Pixel(2, 2), (tRgb { 255, 0, 0 })); // the corner is outside the circle
}

TEST(PngWriter, WritesSignatureChunksAndCompressedRows)
{
    tPicture picture { 3, 2, std::vector<std::uint8_t>(18, 7) };
    picture.Rgb[4] = 200;
    const std::string png = EncodePng(picture);
    ASSERT_GT(png.size(), 8u + 25u + 12u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(BigEndianAt(png, 16), 3u);
    EXPECT_EQ(BigEndianAt(png, 20), 2u);
    EXPECT_EQ(BigEndianAt(png, 29), 0x1216F14Du); // CRC of this IHDR
    // The image data as zlib inflates them to the filter bytes and rows (checked once outside).
    EXPECT_EQ(png.substr(37, 4), "IDAT");
    EXPECT_EQ(png.substr(41, BigEndianAt(png, 33)),
        std::string("\x78\x01\x63\x60\x67\x67\x67\x3f\xc1\xce\xce\xce\xce\xc0\xce\xce\x0e"
                    "\x41\x00\x10\x4f\x01\x40",
            23));
    EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
    // A plain background shrinks to a few bytes per row.
    EXPECT_LT(
        EncodePng(tPicture { 400, 400, std::vector<std::uint8_t>(480000, 192) }).size(), 6000u);
    EXPECT_EQ(EncodePng(tPicture {}), "");
    EXPECT_EQ(EncodePng(tPicture { 2, 2, std::vector<std::uint8_t>(5) }), ""); // wrong size
}

TEST(SvgCanvas, WritesOneElementPerPrimitive)
{
    tSvgCanvas svg;
    svg.Begin(40, 30, { 192, 192, 192 });
    svg.Line(0, 15, 40, 15, { 0, 0, 0 });
    svg.FillRect(4, 6, 2, 8, { 255, 0, 0 });
    svg.Ellipse(8, 8, 12, 12, { 16, 64, 32 }, { 16, 64, 32 });
    svg.Text(25, 12, "a<\xE4", { 64, 0, 0 }, { 127, 127, 127 });
    const std::string document = svg.Document();
    EXPECT_NE(document.find("width=\"40\" height=\"30\" viewBox=\"0 0 40 30\""), std::string::npos);
    EXPECT_NE(
        document.find("<line x1=\"0.5\" y1=\"15.5\" x2=\"40.5\" y2=\"15.5\" stroke=\"#000000\"/>"),
        std::string::npos);
    EXPECT_NE(document.find("<rect x=\"2\" y=\"6\" width=\"2\" height=\"2\" fill=\"#ff0000\"/>"),
        std::string::npos);
    EXPECT_NE(document.find("<ellipse cx=\"10\" cy=\"10\" rx=\"2\" ry=\"2\""), std::string::npos);
    EXPECT_NE(document.find(">a&lt;\xC3\xA4</text>"), std::string::npos);
    EXPECT_TRUE(document.ends_with("</svg>\n"));
    svg.Ellipse(-2000000000, 0, 2000000000, 1, { 0, 0, 0 }, { 0, 0, 0 }); // no overflow
    EXPECT_NE(
        svg.Document().find("cx=\"0\" cy=\"0.5\" rx=\"2000000000\" ry=\"0.5\""), std::string::npos);
}

class PictureFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        directory = std::filesystem::temp_directory_path()
            / ("zelvora-pictures-" + std::to_string(::getpid()));
        std::filesystem::remove_all(directory);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }
    std::filesystem::path directory;
    std::vector<std::string> announced;
};

TEST_F(PictureFiles, AnimationFramesAndScatterplotsAreWrittenAndAnnounced)
{
    tPictureFileGraphics graphics({ (directory / "new").string(), 2, true },
        [this](const std::string& path) { announced.push_back(path); });
    trealmatrix loadings(2, 3);
    loadings(1, 1) = 0.5;
    loadings(2, 2) = 0.7;
    EXPECT_EQ(graphics.ShowAnimation(tAnimationKind::Vectors, loadings, 1), "");
    EXPECT_EQ(graphics.ShowAnimation(tAnimationKind::Cloud, loadings, 1), "");
    EXPECT_FALSE(graphics.ScatterplotPicture());
    EXPECT_EQ(graphics.ShowScatterplot(loadings, loadings, nullptr), "");
    const std::string base = (directory / "new").string() + "/";
    EXPECT_EQ(announced,
        (std::vector<std::string> { base + "animate-1-01.svg", base + "animate-1-01.png",
            base + "animate-1-02.svg", base + "animate-1-02.png", base + "cloudanimate-1-01.svg",
            base + "cloudanimate-1-01.png", base + "cloudanimate-1-02.svg",
            base + "cloudanimate-1-02.png", base + "scatterplot-1.svg",
            base + "scatterplot-1.png" }));
    // The second frame has turned: its lines differ from the first's.
    EXPECT_NE(FileText(base + "animate-1-01.svg"), FileText(base + "animate-1-02.svg"));
    EXPECT_TRUE(FileText(base + "scatterplot-1.png").starts_with("\x89PNG"));
    const auto picture = graphics.ScatterplotPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width, ScatterPictureWidth);

    // A refusal writes nothing; a place that cannot be written fails with its name.
    announced.clear();
    trealmatrix narrow(1, 2);
    EXPECT_NE(graphics.ShowScatterplot(loadings, narrow, nullptr), "");
    EXPECT_TRUE(announced.empty());
    std::ofstream(directory / "file") << "x";
    tPictureFileGraphics blocked({ (directory / "file").string(), 1, false }, nullptr);
    EXPECT_EQ(blocked.ShowAnimation(tAnimationKind::Vectors, loadings, 1),
        "Die Zeichnung kann nicht in die Datei " + (directory / "file" / "animate-1.svg").string()
            + " geschrieben werden");
}

TEST_F(PictureFiles, ListingPicturesBecomeNumberedPngFiles)
{
    tPictureFileListing listing(
        directory.string(), [this](const std::string& path) { announced.push_back(path); });
    listing.addBitmap(tPicture {}); // a window without a picture adds no file
    listing.addBitmap(tPicture { 1, 1, { 1, 2, 3 } });
    EXPECT_EQ(announced, (std::vector<std::string> { (directory / "listing-1.png").string() }));
}

} // namespace
} // namespace zelvora
