// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BoardLayout.h"
#include "Game.h"
#include "GridTable.h"
#include "Player.h"
#include "TestRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace pexaro;
using pexaro::test::ScriptedRandom;

namespace {

struct ScriptedGame {
    std::shared_ptr<ScriptedRandom::Log> log = std::make_shared<ScriptedRandom::Log>();
    Game game;

    explicit ScriptedGame(std::vector<double> draws, float clock = 4321.25f)
        : game(std::make_unique<ScriptedRandom>(std::move(draws), log), [clock] { return clock; })
    {
    }
};

// r that floors to `index` when scaled by `range`, from the middle of its slot.
double slot(int index, int range)
{
    return (index + 0.5) / range;
}

void expectWellDealt(const Game& game, int n)
{
    const GameState& s = game.state();
    const int cells = n * n;
    std::multiset<int> values(s.cardValue.begin(), s.cardValue.begin() + cells);
    EXPECT_EQ(static_cast<int>(std::set<int>(values.begin(), values.end()).size()), cells)
        << "no value twice";
    int below = 0;
    for (const int v : values) {
        ASSERT_GE(v, 0);
        ASSERT_LT(v, kSlots);
        if (v < kPairOffset) {
            ++below;
            EXPECT_EQ(values.count(v + kPairOffset), 1u) << "partner of " << v;
        }
    }
    EXPECT_EQ(below, cells / 2);
    EXPECT_EQ(s.pairCount, cells / 2);
    for (int p = 0; p < kSlots; ++p) {
        EXPECT_EQ(s.positionTaken[p], p < cells ? 1 : 0) << "position " << p;
        EXPECT_EQ(game.view().backVisible[p], p < cells) << "back " << p;
        EXPECT_FALSE(game.view().faceVisible[p]) << "face " << p;
    }
    for (int p = 0; p < cells; ++p)
        EXPECT_EQ(game.view().facePosition[s.cardValue[p]], p) << "face on its card";
    for (int v = 0; v < kPictures; ++v)
        EXPECT_EQ(s.valueUsed[v], values.count(v) ? 1 : 0) << "value " << v;
}

} // namespace

class DealsEverySize : public ::testing::TestWithParam<std::tuple<int, float>> { };

TEST_P(DealsEverySize, fillsEveryPositionOnceWithDistinctPairs)
{
    const auto [n, seed] = GetParam();
    const Game game = test::seededGame(static_cast<std::int16_t>(n), seed);
    expectWellDealt(game, n);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DealsEverySize,
    ::testing::Combine(
        ::testing::Values(2, 4, 6, 8), ::testing::Values(0.0f, 1.5f, 43210.75f, 86399.99f)));

TEST(Deal, drawsTheValueThenThePositionsOfItsTwoCardsPairAfterPair)
{
    // 2x2: value 5 at 2, partner 37 after one rejected draw at 0; value 5 is
    // drawn again and rejected, then 7 goes to 1 after two rejections, 39 to 3.
    ScriptedGame g({slot(5, 32), slot(2, 4), // pair 1: value, position of 5
        slot(2, 4), slot(0, 4), // position of 37, one retry
        slot(5, 32), slot(7, 32), // pair 2: value, one retry
        slot(2, 4), slot(0, 4), slot(1, 4), // position of 7, two retries
        slot(3, 4)}); // position of 39
    g.game.setBoardSize(2);
    g.game.startGame();

    const auto& cv = g.game.state().cardValue;
    EXPECT_EQ((std::vector<int>(cv.begin(), cv.begin() + 4)), (std::vector<int> {37, 7, 5, 39}));
    EXPECT_EQ(g.log->drawsLeft, 0u);
    EXPECT_EQ(g.log->seeds, (std::vector<float> {4321.25f}));
    EXPECT_EQ(g.game.view().facePosition[5], 2);
    EXPECT_EQ(g.game.view().facePosition[37], 0);
}

TEST(Deal, drawsNeverLeaveTheirRangeEvenAtTheTopOfTheUnitInterval)
{
    const double top = 0.9999999999;
    ScriptedGame g({top, top, 0.0, // value 31 at 3, partner at 0
        0.0, 0.5, 0.25}); // value 0 at 2, partner at 1
    g.game.setBoardSize(2);
    g.game.startGame();
    const auto& cv = g.game.state().cardValue;
    EXPECT_EQ((std::vector<int>(cv.begin(), cv.begin() + 4)), (std::vector<int> {63, 32, 0, 31}));
}

TEST(Deal, aSmallerBoardAfterAnEightByEightLeavesTheRestOfTheTableAlone)
{
    Game game = test::seededGame(8, 100.0f);
    const auto before = game.state().cardValue;
    game.newGame();
    game.setBoardSize(4);
    game.startGame();
    const auto& after = game.state().cardValue;
    EXPECT_TRUE(std::equal(before.begin() + 16, before.end(), after.begin() + 16));
    expectWellDealt(game, 4);
}

class UnsupportedSize : public ::testing::TestWithParam<int> { };

TEST_P(UnsupportedSize, dealsNothingAndLeavesTheTablesAsTheyWere)
{
    Game game = test::seededGame(4, 7.0f);
    const GameState before = game.state();
    game.setBoardSize(static_cast<std::int16_t>(GetParam()));
    game.startGame();
    const GameState& after = game.state();
    EXPECT_EQ(after.cardValue, before.cardValue);
    EXPECT_EQ(after.positionTaken, before.positionTaken);
    EXPECT_EQ(after.valueUsed, before.valueUsed);
    EXPECT_EQ(after.pairCount, GetParam() * GetParam() / 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, UnsupportedSize, ::testing::Values(0, 5));

TEST(Deal, anUnsetSizeShowsNoCardAndCountsNoPairs)
{
    ScriptedGame g({});
    g.game.startGame();
    EXPECT_EQ(g.game.state().pairCount, 0);
    EXPECT_EQ(g.log->seeds.size(), 1u) << "still seeded";
    for (int p = 0; p < kSlots; ++p) {
        EXPECT_FALSE(g.game.view().backVisible[p]);
        EXPECT_FALSE(g.game.view().faceVisible[p]);
    }
}

TEST(Deal, anOversizedBoardNeverShowsMoreThanTheSixtyFourBacks)
{
    ScriptedGame g({});
    g.game.setBoardSize(30000);
    g.game.startGame(); // must not write past the tables
    EXPECT_TRUE(std::all_of(g.game.view().backVisible.begin(), g.game.view().backVisible.end(),
        [](bool shown) { return shown; }));
}

TEST(BoardLayout, positionsFillNestedSquaresAsTheGridTableShows)
{
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column)
            EXPECT_EQ(gridPlace(test::kPositionAt[row][column]), (GridPlace {column, row}))
                << "position " << test::kPositionAt[row][column];
}

TEST(BoardLayout, theKeyboardCursorFindsThePositionOfEveryPlace)
{
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column)
            EXPECT_EQ(gridPosition({column, row}), test::kPositionAt[row][column])
                << "row " << row << ", column " << column;
}
