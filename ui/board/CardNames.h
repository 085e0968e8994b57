// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Game.h"

#include <QString>

#include <array>

namespace pexaro::ui {

class CardImage;
class GameSession;

// What a screen reader is told of each card, as a player sees it: numbered in
// reading order, "card 12, face down", its picture once turned ("card 12,
// key"), "card 12, removed" once gone, with its row and column. A face that
// is not showing is never named after its picture. A card left unnamed is
// spoken as no card, or as a face that shows nothing (see CardImage).
class CardNames {
public:
    using Cards = std::array<CardImage*, kSlots>;

    // `backs` by board position and `faces` by card value, filled in later.
    CardNames(const GameSession& session, const Cards& backs, const Cards& faces);

    // Names every card as the game shows it now. Qt tells a screen reader of
    // every rename, changed or not: only names that changed are set.
    void describe() const;
    // Empty off the board.
    QString name(int position) const;
    // As a screen reader reads the card when it takes the focus:
    // "card 1, face down. row 1, column 1."
    QString reading(int position) const;

private:
    const GameSession& session_;
    const Cards& backs_;
    const Cards& faces_;
};

} // namespace pexaro::ui
