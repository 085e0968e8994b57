// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace pexaro::ui {

// Where the keyboard is on the board: the card it is on, whether it shows,
// and the frame that shows it, black dashes on a white stroke just inside the
// card's cell, plain to see on a back, a face or the bare board. The arrow
// keys move it (it stops at the edges) and Space chooses its card; it shows
// from the first such key on. The frame lies in front of the cards, lets
// every click through, and is no object of its own to a screen reader, for
// which the card under it is the focus.
class CardCursor : public QWidget {
    Q_OBJECT
public:
    // `parent` needs a role given with setScreenReaderRole(). The keys are
    // taken while `keyboard` itself has the focus.
    CardCursor(QWidget* parent, QWidget& keyboard);

    // A board position.
    int position() const { return position_; }
    // A new board of side `side`: on its first card, hidden.
    void reset(int side);
    void place(int position, bool shown);

signals:
    // After every reset(), place() and arrow key.
    void moved();
    // An arrow key moved it, after moved().
    void stepped();
    // Space: the card it is on, now shown.
    void chosen(int position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void step(int rowStep, int columnStep);

    int position_ = 0;
    int side_ = 0;
};

} // namespace pexaro::ui
