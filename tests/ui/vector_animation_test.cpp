// The rotating coordinate picture: projection, colours, rotation modes, the loop's states and
// matrices that cannot be drawn as they are.
#include "numerics/matrix_test_util.h"
#include "support/recording_canvas.h"
#include "ui/graphics/vector_animation.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

TEST(VectorAnimation, OneRowIsOneLineFromTheOrigin)
{
    tZeichnen animation(tAnimationKind::Vectors);
    animation.AssignFactors(Mat({ { 2, 0, 0 } }), 400, 300);
    EXPECT_EQ(animation.Half(), 150);
    EXPECT_EQ(animation.Size(), 300);
    tRecordingCanvas canvas;
    animation.DrawFrame(canvas);
    // The unit row along x reaches the right end of the square; the axes cross at the origin.
    EXPECT_EQ(canvas.Calls,
        (std::vector<std::string> { "begin 400,300 #c0c0c0", "line 0,150 300,150 #000000",
            "line 150,0 150,300 #000000", "line 150,150 300,150 #104020" }));
}

TEST(VectorAnimation, ProjectionPutsEachAxisWhereItBelongs)
{
    tZeichnen animation(tAnimationKind::Vectors);
    animation.AssignFactors(
        Mat({ { 0, 1, 0 }, { 0, -1, 0 }, { -0.5, 0, 0 }, { 0, 0, 1 } }), 200, 200);
    EXPECT_EQ(animation.ScreenPosition(1), (tScreenPoint { 100, 0 })); // up is y
    EXPECT_EQ(animation.ScreenPosition(2), (tScreenPoint { 100, 200 }));
    EXPECT_EQ(animation.ScreenPosition(3), (tScreenPoint { 50, 100 }));
    EXPECT_EQ(animation.ScreenPosition(4), (tScreenPoint { 100, 100 })); // z points at the viewer
    EXPECT_FALSE(animation.ScreenPosition(5));
}

TEST(VectorAnimation, CloudDrawsSmallCirclesInTheRowColours)
{
    tZeichnen cloud(tAnimationKind::Cloud);
    cloud.AssignFactors(Mat({ { 1, 0, 0 }, { 0, 1, 0 } }), 100, 100);
    tRecordingCanvas canvas;
    cloud.DrawFrame(canvas);
    EXPECT_EQ(canvas.Of("ellipse"),
        (std::vector<std::string> {
            "ellipse 98,48 102,52 #104020 #104020", "ellipse 48,-2 52,2 #208040 #208040" }));
}

TEST(VectorAnimation, Colours)
{
    EXPECT_EQ(PaletteColour(1), (tRgb { 16, 64, 32 }));
    EXPECT_EQ(PaletteColour(17), (tRgb { 16, 64, 32 }));
    EXPECT_EQ(PaletteColour(15), (tRgb { 240, 192, 224 }));
    // round((v / radius + 1) * 120) clamped to 0..255, lower seven bits inverted.
    EXPECT_EQ(LoadingColour(1, 0, -1, 1), (tRgb { 240 ^ 127, 120 ^ 127, 0 ^ 127 }));
    EXPECT_EQ(LoadingColour(std::nanl(""), 5, 0.5, 1), (tRgb { 127, 255 ^ 127, 180 ^ 127 }));

    tZeichnen animation(tAnimationKind::Vectors);
    animation.AssignFactors(Mat({ { 1, 0 }, { 0, 1 } }), 100, 100);
    EXPECT_FALSE(animation.SetColourMode(tColourMode::FactorLoadings)); // needs three columns
    EXPECT_EQ(animation.ColourMode(), tColourMode::Palette);
    EXPECT_EQ(animation.RowColour(2), PaletteColour(2));
    animation.AssignFactors(Mat({ { 3, 0, 0 }, { 0, 0, -3 } }), 100, 100);
    EXPECT_TRUE(animation.SetColourMode(tColourMode::FactorLoadings));
    EXPECT_EQ(animation.RowColour(1), LoadingColour(1, 0, 0, 1));
    EXPECT_EQ(animation.RowColour(2), LoadingColour(0, 0, -1, 1));
    // A matrix too narrow for the loadings colours falls back to the palette.
    animation.AssignFactors(Mat({ { 3, 0 } }), 100, 100);
    EXPECT_EQ(animation.ColourMode(), tColourMode::Palette);
}

TEST(VectorAnimation, LegendShowsAColourSquareAndTheNumberPerRow)
{
    tZeichnen animation(tAnimationKind::Vectors);
    animation.AssignFactors(Mat({ { 1, 0, 0 }, { 0, 1, 0 } }), 100, 100);
    tRecordingCanvas canvas;
    animation.DrawLegend(canvas, 60, 100);
    EXPECT_EQ(canvas.Calls,
        (std::vector<std::string> { "begin 60,100 #c0c0c0", "rect 11,12 22,23 #104020",
            "text 25,12 1 #400000 #7f7f7f", "rect 11,24 22,35 #208040",
            "text 25,24 2 #400000 #7f7f7f" }));
}

TEST(VectorAnimation, LongLegendsEndInACount)
{
    tZeichnen animation(tAnimationKind::Cloud);
    animation.AssignFactors(trealmatrix(1500, 3), 100, 100);
    EXPECT_EQ(animation.LegendHeight(), 12 * 1002);
    tRecordingCanvas canvas;
    animation.DrawLegend(canvas, 60, animation.LegendHeight());
    EXPECT_EQ(canvas.Of("rect").size(), 1000u);
    EXPECT_EQ(canvas.Calls.back(), "text 11,12012 +500 #400000 #7f7f7f");
}

TEST(VectorAnimation, RotationTurnsInOnePlaneFromTheOldValues)
{
    tZeichnen animation(tAnimationKind::Vectors);
    animation.AssignFactors(Mat({ { 0.25, 0.6, 0.8 } }), 100, 100);
    const long double t = 0.3L;
    animation.RotateWork(2, 3, t);
    const trealmatrix& w = animation.Work();
    EXPECT_EQ(w(1, 1), 0.25L);
    EXPECT_NEAR(static_cast<double>(w(1, 2)), std::cos(0.3) * 0.6 - std::sin(0.3) * 0.8, 1e-15);
    EXPECT_NEAR(static_cast<double>(w(1, 3)), std::cos(0.3) * 0.8 + std::sin(0.3) * 0.6, 1e-15);
}

TEST(VectorAnimation, IntermittentModeMakesAnExtraTurnAfterEachFullTurn)
{
    tZeichnen animation(tAnimationKind::Vectors);
    animation.AssignFactors(Mat({ { 1, 0, 0 } }), 100, 100);
    animation.SetRotationMode(tRotationMode::TwoPlanesIntermittent);
    animation.RequestStart();
    for (int step = 1; step < 36000; ++step)
        ASSERT_TRUE(animation.Step());
    EXPECT_EQ(animation.Work()(1, 1), 1.0L); // only (y, z) so far: x untouched
    ASSERT_TRUE(animation.Step());
    const long double turn = 30 * DegreeStep / 100; // 0.3 degrees in the (x, y) plane
    EXPECT_NEAR(
        static_cast<double>(animation.Work()(1, 1)), std::cos(static_cast<double>(turn)), 1e-15);
    EXPECT_NEAR(
        static_cast<double>(animation.Work()(1, 2)), std::sin(static_cast<double>(turn)), 1e-15);
}

TEST(VectorAnimation, RandomModesKeepLengthsAndStayInsideTheMatrix)
{
    for (const auto mode : { tRotationMode::TwoPlanesRandom, tRotationMode::AllPlanesRandom }) {
        for (const trealmatrix& data : { Mat({ { 0.5 } }), Mat({ { 0.3, -0.4 } }),
                 Mat({ { 0.1, 0.2, 0.3, 0.4, 0.5 }, { -1, 0, 0, 0, 0 } }) }) {
            tZeichnen animation(tAnimationKind::Cloud);
            animation.SetSeed(12345);
            animation.AssignFactors(data, 120, 120);
            animation.SetRotationMode(mode);
            animation.SetFineness(3);
            animation.RequestStart();
            for (int step = 0; step < 3000; ++step)
                ASSERT_TRUE(animation.Step());
            for (std::int32_t row = 1; row <= data.Rows(); ++row) {
                long double before = 0;
                long double after = 0;
                for (std::int32_t col = 1; col <= data.Cols(); ++col)
                    before += data(row, col) * data(row, col);
                for (std::int32_t col = 1; col <= animation.Work().Cols(); ++col)
                    after += animation.Work()(row, col) * animation.Work()(row, col);
                EXPECT_NEAR(static_cast<double>(after), static_cast<double>(before), 1e-12);
                const auto point = animation.ScreenPosition(row);
                ASSERT_TRUE(point);
                EXPECT_TRUE(point->X >= 0 && point->X <= 120 && point->Y >= 0 && point->Y <= 120);
            }
        }
    }
}

TEST(VectorAnimation, TheSeedDecidesTheRandomPlanes)
{
    const auto turned = [](std::uint32_t seed) {
        tZeichnen animation(tAnimationKind::Vectors);
        animation.SetSeed(seed);
        animation.AssignFactors(Mat({ { 0.1, 0.2, 0.3, 0.4, 0.5 } }), 100, 100);
        animation.SetRotationMode(tRotationMode::AllPlanesRandom);
        animation.SetFineness(1);
        animation.RequestStart();
        for (int step = 0; step < 500; ++step)
            animation.Step();
        return animation.Work();
    };
    const trealmatrix first = turned(7);
    EXPECT_EQ(first, turned(7));
    EXPECT_NE(first, turned(8));
}

TEST(VectorAnimation, AdvanceEqualsSingleSteps)
{
    tZeichnen stepped(tAnimationKind::Vectors);
    tZeichnen advanced(tAnimationKind::Vectors);
    for (tZeichnen* animation : { &stepped, &advanced }) {
        animation->AssignFactors(Mat({ { 0.3, 0.4, 0.5 }, { -0.6, 0.1, 0.2 } }), 200, 200);
        animation->SetRotationMode(tRotationMode::TwoPlanesIntermittent);
        animation->SetFineness(1);
        animation->RequestStart();
    }
    for (int step = 0; step < 400; ++step)
        stepped.Step();
    EXPECT_TRUE(advanced.Advance(400));
    EXPECT_EQ(advanced.Work(), stepped.Work());
    EXPECT_EQ(advanced.ScreenPosition(2), stepped.ScreenPosition(2));
    advanced.ToggleStopFlag();
    EXPECT_FALSE(advanced.Advance(400)); // ends at its first step
    EXPECT_EQ(advanced.State(), tAnimationState::Idle);
}

TEST(VectorAnimation, LoopStates)
{
    tZeichnen animation(tAnimationKind::Vectors);
    animation.AssignFactors(Mat({ { 0, 1, 0 } }), 100, 100);
    EXPECT_FALSE(animation.Step()); // idle: nothing turns
    animation.RequestStart();
    EXPECT_TRUE(animation.Step());
    animation.RequestPause();
    EXPECT_FALSE(animation.Step());
    EXPECT_EQ(animation.State(), tAnimationState::Paused);
    animation.RequestStart();
    EXPECT_TRUE(animation.Step());
    animation.RequestStop();
    EXPECT_FALSE(animation.Step());
    EXPECT_EQ(animation.State(), tAnimationState::Idle);

    // The legend's double click ends the loop; a new start turns again.
    animation.RequestStart();
    animation.ToggleStopFlag();
    EXPECT_FALSE(animation.Step());
    EXPECT_EQ(animation.State(), tAnimationState::Idle);
    animation.RequestStart();
    EXPECT_FALSE(animation.StopFlag());
    EXPECT_TRUE(animation.Step());

    // New data while turning: taken over, and the turning goes on with them.
    EXPECT_TRUE(animation.AssignFactors(Mat({ { 1, 0, 0 }, { 0, 0, 1 } }), 100, 100));
    EXPECT_EQ(animation.State(), tAnimationState::Rotating);
    EXPECT_EQ(animation.RowCount(), 2);
    EXPECT_TRUE(animation.Step());
    animation.RequestStop();
    EXPECT_FALSE(animation.Step());
    EXPECT_FALSE(animation.AssignFactors(Mat({ { 1, 0, 0 } }), 100, 100));
}

TEST(VectorAnimation, DegenerateMatricesDrawWithoutDividingByZero)
{
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    tZeichnen animation(tAnimationKind::Vectors);
    animation.AssignFactors(trealmatrix(2, 3), 100, 100); // zero matrix: all at the origin
    EXPECT_EQ(animation.Radius(), 1.0L);
    EXPECT_EQ(animation.ScreenPosition(1), (tScreenPoint { 50, 50 }));

    animation.AssignFactors(Mat({ { nan, 1, 0 }, { 0, 1, 0 }, { inf, 0, 0 } }), 100, 100);
    EXPECT_FALSE(animation.ScreenPosition(1)); // not drawn
    EXPECT_EQ(animation.ScreenPosition(2), (tScreenPoint { 50, 0 }));
    EXPECT_FALSE(animation.ScreenPosition(3));
    tRecordingCanvas canvas;
    animation.DrawFrame(canvas);
    EXPECT_EQ(canvas.Of("line").size(), 3u); // two axes, one row

    animation.AssignFactors(trealmatrix(0, 0), 0, 0); // nothing at all, no area
    animation.DrawFrame(canvas);
    EXPECT_EQ(canvas.Calls.size(), 3u);
    animation.RequestStart();
    EXPECT_TRUE(animation.Step());
}

} // namespace
} // namespace zelvora
