// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Game.h"

#include <memory>
#include <stdexcept>

namespace pexaro::test {

// A game on the real generator, seeded by the test instead of the clock.
inline Game seededGame(std::int16_t cards, float seed)
{
    Game game(std::make_unique<StdRandomSource>(), [seed] { return seed; });
    game.setBoardSize(cards);
    game.startGame();
    return game;
}

// The board position holding the partner of the card at `position`.
inline int partnerOf(const Game& game, int position)
{
    const int value = game.state().cardValue[position];
    const int partner = pairPartner(value);
    for (int p = 0; p < game.boardCells(); ++p)
        if (game.state().cardValue[p] == partner)
            return p;
    throw std::logic_error("card without a partner on the board");
}

// The lowest face-down position, or -1 when there is none.
inline int firstFaceDown(const Game& game, int after = -1)
{
    for (int p = after + 1; p < game.boardCells(); ++p)
        if (game.cardState(p) == CardState::FaceDown)
            return p;
    return -1;
}

} // namespace pexaro::test
