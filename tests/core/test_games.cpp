// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExpectedTexts.h"
#include "Game.h"
#include "Player.h"

#include <gtest/gtest.h>

using namespace pexaro;
using test::firstFaceDown;
using test::partnerOf;

namespace {

void finishTurn(Game& game, bool byEnter)
{
    if (byEnter)
        EXPECT_TRUE(game.pressEnter());
    else
        game.nextTurn();
    EXPECT_EQ(game.view().statusText, game.state().ClickMessage1);
    EXPECT_TRUE(game.resolveReleasedPair());
}

// Plays to the win; a clumsy player first turns the card with a wrong partner.
void playToTheWin(Game& game, bool clumsy)
{
    int turn = 0;
    while (!game.isWon()) {
        const int card = firstFaceDown(game);
        ASSERT_GE(card, 0);
        const int partner = partnerOf(game, card);
        int wrong = firstFaceDown(game, card);
        if (wrong == partner)
            wrong = firstFaceDown(game, partner);
        if (clumsy && wrong >= 0) {
            const int matches = game.state().matchCount;
            game.clickCard(card);
            game.clickCard(wrong);
            EXPECT_EQ(game.view().statusText, game.state().msgNoMatch);
            EXPECT_EQ(game.state().matchCount, matches);
            finishTurn(game, ++turn % 2 == 0);
            EXPECT_EQ(game.cardState(card), CardState::FaceDown);
            EXPECT_EQ(game.cardState(wrong), CardState::FaceDown);
        }
        game.clickCard(card);
        EXPECT_EQ(game.view().statusText, game.state().msgSecondCard);
        game.clickCard(partner);
        EXPECT_EQ(game.view().matchesCaption, std::to_string(game.state().matchCount));
        EXPECT_EQ(game.view().turnsCaption, std::to_string(game.state().turnCount));
        if (game.isWon())
            break;
        EXPECT_EQ(game.view().statusText, game.state().msgMatch);
        finishTurn(game, ++turn % 2 == 0);
        EXPECT_EQ(game.cardState(card), CardState::Removed);
        EXPECT_EQ(game.cardState(partner), CardState::Removed);
    }
}

} // namespace

TEST(WholeGame, aPerfectPlayerClearsFourByFourInEightTurns)
{
    Game game = test::seededGame(4, 5.0f);
    playToTheWin(game, false);
    EXPECT_EQ(game.state().matchCount, 8);
    EXPECT_EQ(game.state().turnCount, 8);
    EXPECT_EQ(game.view().statusText, game.state().msgWin);
    const auto box = game.takeWinMessage();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, test::expected::winBox(8));
}

TEST(WholeGame, twoByTwoTakesAtLeastTwoTurns)
{
    Game game = test::seededGame(2, 11.0f);
    playToTheWin(game, true);
    EXPECT_EQ(game.pickState(), PickState::Won);
    EXPECT_EQ(game.state().matchCount, 2);
    EXPECT_EQ(game.state().turnCount, 3);
}

TEST(WholeGame, eightByEightWithAMissBeforeEveryMatchButTheLast)
{
    Game game = test::seededGame(8, 86000.5f);
    playToTheWin(game, true);
    EXPECT_EQ(game.state().matchCount, 32);
    EXPECT_EQ(game.state().turnCount, 63);
    EXPECT_EQ(game.view().turnsCaption, "63");
    EXPECT_EQ(game.view().matchesCaption, "32");
    ASSERT_TRUE(game.view().winMessage);
    EXPECT_EQ(game.view().winMessage->text, test::expected::winBox(63));
}

TEST(WholeGame, sixBySixAndThenAnotherGameAfterTheWin)
{
    Game game = test::seededGame(6, 300.0f);
    playToTheWin(game, false);
    EXPECT_EQ(game.state().turnCount, 18);
    game.newGame();
    game.setBoardSize(2);
    game.startGame();
    EXPECT_EQ(game.pickState(), PickState::Ready);
    EXPECT_EQ(game.state().pairCount, 2);
    playToTheWin(game, false);
    EXPECT_EQ(game.state().turnCount, 2);
}
