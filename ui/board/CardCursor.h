// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace pexaro::ui {

// Where the keyboard is on the board: the card it is on, whether it shows,
// and the frame that shows it, black dashes on a white stroke just inside the
// card's cell, plain to see on a back, a face or the bare board. The frame
// lies in front of the cards, lets every click through, and is no object of
// its own to a screen reader, for which the card under it is the focus.
class CardCursor : public QWidget {
    Q_OBJECT
public:
    // `parent` needs a role given with setScreenReaderRole().
    explicit CardCursor(QWidget* parent);

    // A board position.
    int position() const { return position_; }
    void place(int position, bool shown);
    // One card on in a board of side `side`, shown; it stops at the edges.
    void step(int rowStep, int columnStep, int side);

signals:
    // After every place() and step().
    void moved();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int position_ = 0;
};

} // namespace pexaro::ui
