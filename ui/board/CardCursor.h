// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFocusFrame>

namespace pexaro::ui {

// Where the keyboard is on the board: a frame of black and white dashes just
// inside one card's cell, plain to see on a back, a face or the bare board.
// It lies in front of the cards and lets every click through to them. As a
// focus frame it is no object of its own to a screen reader, for which the
// card under it is the focus.
class CardCursor : public QFocusFrame {
    Q_OBJECT
public:
    explicit CardCursor(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace pexaro::ui
