// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Game.h"

#include <QString>

#include <array>

namespace pexaro::ui {

class BoardView;
class GameSession;

// What a screen reader is told of each card, as a player sees it: numbered in
// reading order, "card 12, face down", its picture once turned ("card 12,
// key"), "card 12, removed" once gone, with its row and column. A face that
// is not showing is never named after its picture. A card left unnamed is
// spoken as no card, or as a face that shows nothing (see CardImage).
class CardNames {
public:
    CardNames(const GameSession& session, const BoardView& view);

    // Names every card as the game shows it now. Qt tells a screen reader of
    // every rename, changed or not: only the cards whose look changed since
    // the last call are renamed.
    void describe();
    // Empty off the board.
    QString name(int position) const;
    // As a screen reader reads the card when it takes the focus:
    // "card 1, face down. row 1, column 1."
    QString reading(int position) const;

private:
    // All that a card's name and description are made of. The first looks
    // match none, so that every card is named on the first call.
    struct BackLook {
        int cells = -1;
        CardState state = CardState::FaceDown;
        int value = -1; // while face up
        friend bool operator==(BackLook, BackLook) = default;
    };
    struct FaceLook {
        int cells = -1;
        int position = -1; // while it shows
        friend bool operator==(FaceLook, FaceLook) = default;
    };
    BackLook backLook(int position) const;
    FaceLook faceLook(int value) const;

    const GameSession& session_;
    const BoardView& view_;
    std::array<BackLook, kSlots> backs_ {};
    std::array<FaceLook, kSlots> faces_ {};
};

} // namespace pexaro::ui
