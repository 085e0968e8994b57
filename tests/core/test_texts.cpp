// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Game.h"
#include "Player.h"

#include <gtest/gtest.h>

using namespace pexaro;

TEST(StatusTexts, areBuiltByteForByteWithCrLfBreaks)
{
    const Game game = test::seededGame(4, 1.0f);
    const GameState& s = game.state();
    EXPECT_EQ(s.crlf, "\r\n");
    EXPECT_EQ(s.ClickMessage1, "\r\n\r\nClick on a card...");
    EXPECT_EQ(s.msgSecondCard, "\r\n\r\nNow click on another card to try to find a match...");
    EXPECT_EQ(s.msgMatch,
        "You found a MATCH!\r\n\r\n(Click on the 'Next Turn'\r\nbutton or press "
        "the\r\nENTER key to continue.)");
    EXPECT_EQ(s.msgNoMatch,
        "SORRY...\r\nYou didn't find a match.\r\n\r\n(Click on the 'Next "
        "Turn'\r\nbutton or press the\r\nENTER key to continue.)");
    EXPECT_EQ(s.msgWin,
        "YOU WIN!!\r\n\r\nYou found all the matches!\r\n\r\nPress Ctrl-N \r\nto "
        "play again.");
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
    EXPECT_EQ(game.view().statusText, "\r\n\r\nClick on a card...");
    EXPECT_EQ(game.view().turnsCaption, "0");
    EXPECT_EQ(game.view().matchesCaption, "0");
    EXPECT_FALSE(game.view().statsEnabled);
    EXPECT_FALSE(game.view().nextTurnShown);
}
