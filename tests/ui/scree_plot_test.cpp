// The scree picture: which data it takes, its scales, and where its lines and marks fall.
#include "numerics/matrix_test_util.h"
#include "support/recording_canvas.h"
#include "ui/graphics/raster_canvas.h"
#include "ui/graphics/scree_plot.h"

#include <limits>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

// Centre of a recorded ellipse or rectangle "kind l,t r,b ...".
std::pair<int, int> Centre(const std::string& call)
{
    const std::size_t first = call.find(' ') + 1;
    const int left = std::stoi(call.substr(first));
    const int top = std::stoi(call.substr(call.find(',', first) + 1));
    const std::size_t second = call.find(' ', first) + 1;
    const int right = std::stoi(call.substr(second));
    const int bottom = std::stoi(call.substr(call.find(',', second) + 1));
    return { (left + right) / 2, (top + bottom) / 2 };
}

std::vector<std::string> WithColour(const std::vector<std::string>& calls, tRgb colour)
{
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.find(ColourName(colour)) != std::string::npos)
            found.push_back(call);
    }
    return found;
}

bool HasText(const tRecordingCanvas& canvas, const std::string& text)
{
    for (const std::string& call : canvas.Of("text")) {
        if (call.find(" " + text + " #") != std::string::npos)
            return true;
    }
    return false;
}

TEST(ScreePlot, RefusesWhatIsNoVectorOfNumbersAndKeepsTheFormerData)
{
    tScreePlot plot;
    ASSERT_EQ(plot.SetData(Mat({ { 3, 1.5, 0.5 } }), nullptr), "");
    EXPECT_EQ(plot.SetData(Mat({ { 1, 2 }, { 3, 4 } }), nullptr),
        "Die Eigenwerte m\xFCssen eine Zeile oder eine Spalte sein, nicht 2x2");
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_EQ(plot.SetData(Mat({ { 2 }, { nan } }), nullptr),
        "Die Eigenwerte: Wert 2 ist keine endliche Zahl");
    const trealmatrix twoPercentiles = Mat({ { 1.2, 1.1 } });
    EXPECT_EQ(plot.SetData(Mat({ { 2, 1, 0.5 } }), &twoPercentiles),
        "Es braucht so viele Perzentile wie Eigenwerte: 2 Perzentile, 3 Eigenwerte");
    EXPECT_EQ(plot.Eigenvalues(), (std::vector<long double> { 3, 1.5, 0.5 }));
    EXPECT_TRUE(plot.Percentiles().empty());
    // A column serves as well as a row.
    const trealmatrix percentiles = Mat({ { 1.3 }, { 1.1 }, { 0.9 } });
    ASSERT_EQ(plot.SetData(Mat({ { 2.5 }, { 1 }, { 0.2 } }), &percentiles), "");
    EXPECT_EQ(plot.Percentiles(), (std::vector<long double> { 1.3, 1.1, 0.9 }));
}

TEST(ScreePlot, ScaleRunsFromZeroOrBelowToOneOrAboveInWholeSteps)
{
    tScreePlot plot;
    ASSERT_EQ(plot.SetData(Mat({ { 3.4, 1.2, 0.3 } }), nullptr), "");
    tScreeLayout layout = plot.Layout(480, 360);
    EXPECT_EQ(layout.Step, 1.0L);
    EXPECT_EQ(layout.Lowest, 0.0L);
    EXPECT_EQ(layout.Highest, 4.0L);
    EXPECT_TRUE(layout.Left > 0 && layout.Right < 480 && layout.Top > 0 && layout.Bottom < 360);
    // Small eigenvalues still show the line of 1; negative ones (a reduced matrix) lower the scale.
    ASSERT_EQ(plot.SetData(Mat({ { 0.4, 0.1, -0.35 } }), nullptr), "");
    layout = plot.Layout(480, 360);
    EXPECT_NEAR(static_cast<double>(layout.Step), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(layout.Lowest), -0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(layout.Highest), 1.0, 1e-15);
    EXPECT_EQ(tScreePlot::ValuePixel(layout, layout.Highest), layout.Top);
    EXPECT_EQ(tScreePlot::ValuePixel(layout, layout.Lowest), layout.Bottom);
    // Many eigenvalues: only every few numbers are labelled, so the labels do not overlap.
    trealmatrix many(1, 120);
    for (int32_t j = 1; j <= 120; ++j)
        many(1, j) = 10.0L / j;
    ASSERT_EQ(plot.SetData(many, nullptr), "");
    layout = plot.Layout(480, 360);
    EXPECT_GT(layout.NumberStep, 1);
    EXPECT_GE(
        (plot.NumberPixel(layout, 1 + layout.NumberStep) - plot.NumberPixel(layout, 1)), 7 * 4);
    // A tiny picture keeps a plotting area.
    layout = plot.Layout(10, 10);
    EXPECT_GT(layout.Right, layout.Left);
    EXPECT_GT(layout.Bottom, layout.Top);
}

TEST(ScreePlot, DotsFollowTheEigenvaluesAndSquaresThePercentiles)
{
    tScreePlot plot;
    const trealmatrix percentiles = Mat({ { 1.4, 1.2, 1.1, 1.0 } });
    ASSERT_EQ(plot.SetData(Mat({ { 2.8, 1.6, 0.9, 0.7 } }), &percentiles), "");
    tRecordingCanvas canvas;
    plot.Draw(canvas, 480, 360);
    EXPECT_EQ(canvas.Calls.front(), "begin 480,360 #ffffff");
    const tScreeLayout layout = plot.Layout(480, 360);
    // Four dots of the data and one in the legend, at the eigenvalues' places.
    const std::vector<std::string> dots = WithColour(canvas.Of("ellipse"), ScreeEigenvalueColour);
    ASSERT_EQ(dots.size(), 5u);
    const long double values[] = { 2.8, 1.6, 0.9, 0.7 };
    for (int i = 0; i < 4; ++i) {
        const auto [x, y] = Centre(dots[static_cast<std::size_t>(i)]);
        EXPECT_EQ(x, plot.NumberPixel(layout, i + 1)) << i;
        EXPECT_EQ(y, tScreePlot::ValuePixel(layout, values[i])) << i;
    }
    EXPECT_LT(Centre(dots[0]).first, Centre(dots[1]).first);
    EXPECT_LT(Centre(dots[0]).second, Centre(dots[1]).second); // larger is higher
    // The percentiles: an outer square each (and one in the legend) at their values.
    const std::vector<std::string> squares = WithColour(canvas.Of("rect"), ScreePercentileColour);
    ASSERT_EQ(squares.size(), 5u);
    EXPECT_EQ(Centre(squares[0]).second, tScreePlot::ValuePixel(layout, 1.4L));
    EXPECT_EQ(Centre(squares[3]).second, tScreePlot::ValuePixel(layout, 1.0L));
    // The line of eigenvalue 1 runs across the plotting area in dashes.
    const std::int32_t unit = tScreePlot::ValuePixel(layout, 1);
    int dashes = 0;
    for (const std::string& line : WithColour(canvas.Of("line"), ScreeUnitLineColour))
        dashes += line.find("," + std::to_string(unit) + " ") != std::string::npos ? 1 : 0;
    EXPECT_GT(dashes, 20);
    EXPECT_TRUE(HasText(canvas, "Eigenwerte"));
    EXPECT_TRUE(HasText(canvas, "95. Perzentil der Zufallsdaten"));
    EXPECT_TRUE(HasText(canvas, "Eigenwert 1"));
    for (const char* label : { "0", "1", "2", "3", "4" })
        EXPECT_TRUE(HasText(canvas, label)) << label;
}

TEST(ScreePlot, WithoutPercentilesNeitherSquaresNorTheirLegend)
{
    tScreePlot plot;
    ASSERT_EQ(plot.SetData(Mat({ { 2.8, 1.6, 0.9 } }), nullptr), "");
    tRecordingCanvas canvas;
    plot.Draw(canvas, 480, 360);
    EXPECT_TRUE(WithColour(canvas.Of("rect"), ScreePercentileColour).empty());
    EXPECT_TRUE(WithColour(canvas.Of("line"), ScreePercentileColour).empty());
    EXPECT_FALSE(HasText(canvas, "95. Perzentil der Zufallsdaten"));
    EXPECT_TRUE(HasText(canvas, "Eigenwert 1"));
}

TEST(ScreePlot, PaintedPictureShowsBothLinesInTheirColours)
{
    tScreePlot plot;
    const trealmatrix percentiles = Mat({ { 1.5, 1.3, 1.2, 1.1, 1.0 } });
    ASSERT_EQ(plot.SetData(Mat({ { 3, 1.8, 0.8, 0.3, 0.1 } }), &percentiles), "");
    tRasterCanvas raster;
    plot.Draw(raster, ScreePictureWidth, ScreePictureHeight);
    const tScreeLayout layout = plot.Layout(ScreePictureWidth, ScreePictureHeight);
    EXPECT_EQ(raster.Pixel(plot.NumberPixel(layout, 1), tScreePlot::ValuePixel(layout, 3)),
        ScreeEigenvalueColour);
    EXPECT_EQ(raster.Pixel(plot.NumberPixel(layout, 3) - ScreeMarkRadius,
                  tScreePlot::ValuePixel(layout, 1.2L)),
        ScreePercentileColour); // the left edge of the hollow square
    EXPECT_EQ(raster.Pixel(plot.NumberPixel(layout, 3), tScreePlot::ValuePixel(layout, 1.2L)),
        ScreeBackground); // its hollow middle
    EXPECT_EQ(raster.Pixel(layout.Left, (layout.Top + layout.Bottom) / 2), ScreeAxisColour);
}

} // namespace
} // namespace zelvora
