// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Game.h"
#include "board/Artwork.h"

#include <QWidget>

#include <array>

namespace pexaro::ui {

class CardCursor;
class CardImage;

// The cards on the board: 64 backs by board position and 64 faces by card
// value on the card grid, and the keyboard's cursor in front of them. It
// shows the game's view and reports clicks; it holds no rule.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent);

    // Shows the cards as `view` has them, between cardsAboutToChange() and
    // cardsChanged().
    void redraw(const GameView& view);

    CardImage& back(int position) const { return *backs_[position]; }
    CardImage& face(int value) const { return *faces_[value]; }
    CardCursor& cursor() const { return *cursor_; }
    QSize backSize() const;
    // From the board's corner to the far edges of the card block of side n,
    // faces included; n is taken as 1 to 8.
    static QSize cardBlockSize(int n);

signals:
    void cardClicked(int position);
    // A click on a face, by the board position it lies on.
    void faceClicked(int position);
    void cardsAboutToChange();
    void cardsChanged();

private:
    void placeCursor();

    Artwork artwork_;
    std::array<CardImage*, kSlots> backs_ {};
    std::array<CardImage*, kSlots> faces_ {};
    std::array<int, kSlots> facePosition_ {};
    CardCursor* cursor_ = nullptr;
};

} // namespace pexaro::ui
