// The scatterplot picture: pairing of rows, scales, axes, colours and data it cannot scale.
#include "numerics/matrix_test_util.h"
#include "support/recording_canvas.h"
#include "ui/graphics/scatterplot.h"

#include <limits>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

std::vector<std::string> Marks(
    const tScatterplot& plot, std::int32_t width = 104, std::int32_t height = 54)
{
    tRecordingCanvas canvas;
    plot.Draw(canvas, width, height, ScatterMarkSize);
    return canvas.Of("rect");
}

TEST(Scatterplot, OneRowGivesThreePurpleMarksAtTheEndsOfTheScales)
{
    tScatterplot plot;
    ASSERT_EQ(plot.SetData(Mat({ { -1, 0, 1 } }), Mat({ { 0, 10, 5 } }), nullptr), "");
    tRecordingCanvas canvas;
    plot.Draw(canvas, 104, 54, ScatterMarkSize); // plotting area 2..102 x 2..52
    EXPECT_EQ(canvas.Calls.front(), "begin 104,54 #ffffff");
    EXPECT_EQ(canvas.Of("line"),
        (std::vector<std::string> { "line 2,52 102,52 #000000", "line 52,52 52,2 #000000" }));
    EXPECT_EQ(canvas.Of("rect"),
        (std::vector<std::string> {
            "rect 2,50 4,52 #800080", "rect 52,0 54,2 #800080", "rect 102,25 104,27 #800080" }));
}

TEST(Scatterplot, AxesStayInsideThePictureAndCarryTheRanges)
{
    tScatterplot plot;
    // Zero lies left of the x range and below the y range: the axes run along those edges.
    ASSERT_EQ(plot.SetData(Mat({ { 3, 5 } }), Mat({ { 100, 300 } }), nullptr), "");
    tRecordingCanvas canvas;
    plot.Draw(canvas, 480, 360);
    EXPECT_EQ(canvas.Of("line"),
        (std::vector<std::string> { "line 2,358 478,358 #000000", "line 2,358 2,2 #000000" }));
    std::string labels;
    for (const std::string& call : canvas.Of("text"))
        labels += call.substr(call.find(' ', 5) + 1,
                      call.find(' ', call.find(' ', 5) + 1) - call.find(' ', 5) - 1)
            + ";";
    EXPECT_EQ(labels, "3;5;300;100;");
    for (const std::string& call : canvas.Of("text")) {
        const int x = std::stoi(call.substr(5));
        const int y = std::stoi(call.substr(call.find(',') + 1));
        EXPECT_TRUE(x >= 0 && x < 480 && y >= 0 && y + LabelHeight <= 360) << call;
    }
    // Zero beyond the upper ends: the axes run along the right and the top edge.
    ASSERT_EQ(plot.SetData(Mat({ { -3, -5 } }), Mat({ { -1, -2 } }), nullptr), "");
    tRecordingCanvas negative;
    plot.Draw(negative, 480, 360);
    EXPECT_EQ(negative.Of("line"),
        (std::vector<std::string> { "line 2,2 478,2 #000000", "line 478,358 478,2 #000000" }));
    EXPECT_EQ(AxisPixel(250.4L, 2, 478), 250);
    EXPECT_EQ(AxisPixel(-1e30L, 2, 478), 2);
    EXPECT_EQ(AxisPixel(1e30L, 2, 478), 478);
    EXPECT_EQ(AxisPixel(std::numeric_limits<long double>::quiet_NaN(), 2, 478), 2);
}

TEST(Scatterplot, MarksGrowWithTheScreenAndStayOnThePicture)
{
    EXPECT_EQ(VisibleMarkSize(1.0), MinimumVisibleMarkSize);
    EXPECT_EQ(VisibleMarkSize(3.0), 6);
    EXPECT_EQ(VisibleMarkSize(0), MinimumVisibleMarkSize);
    tScatterplot plot;
    ASSERT_EQ(plot.SetData(Mat({ { -1, 1 } }), Mat({ { -1, 1 } }), nullptr), "");
    tRecordingCanvas canvas;
    plot.Draw(canvas, 104, 54, 6);
    EXPECT_EQ(canvas.Of("rect"),
        (std::vector<std::string> { "rect 2,46 8,52 #800080", "rect 98,0 104,6 #800080" }));
}

TEST(Scatterplot, RowsPairOneToOneOrOneToEach)
{
    tScatterplot plot;
    ASSERT_EQ(plot.SetData(Mat({ { 1, 2 }, { 3, 4 } }), Mat({ { 1, 2 } }), nullptr), "");
    const auto marks = Marks(plot);
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_TRUE(marks[0].ends_with("#800080") && marks[1].ends_with("#800080"));
    EXPECT_TRUE(marks[2].ends_with("#000000") && marks[3].ends_with("#000000"));

    ASSERT_EQ(plot.SetData(Mat({ { 1, 2 } }), Mat({ { 1, 2 }, { 3, 4 }, { 5, 6 } }), nullptr), "");
    EXPECT_EQ(Marks(plot).size(), 6u);
    EXPECT_TRUE(Marks(plot)[5].ends_with("#ff0000"));

    // Two rows against three pair up in no way: an empty picture, not an error.
    ASSERT_EQ(plot.SetData(Mat({ { 1 }, { 2 } }), Mat({ { 1 }, { 2 }, { 3 } }), nullptr), "");
    EXPECT_FALSE(plot.Drawable());
    tRecordingCanvas canvas;
    plot.Draw(canvas, 50, 50);
    EXPECT_EQ(canvas.Calls, (std::vector<std::string> { "begin 50,50 #ffffff" }));
    ASSERT_EQ(plot.SetData(trealmatrix(0, 2), Mat({ { 1, 2 } }), nullptr), "");
    EXPECT_FALSE(plot.Drawable());
}

TEST(Scatterplot, ColourTableIsUsedInTurnAndChecked)
{
    tScatterplot plot;
    const trealmatrix colours = Mat({ { 10, 20, 30 }, { 255, 254.6L, 0 } });
    ASSERT_EQ(
        plot.SetData(Mat({ { 1 }, { 2 }, { 3 } }), Mat({ { 1 }, { 2 }, { 3 } }), &colours), "");
    const auto marks = Marks(plot);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_TRUE(marks[0].ends_with("#0a141e"));
    EXPECT_TRUE(marks[1].ends_with("#ffff00")); // 254.6 rounds to 255
    EXPECT_TRUE(marks[2].ends_with("#0a141e"));

    const trealmatrix tooBright = Mat({ { 0, 0, 0 }, { 0, 256, 0 } });
    EXPECT_EQ(plot.SetData(Mat({ { 1 } }), Mat({ { 1 } }), &tooBright),
        "Farbtabelle: der Wert 256 in Zeile 2, Spalte 2 liegt nicht zwischen 0 und 255");
    const trealmatrix negative = Mat({ { 0, 0, -1 } });
    EXPECT_NE(plot.SetData(Mat({ { 1 } }), Mat({ { 1 } }), &negative), "");
    const trealmatrix narrow = Mat({ { 0, 0 } });
    EXPECT_NE(plot.SetData(Mat({ { 1 } }), Mat({ { 1 } }), &narrow), "");
    const trealmatrix none(0, 3);
    EXPECT_NE(plot.SetData(Mat({ { 1 } }), Mat({ { 1 } }), &none), "");
    EXPECT_EQ(Marks(plot).size(), 3u); // a refused call keeps the former picture
}

TEST(Scatterplot, YWithFewerColumnsThanXIsRefused)
{
    tScatterplot plot;
    EXPECT_EQ(plot.SetData(Mat({ { 1, 2, 3 } }), Mat({ { 1, 2 } }), nullptr),
        "Die Y-Daten haben weniger Spalten (2) als die X-Daten (3)");
    EXPECT_FALSE(plot.HasData());
    // More columns in Y are fine: only the first k take part.
    EXPECT_EQ(plot.SetData(Mat({ { 1, 2 } }), Mat({ { 1, 2, 99 } }), nullptr), "");
    EXPECT_EQ(plot.RangeY().Max, 2.0L);
}

TEST(Scatterplot, EqualValuesSitInTheMiddle)
{
    tScatterplot plot;
    ASSERT_EQ(plot.SetData(Mat({ { 5, 5, 5 } }), Mat({ { 7, 7, 7 } }), nullptr), "");
    EXPECT_EQ(Marks(plot), (std::vector<std::string>(3, "rect 52,25 54,27 #800080")));
    ASSERT_EQ(plot.SetData(Mat({ { 0 } }), Mat({ { 3 } }), nullptr), ""); // one point only
    EXPECT_EQ(Marks(plot), (std::vector<std::string> { "rect 52,25 54,27 #800080" }));
}

TEST(Scatterplot, NumbersThatCannotBePlacedAreLeftOut)
{
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    tScatterplot plot;
    ASSERT_EQ(plot.SetData(Mat({ { 0, nan, 10, inf } }), Mat({ { 0, 1, 10, 2 } }), nullptr), "");
    EXPECT_EQ(plot.RangeX().Max, 10.0L);
    EXPECT_EQ(Marks(plot).size(), 2u);

    ASSERT_EQ(plot.SetData(Mat({ { nan, nan } }), Mat({ { 1, 2 } }), nullptr), "");
    tRecordingCanvas canvas;
    plot.Draw(canvas, 50, 50);
    EXPECT_EQ(canvas.Calls.size(), 1u); // nothing to scale: the empty picture

    // Far from zero: the axes run along the edges the zero lies beyond, the marks inside.
    ASSERT_EQ(
        plot.SetData(Mat({ { 1e300L, 2e300L } }), Mat({ { -1e300L, -2e300L } }), nullptr), "");
    plot.Draw(canvas, 104, 54, ScatterMarkSize);
    EXPECT_EQ(canvas.Of("line"),
        (std::vector<std::string> { "line 2,2 102,2 #000000", "line 2,52 2,2 #000000" }));
    EXPECT_EQ(canvas.Of("rect"),
        (std::vector<std::string> { "rect 2,0 4,2 #800080", "rect 102,50 104,52 #800080" }));
}

} // namespace
} // namespace zelvora
