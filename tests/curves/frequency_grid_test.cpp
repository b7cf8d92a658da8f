#include "pages/curves/frequency_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace mixer {
namespace {

TEST(FrequencyGrid, HoldsTheFixedRowsExactly) {
    const std::pair<int, double> rows[] = {
        {0, 19.71},  {1, 20.31},  {2, 20.91},   {3, 21.51},   {4, 22.11},   {5, 22.71},   {6, 23.41},
        {9, 25.5},   {10, 26.3},  {24, 39.4},   {48, 78.7},   {72, 158},    {96, 315},    {100, 354},
        {120, 630},  {144, 1260}, {168, 2520},  {192, 5000},  {200, 6350},  {216, 10079}, {230, 15102},
        {235, 17448}, {236, 17959}, {237, 18486}, {238, 19027}, {239, 19585}, {240, 20000}};
    const auto& grid = FrequencyGrid();
    for (const auto& [index, hz] : rows) EXPECT_EQ(grid[index], hz) << "row " << index;
}

TEST(FrequencyGrid, RisesAboutAnOctaveEveryTwentyFourRows) {
    const auto& grid = FrequencyGrid();
    for (int i = 1; i < kGridSize; ++i) {
        const double step = grid[i] / grid[i - 1];
        EXPECT_GT(step, 1.02) << "row " << i;
        EXPECT_LT(step, 1.032) << "row " << i;
    }
    for (int i = 0; i + 24 < kGridSize; ++i) {
        const double octave = grid[i + 24] / grid[i];
        EXPECT_NEAR(octave, 2.0, 0.05) << "rows " << i << ".." << i + 24;
    }
}

TEST(FrequencyGrid, KeepsTwoDecimalsLowAndWholeHertzHigh) {
    for (double hz : FrequencyGrid()) {
        if (hz < 100) {
            EXPECT_NEAR(hz * 100, std::round(hz * 100), 1e-6) << hz;
        } else if (hz >= 300) {
            EXPECT_EQ(hz, std::round(hz)) << hz;
        } else {
            EXPECT_NEAR(hz * 10, std::round(hz * 10), 1e-6) << hz;
        }
    }
}

TEST(GridIndex, FindsEveryGridFrequencyAtItsOwnRow) {
    const auto& grid = FrequencyGrid();
    for (int i = 0; i < kGridSize; ++i) EXPECT_EQ(GridIndex(grid[i]), i);
}

TEST(GridIndex, PicksTheNearerNeighbourAndTheUpperOneOnATie) {
    // 630 and 648 are rows 120 and 121; 1000 and 1029 rows 136 and 137.
    EXPECT_EQ(GridIndex(639.0), 121);
    EXPECT_EQ(GridIndex(638.99), 120);
    EXPECT_EQ(GridIndex(639.01), 121);
    EXPECT_EQ(GridIndex(1014.5), 137);
    EXPECT_EQ(GridIndex(1014.0), 136);
    EXPECT_EQ(GridIndex(1000.4), 136);
}

TEST(GridIndex, ClampsAtBothEnds) {
    EXPECT_EQ(GridIndex(19.71), 0);
    EXPECT_EQ(GridIndex(19.0), 0);
    EXPECT_EQ(GridIndex(0.0), 0);
    EXPECT_EQ(GridIndex(-5.0), 0);
    EXPECT_EQ(GridIndex(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(GridIndex(20000.0), kGridSize - 1);
    EXPECT_EQ(GridIndex(20000.5), kGridSize - 1);
    EXPECT_EQ(GridIndex(96000.0), kGridSize - 1);
    EXPECT_EQ(GridIndex(std::numeric_limits<double>::infinity()), kGridSize - 1);
    // 19585 and 20000 are the last two rows; 19792.5 is half-way.
    EXPECT_EQ(GridIndex(19792.5), kGridSize - 1);
    EXPECT_EQ(GridIndex(19792.4), kGridSize - 2);
}

}  // namespace
}  // namespace mixer
