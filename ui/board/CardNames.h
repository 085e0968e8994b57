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
class CardNames {
public:
    CardNames(const GameView& game, const BoardView& view);

    // Names every card as the game shows it now.
    void describeAll();
    // Names the card at `position` and the face dealt to it.
    void describe(int position);
    // Empty off the board.
    QString name(int position) const;
    // As a screen reader reads the card when it takes the focus:
    // "card 1, face down. row 1, column 1."
    QString reading(int position) const;

private:
    void describeFace(int value);

    const GameView& game_;
    const BoardView& view_;
};

} // namespace pexaro::ui
