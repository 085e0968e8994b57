// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExpectedTexts.h"
#include "Game.h"
#include "TestRandom.h"

#include <gtest/gtest.h>

using namespace pexaro;
using pexaro::test::ScriptedRandom;

namespace {

// A 2x2 board dealt as  37 7 / 5 39: pairs at positions {0, 2} and {1, 3};
// the script holds the same deal twice for tests that start a second game.
class TwoByTwo : public ::testing::Test {
protected:
    TwoByTwo()
        : game(std::make_unique<ScriptedRandom>(
                   std::vector<double> {5.5 / 32, 0.6, 0.1, 7.5 / 32, 0.3, 0.9, //
                       5.5 / 32, 0.6, 0.1, 7.5 / 32, 0.3, 0.9},
                   std::make_shared<ScriptedRandom::Log>()),
            [] { return 0.0f; })
    {
        game.setBoardSize(2);
        game.startGame();
    }

    void expectUnchangedBy(void (*action)(Game&))
    {
        const GameState state = game.state();
        const GameView view = game.view();
        action(game);
        EXPECT_EQ(game.state(), state);
        EXPECT_EQ(game.view(), view);
    }

    const GameState& s() const { return game.state(); }
    const GameView& v() const { return game.view(); }

    Game game;
};

} // namespace

TEST_F(TwoByTwo, isDealtAsScripted)
{
    const auto& cv = s().cardValue;
    ASSERT_EQ((std::vector<int>(cv.begin(), cv.begin() + 4)), (std::vector<int> {37, 7, 5, 39}));
    EXPECT_EQ(game.pickState(), PickState::Ready);
}

TEST_F(TwoByTwo, firstPickTurnsTheCardAndAsksForASecond)
{
    game.clickCard(1);
    EXPECT_EQ(game.cardState(1), CardState::FaceUp);
    EXPECT_EQ(game.pickState(), PickState::OneUp);
    EXPECT_EQ(s().firstValue, 7);
    EXPECT_EQ(s().firstIndex, 1);
    EXPECT_EQ(v().statusText, s().msgSecondCard);
    EXPECT_FALSE(v().nextTurnShown);
    EXPECT_FALSE(v().panelEnabled) << "nothing scored yet";
}

TEST_F(TwoByTwo, aFaceUpCardCannotBeThePairOfItself)
{
    game.clickCard(0);
    expectUnchangedBy([](Game& g) { g.clickCard(0); });
    EXPECT_EQ(s().turnCount, 0);
}

TEST_F(TwoByTwo, clicksOutsideTheBoardOrOnHiddenBacksAreDropped)
{
    expectUnchangedBy([](Game& g) {
        g.clickCard(-1);
        g.clickCard(4);
        g.clickCard(63);
        g.clickCard(64);
    });
}

TEST_F(TwoByTwo, aMatchIsScoredAtTheSecondPick)
{
    game.clickCard(2);
    game.clickCard(0);
    EXPECT_EQ(game.pickState(), PickState::PairPending);
    EXPECT_EQ(v().statusText, s().msgMatch);
    EXPECT_TRUE(v().nextTurnShown);
    EXPECT_TRUE(v().panelEnabled);
    EXPECT_EQ(s().Wait, 1);
    EXPECT_EQ(s().secondIndex, 0);
    EXPECT_EQ(v().matchesCaption, "1");
    EXPECT_EQ(v().turnsCaption, "1");
    EXPECT_EQ(game.cardState(0), CardState::FaceUp);
    EXPECT_EQ(game.cardState(2), CardState::FaceUp);
}

TEST_F(TwoByTwo, aMissCountsATurnButNoMatch)
{
    game.clickCard(0);
    game.clickCard(1);
    EXPECT_EQ(v().statusText, s().msgNoMatch);
    EXPECT_EQ(s().turnCount, 1);
    EXPECT_EQ(s().matchCount, 0);
    EXPECT_EQ(v().turnsCaption, "1");
    EXPECT_EQ(v().matchesCaption, "0");
    EXPECT_TRUE(v().nextTurnShown);
}

TEST_F(TwoByTwo, clicksWhileAPairIsPendingChangeNothing)
{
    game.clickCard(0);
    game.clickCard(1);
    expectUnchangedBy([](Game& g) {
        g.clickCard(2);
        g.clickCard(3);
        g.clickCard(0);
    });
}

TEST_F(TwoByTwo, ticksResolveOnlyAReleasedPair)
{
    game.clickCard(0);
    expectUnchangedBy([](Game& g) { EXPECT_FALSE(g.resolveReleasedPair()); });
    game.clickCard(1);
    expectUnchangedBy([](Game& g) { EXPECT_FALSE(g.resolveReleasedPair()); });
    game.nextTurn();
    EXPECT_EQ(game.pickState(), PickState::Released);
    EXPECT_TRUE(game.resolveReleasedPair());
    EXPECT_EQ(game.pickState(), PickState::Ready);
    expectUnchangedBy([](Game& g) { EXPECT_FALSE(g.resolveReleasedPair()); });
}

TEST_F(TwoByTwo, nextTurnAfterAMissTurnsBothCardsFaceDownAtTheTick)
{
    game.clickCard(3);
    game.clickCard(0);
    game.nextTurn();
    EXPECT_EQ(v().statusText, s().ClickMessage1);
    EXPECT_FALSE(v().nextTurnShown);
    EXPECT_EQ(s().Wait, 0);
    EXPECT_EQ(game.cardState(0), CardState::FaceUp) << "still up until the tick";
    game.resolveReleasedPair();
    EXPECT_EQ(game.cardState(0), CardState::FaceDown);
    EXPECT_EQ(game.cardState(3), CardState::FaceDown);
    EXPECT_EQ(s().firstValue, 0);
    EXPECT_EQ(s().firstIndex, 0);
    EXPECT_EQ(s().secondIndex, 0);
    EXPECT_EQ(s().clickCount, 0);
    EXPECT_EQ(s().turnCount, 1) << "Next Turn scores nothing";
}

TEST_F(TwoByTwo, nextTurnAfterAMatchRemovesBothCardsAtTheTick)
{
    game.clickCard(1);
    game.clickCard(3);
    game.nextTurn();
    game.resolveReleasedPair();
    EXPECT_EQ(game.cardState(1), CardState::Removed);
    EXPECT_EQ(game.cardState(3), CardState::Removed);
    EXPECT_EQ(s().matchCount, 1);
    game.clickCard(1);
    EXPECT_EQ(game.pickState(), PickState::Ready) << "a removed card takes no click";
}

TEST_F(TwoByTwo, nextTurnOutsideAPendingPairOnlyKeepsTheControlsHidden)
{
    expectUnchangedBy([](Game& g) { g.nextTurn(); });
    game.clickCard(0);
    expectUnchangedBy([](Game& g) { EXPECT_TRUE(g.pressEnter()); });
    EXPECT_EQ(v().statusText, s().msgSecondCard);
    game.clickCard(1);
    game.nextTurn();
    expectUnchangedBy([](Game& g) { g.nextTurn(); });
}

// Regression: a click between Next Turn and the tick used to compare the first
// value with the clicked face-down card and could score a phantom match.
TEST_F(TwoByTwo, aClickBeforeTheTickResolvesThePairThenStartsANewTurn)
{
    game.clickCard(0); // 37
    game.clickCard(1); // 7: a miss
    game.nextTurn();
    game.clickCard(2); // 5 would "match" 37 if compared
    EXPECT_EQ(s().matchCount, 0);
    EXPECT_EQ(s().turnCount, 1);
    EXPECT_EQ(game.pickState(), PickState::OneUp);
    EXPECT_EQ(s().firstIndex, 2);
    EXPECT_EQ(s().firstValue, 5);
    EXPECT_EQ(game.cardState(0), CardState::FaceDown);
    EXPECT_EQ(game.cardState(1), CardState::FaceDown);
    EXPECT_EQ(game.cardState(2), CardState::FaceUp);
    EXPECT_EQ(v().statusText, s().msgSecondCard);
}

TEST_F(TwoByTwo, aClickBeforeTheTickAfterAMatchRemovesThePairFirst)
{
    game.clickCard(0);
    game.clickCard(2);
    game.nextTurn();
    game.clickCard(3);
    EXPECT_EQ(game.cardState(0), CardState::Removed);
    EXPECT_EQ(game.cardState(2), CardState::Removed);
    EXPECT_EQ(game.pickState(), PickState::OneUp);
    game.clickCard(1);
    EXPECT_EQ(s().matchCount, 2);
    EXPECT_EQ(s().turnCount, 2);
    EXPECT_EQ(game.pickState(), PickState::Won);
}

TEST_F(TwoByTwo, theLastPairWinsAndFreezesTheBoard)
{
    game.clickCard(0);
    game.clickCard(2);
    game.nextTurn();
    game.resolveReleasedPair();
    game.clickCard(3);
    game.clickCard(1);

    EXPECT_EQ(game.pickState(), PickState::Won);
    EXPECT_EQ(v().statusText, s().msgWin);
    EXPECT_FALSE(v().nextTurnShown);
    EXPECT_EQ(v().matchesCaption, "2");
    EXPECT_EQ(v().turnsCaption, "2");
    EXPECT_EQ(s().Wait, 1);
    const auto box = game.takeWinMessage();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, test::expected::winBox(2));
    EXPECT_EQ(box->title, test::expected::winTitle);
    EXPECT_FALSE(game.takeWinMessage().has_value()) << "shown once";

    expectUnchangedBy([](Game& g) {
        EXPECT_FALSE(g.pressEnter()) << "ENTER is ignored once won";
        EXPECT_FALSE(g.resolveReleasedPair());
        g.clickCard(1);
    });
    EXPECT_EQ(game.cardState(1), CardState::FaceUp);
    EXPECT_EQ(game.cardState(3), CardState::FaceUp);
}

TEST_F(TwoByTwo, newGameClearsTheBoardButLeavesTheCountsToTheNextStart)
{
    game.clickCard(0);
    game.clickCard(1);
    game.newGame();
    for (int i = 0; i < kSlots; ++i) {
        EXPECT_FALSE(v().backVisible[i]);
        EXPECT_FALSE(v().faceVisible[i]);
        EXPECT_EQ(s().positionTaken[i], 0);
        EXPECT_EQ(s().valueUsed[i], 0);
    }
    EXPECT_EQ(v().turnsCaption, "0");
    EXPECT_EQ(v().matchesCaption, "0");
    EXPECT_EQ(s().turnCount, 1);
    EXPECT_EQ(s().Wait, 1);
}

// Regression: a new game used to open on the last game's verdict and with the
// Next Turn controls of an unfinished turn still showing.
TEST_F(TwoByTwo, aNewGameOpensOnTheStartPromptWithoutNextTurn)
{
    game.clickCard(0);
    game.clickCard(1);
    ASSERT_TRUE(v().nextTurnShown);
    game.newGame();
    game.startGame();
    EXPECT_EQ(v().statusText, s().ClickMessage1);
    EXPECT_FALSE(v().nextTurnShown);
    EXPECT_FALSE(v().panelEnabled);
    EXPECT_EQ(s().Wait, 0);
    EXPECT_EQ(s().turnCount, 0);
    EXPECT_EQ(game.pickState(), PickState::Ready);
}
