// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Game.h"
#include "board/Artwork.h"

#include <QWidget>

#include <array>
#include <optional>

namespace pexaro::ui {

class CardCursor;
class CardImage;
class GameSession;

// The cards on the board: 64 backs by board position and 64 faces by card
// value on the card grid, and the keyboard's cursor in front of them. It
// shows each card as the session's game has it, to the eye and by name to
// screen readers, and says which card the player chose; it holds no rule.
class BoardView : public QWidget {
    Q_OBJECT
public:
    // The cursor's keys are taken while `keyboard` itself has the focus.
    BoardView(const GameSession& session, QWidget& keyboard, QWidget* parent);

    CardImage& back(int position) const { return *backs_[position]; }
    CardImage& face(int value) const { return *faces_[value]; }
    CardCursor& cursor() const { return *cursor_; }
    QSize backSize() const;
    // From the board's corner to the far edges of the card block of side n,
    // faces included; n is taken as 1 to 8.
    static QSize cardBlockSize(int n);

signals:
    // A click on a back, which hides the cursor on it, or Space on the
    // cursor's card, which shows it.
    void cardChosen(int position);

private:
    // Names change before the cards show or hide, so that a back shown again
    // is never announced under the picture it covered.
    void showBoard();
    void showCard(int position);
    void placeCursor();

    const GameView& game_;
    Artwork artwork_;
    std::array<CardImage*, kSlots> backs_ {};
    std::array<CardImage*, kSlots> faces_ {};
    CardCursor* cursor_ = nullptr;
};

// The board window's outer size in pixels for a board of side n, by the board
// formulas, from a card back's size in pixels.
QSize formulaOuterSize(int n, QSize back);

// Where the board window's outer top-left goes: at `kept` (where the player
// left it) or else centred, with the panel one pixel to its right, the two
// kept wholly within `available` as far as they fit.
QPoint boardPlace(QRect available, QSize board, QSize panel, std::optional<QPoint> kept);

} // namespace pexaro::ui
