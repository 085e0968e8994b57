// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Game.h"

#include <QString>

namespace pexaro::ui {

class BoardView;

// What a screen reader is told of each card, as a player sees it: numbered in
// reading order, "card 12, face down", its picture once turned ("card 12,
// key"), "card 12, removed" once gone, with its row and column. A face that
// is not showing is never named after its picture. A card left unnamed is
// spoken as no card, or as a face that shows nothing (see CardImage).

// Names every card of `view` as `game` shows it now.
void describeBoard(const GameView& game, const BoardView& view);
// Names the card at `position` and the face dealt to it.
void describeCard(const GameView& game, const BoardView& view, int position);
// Empty off the board.
QString cardName(const GameView& game, int position);
// As a screen reader reads the card when it takes the focus:
// "card 1, face down. row 1, column 1."
QString cardReading(const GameView& game, int position);

} // namespace pexaro::ui
