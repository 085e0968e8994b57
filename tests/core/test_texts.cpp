// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExpectedTexts.h"
#include "Game.h"
#include "Player.h"

#include <gtest/gtest.h>

using namespace pexaro;

TEST(StatusTexts, areBuiltByteForByteWithCrLfBreaks)
{
    const Game game = test::seededGame(4, 1.0f);
    const GameState& s = game.state();
    EXPECT_EQ(s.crlf, "\r\n");
    EXPECT_EQ(s.ClickMessage1, test::expected::clickMessage);
    EXPECT_EQ(s.msgSecondCard, test::expected::secondCard);
    EXPECT_EQ(s.msgMatch, test::expected::match);
    EXPECT_EQ(s.msgNoMatch, test::expected::noMatch);
    EXPECT_EQ(s.msgWin, test::expected::win);
    EXPECT_EQ(clickMessage(), s.ClickMessage1);
}

TEST(StatusTexts, areRebuiltIdenticallyAtEveryStart)
{
    Game game = test::seededGame(2, 1.0f);
    const GameState first = game.state();
    game.newGame();
    game.startGame();
    const GameState& again = game.state();
    EXPECT_EQ(again.msgWin, first.msgWin);
    EXPECT_EQ(again.msgMatch, first.msgMatch);
    EXPECT_EQ(again.msgNoMatch, first.msgNoMatch);
    EXPECT_EQ(again.msgSecondCard, first.msgSecondCard);
    EXPECT_EQ(again.ClickMessage1, first.ClickMessage1);
}

TEST(StatusTexts, thePanelOpensWithTheStartOfTurnPromptAndZeroCounters)
{
    const Game game;
    EXPECT_EQ(game.view().statusText, test::expected::clickMessage);
    EXPECT_EQ(game.view().turnsCaption, "0");
    EXPECT_EQ(game.view().matchesCaption, "0");
    EXPECT_FALSE(game.view().panelEnabled);
    EXPECT_FALSE(game.view().nextTurnShown);
}
