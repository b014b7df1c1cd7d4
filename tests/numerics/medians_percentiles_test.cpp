// Medians, table medians, percentile classes and normal scores.
#include "matrix_test_util.h"
#include "numerics/medians.h"
#include "numerics/missing_values.h"
#include "numerics/percentiles.h"
#include "numerics/run_time_error.h"
#include "support/result_support.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;

long double Median(const trealmatrix& m, tMedianKind kind = tMedianKind::Plain)
{
    return MedianOf(m, 3, trealmatrix(), kind).Value()(1, 1);
}

TEST(Medians, TiesSpreadTowardTheNextValue)
{
    EXPECT_EQ(Median(Mat({ { 1, 2, 3, 4 } })), 2.5L);
    EXPECT_EQ(Median(Mat({ { 3, 1, 2 } })), 2);
    EXPECT_EQ(Median(Mat({ { 1, 1, 2 } })), 1.5L);
    EXPECT_EQ(Median(Mat({ { 1, 2, 3 } }), tMedianKind::Grouped), 2.5L);
    EXPECT_EQ(Median(Mat({ { 4, 4, 4 } })), 4);
    EXPECT_EQ(Median(trealmatrix(0, 2)), 0);
}

TEST(Medians, MissingCodeIsLeftOut)
{
    EXPECT_EQ(Median(Mat({ { -999, 4, 6 } })), 5);
    EXPECT_EQ(Median(Mat({ { -999, -999 } })), MissingCode);
    EXPECT_EQ(Median(Mat({ { -999, 3, -999 } })), 3);
    // Only the smallest value can be the missing code.
    EXPECT_EQ(Median(Mat({ { -1000, -999, 5 } })), -999);
}

TEST(Medians, DirectionsAndGroups)
{
    const trealmatrix m = Mat({ { 1, 9, 3 }, { 2, 4, 6 } });
    EXPECT_EQ(MedianOf(m, 1).Value(), Mat({ { 3 }, { 4 } }));
    EXPECT_EQ(MedianOf(m, 2).Value(), Mat({ { 1.5L, 6.5L, 4.5L } }));
    EXPECT_EQ(MedianOf(m, 1, Mat({ { 1, 2, 1 } })).Value(), Mat({ { 2, 9 }, { 4, 4 } }));
    EXPECT_EQ(FailureCode(MedianOf(m, 5)), 1);
    EXPECT_EQ(MedianOf(trealmatrix(0, 2), 2).Value(), Mat({ { 0, 0 } }));
}

TEST(Medians, FrequencyTables)
{
    // Counts 1, 1, 2 of the categories 1, 2, 3: the values 1, 2, 3, 3.
    EXPECT_EQ(TabMedian(Mat({ { 1, 1, 2 } }), 1).Value(), Mat({ { 2.5L } }));
    EXPECT_EQ(
        TabMedian(Mat({ { 1, 1, 2 } }), 1, Mat({ { 30, 20, 10 } })).Value(), Mat({ { 17.5L } }));
    EXPECT_EQ(TabMedian(Mat({ { 0, 1 }, { 2, 0 } }), 2).Value(), Mat({ { 2, 1 } }));
    EXPECT_EQ(TabMedian(Mat({ { 1, 0, 0 }, { 0, 0, 1 } }), 3).Value(), Mat({ { 2 } }));
    EXPECT_THROW(TabMedian(Mat({ { 1, 1, 2 } }), 1, Mat({ { 1, 2 } })).Value(), tRangeError);
}

TEST(Percentiles, ClassesSharedByEqualValues)
{
    EXPECT_EQ(PercentileClasses(Mat({ { 10, 20, 30, 40 } }), 4, 1), Mat({ { 1, 2, 3, 4 } }));
    EXPECT_EQ(PercentileClasses(Mat({ { 40, 10, 30, 20 } }), 4, 3), Mat({ { 4, 1, 3, 2 } }));
    EXPECT_EQ(PercentileClasses(Mat({ { 5, 5, 5, 5 } }), 2, 1), Mat({ { 2, 2, 2, 2 } }));
    EXPECT_EQ(PercentileClasses(Mat({ { 1 }, { 2 } }), 2, 2), Mat({ { 1 }, { 2 } }));
    // Classes are counted inside each group.
    EXPECT_EQ(PercentileClasses(Mat({ { 1, 100, 2, 200 } }), 2, 1, Mat({ { 1, 2, 1, 2 } })),
        Mat({ { 1, 1, 2, 2 } }));
}

TEST(Percentiles, NormalScores)
{
    // The tabulated distribution is cut at +-2.5, so the scores sit a little inside the quantiles.
    const trealmatrix scores = NormalScores(Mat({ { 1, 2, 3, 4 } }), "Z", 1).Value();
    EXPECT_NEAR(scores(1, 1), -0.674L, 0.02L);
    EXPECT_NEAR(scores(1, 2), 0, 0.02L);
    EXPECT_NEAR(scores(1, 3), 0.674L, 0.02L);
    EXPECT_NEAR(scores(1, 4), 2.5L, 0.02L);
    // Scores lie on the 0.005 grid.
    const long double steps = scores(1, 3) / 0.005L;
    EXPECT_NEAR(steps, std::nearbyint(steps), 1e-9L);
    EXPECT_EQ(NormalScores(Mat({ { 2, 2 } }), "z", 1).Value(),
        NormalScores(Mat({ { 7, 7 } }), "Z", 3).Value());
    EXPECT_EQ(NormalScores(Mat({ { 1, -999, 3 } }), "Z", 1).Value()(1, 2), -999);
    EXPECT_EQ(NormalScores(Mat({ { -999, -999 } }), "Z", 1).Value(), Mat({ { -999, -999 } }));
    EXPECT_EQ(NormalScores(Mat({ { 3, 1 } }), "Rang", 1).Value(), Mat({ { 3, 1 } }));
    const trealmatrix columns = NormalScores(Mat({ { 1, 5 }, { 2, 4 } }), "Z", 2).Value();
    EXPECT_LT(columns(1, 1), columns(2, 1));
    EXPECT_GT(columns(1, 2), columns(2, 2));
}

} // namespace
} // namespace zelvora
