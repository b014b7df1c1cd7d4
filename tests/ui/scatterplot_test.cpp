// The scatterplot picture: pairing of rows, scales, axes, colours and data it cannot scale.
#include "support/recording_canvas.h"
#include "ui/graphics/scatterplot.h"

#include <limits>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

trealmatrix Rows(std::initializer_list<std::initializer_list<long double>> rows)
{
    const auto cols = static_cast<std::int32_t>(rows.begin()->size());
    trealmatrix m(static_cast<std::int32_t>(rows.size()), cols);
    std::int32_t r = 0;
    for (const auto& row : rows) {
        ++r;
        std::int32_t c = 0;
        for (const long double value : row)
            m(r, ++c) = value;
    }
    return m;
}

std::vector<std::string> Marks(
    const tScatterplot& plot, std::int32_t width = 104, std::int32_t height = 54)
{
    tRecordingCanvas canvas;
    plot.Draw(canvas, width, height);
    return canvas.Of("rect");
}

TEST(Scatterplot, OneRowGivesThreePurpleMarksAtTheEndsOfTheScales)
{
    tScatterplot plot;
    ASSERT_EQ(plot.SetData(Rows({ { -1, 0, 1 } }), Rows({ { 0, 10, 5 } }), nullptr), "");
    tRecordingCanvas canvas;
    plot.Draw(canvas, 104, 54); // plotting area 2..102 x 2..52
    EXPECT_EQ(canvas.Calls,
        (std::vector<std::string> { "begin 104,54 #ffffff", "line 2,52 102,52 #000000",
            "line 52,52 52,2 #000000", "rect 2,50 4,52 #800080", "rect 52,0 54,2 #800080",
            "rect 102,25 104,27 #800080" }));
}

TEST(Scatterplot, RowsPairOneToOneOrOneToEach)
{
    tScatterplot plot;
    ASSERT_EQ(plot.SetData(Rows({ { 1, 2 }, { 3, 4 } }), Rows({ { 1, 2 } }), nullptr), "");
    const auto marks = Marks(plot);
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_TRUE(marks[0].ends_with("#800080") && marks[1].ends_with("#800080"));
    EXPECT_TRUE(marks[2].ends_with("#000000") && marks[3].ends_with("#000000"));

    ASSERT_EQ(
        plot.SetData(Rows({ { 1, 2 } }), Rows({ { 1, 2 }, { 3, 4 }, { 5, 6 } }), nullptr), "");
    EXPECT_EQ(Marks(plot).size(), 6u);
    EXPECT_TRUE(Marks(plot)[5].ends_with("#ff0000"));

    // Two rows against three pair up in no way: an empty picture, not an error.
    ASSERT_EQ(plot.SetData(Rows({ { 1 }, { 2 } }), Rows({ { 1 }, { 2 }, { 3 } }), nullptr), "");
    EXPECT_FALSE(plot.Drawable());
    tRecordingCanvas canvas;
    plot.Draw(canvas, 50, 50);
    EXPECT_EQ(canvas.Calls, (std::vector<std::string> { "begin 50,50 #ffffff" }));
    ASSERT_EQ(plot.SetData(trealmatrix(0, 2), Rows({ { 1, 2 } }), nullptr), "");
    EXPECT_FALSE(plot.Drawable());
}

TEST(Scatterplot, ColourTableIsUsedInTurnAndChecked)
{
    tScatterplot plot;
    const trealmatrix colours = Rows({ { 10, 20, 30 }, { 255, 254.6L, 0 } });
    ASSERT_EQ(
        plot.SetData(Rows({ { 1 }, { 2 }, { 3 } }), Rows({ { 1 }, { 2 }, { 3 } }), &colours), "");
    const auto marks = Marks(plot);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_TRUE(marks[0].ends_with("#0a141e"));
    EXPECT_TRUE(marks[1].ends_with("#ffff00")); // 254.6 rounds to 255
    EXPECT_TRUE(marks[2].ends_with("#0a141e"));

    const trealmatrix tooBright = Rows({ { 0, 0, 0 }, { 0, 256, 0 } });
    EXPECT_EQ(plot.SetData(Rows({ { 1 } }), Rows({ { 1 } }), &tooBright),
        "Farbtabelle: der Wert 256 in Zeile 2, Spalte 2 liegt nicht zwischen 0 und 255");
    const trealmatrix negative = Rows({ { 0, 0, -1 } });
    EXPECT_NE(plot.SetData(Rows({ { 1 } }), Rows({ { 1 } }), &negative), "");
    const trealmatrix narrow = Rows({ { 0, 0 } });
    EXPECT_NE(plot.SetData(Rows({ { 1 } }), Rows({ { 1 } }), &narrow), "");
    const trealmatrix none(0, 3);
    EXPECT_NE(plot.SetData(Rows({ { 1 } }), Rows({ { 1 } }), &none), "");
    EXPECT_EQ(Marks(plot).size(), 3u); // a refused call keeps the former picture
}

TEST(Scatterplot, YWithFewerColumnsThanXIsRefused)
{
    tScatterplot plot;
    EXPECT_EQ(plot.SetData(Rows({ { 1, 2, 3 } }), Rows({ { 1, 2 } }), nullptr),
        "Die Y-Daten haben weniger Spalten (2) als die X-Daten (3)");
    EXPECT_FALSE(plot.HasData());
    // More columns in Y are fine: only the first k take part.
    EXPECT_EQ(plot.SetData(Rows({ { 1, 2 } }), Rows({ { 1, 2, 99 } }), nullptr), "");
    EXPECT_EQ(plot.RangeY().Max, 2.0L);
}

TEST(Scatterplot, EqualValuesSitInTheMiddle)
{
    tScatterplot plot;
    ASSERT_EQ(plot.SetData(Rows({ { 5, 5, 5 } }), Rows({ { 7, 7, 7 } }), nullptr), "");
    EXPECT_EQ(Marks(plot), (std::vector<std::string>(3, "rect 52,25 54,27 #800080")));
    ASSERT_EQ(plot.SetData(Rows({ { 0 } }), Rows({ { 3 } }), nullptr), ""); // one point only
    EXPECT_EQ(Marks(plot), (std::vector<std::string> { "rect 52,25 54,27 #800080" }));
}

TEST(Scatterplot, NumbersThatCannotBePlacedAreLeftOut)
{
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    tScatterplot plot;
    ASSERT_EQ(plot.SetData(Rows({ { 0, nan, 10, inf } }), Rows({ { 0, 1, 10, 2 } }), nullptr), "");
    EXPECT_EQ(plot.RangeX().Max, 10.0L);
    EXPECT_EQ(Marks(plot).size(), 2u);

    ASSERT_EQ(plot.SetData(Rows({ { nan, nan } }), Rows({ { 1, 2 } }), nullptr), "");
    tRecordingCanvas canvas;
    plot.Draw(canvas, 50, 50);
    EXPECT_EQ(canvas.Calls.size(), 1u); // nothing to scale: the empty picture

    // Far from zero: the axes lie far outside and are held there, the marks inside.
    ASSERT_EQ(
        plot.SetData(Rows({ { 1e300L, 2e300L } }), Rows({ { -1e300L, -2e300L } }), nullptr), "");
    plot.Draw(canvas, 104, 54);
    ASSERT_EQ(canvas.Of("line").size(), 2u);
    EXPECT_EQ(canvas.Of("rect"),
        (std::vector<std::string> { "rect 2,0 4,2 #800080", "rect 102,50 104,52 #800080" }));
}

} // namespace
} // namespace zelvora
