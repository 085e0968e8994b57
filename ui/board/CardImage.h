// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace pexaro::ui {

class Artwork;

// One element of a card image array: draws its picture stretched over its
// whole rectangle and reports left clicks with its index.
class CardImage : public QWidget {
    Q_OBJECT
public:
    CardImage(Artwork& artwork, int drawing, int index, QWidget* parent);

    int drawing() const { return drawing_; }

    // Whether the keyboard's cursor is on this card: a screen reader then
    // finds it focused (the window keeps the real keyboard focus).
    void setUnderCursor(bool under) { underCursor_ = under; }
    bool isUnderCursor() const { return underCursor_; }

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Artwork& artwork_;
    const int drawing_;
    const int index_;
    bool pressed_ = false;
    bool underCursor_ = false;
};

} // namespace pexaro::ui
