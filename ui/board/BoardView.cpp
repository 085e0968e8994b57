// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/BoardView.h"

#include "BoardLayout.h"
#include "board/CardCursor.h"
#include "board/CardImage.h"
#include "common/Controls.h"
#include "common/ScreenReader.h"
#include "common/Twips.h"

#include <algorithm>

namespace pexaro::ui {

namespace {

// The card grid in twips: the first card's corner, the step from one card to
// the next (15 twips less than a back, so that neighbours overlap by one
// pixel), a back's side, and a face's width (two pixels wider than its back,
// so that a turned card covers its back's edge).
constexpr int kGridOrigin = 120;
constexpr int kGridPitch = 840;
constexpr int kBackSize = 855;
constexpr int kFaceWidth = 885;

QPoint gridTopLeft(int position)
{
    const GridPlace place = gridPlace(position);
    return {px(kGridOrigin + kGridPitch * place.column), px(kGridOrigin + kGridPitch * place.row)};
}

} // namespace

BoardView::BoardView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("board"));
    setScreenReaderRole(*this, QAccessible::Client); // Qt's own role, without the cursor
    setBackground(*this, Qt::white);
    setAccessibleName(QStringLiteral("Cards"));
    for (int i = 0; i < kSlots; ++i) {
        backs_[i] = new CardImage(artwork_, Artwork::kBack, i, this);
        backs_[i]->setObjectName(elementName(QStringLiteral("imgCard"), i));
        backs_[i]->setGeometry(QRect(gridTopLeft(i), twipsSize(kBackSize, kBackSize)));
        backs_[i]->hide();
        connect(backs_[i], &CardImage::clicked, this, &BoardView::cardClicked);
    }
    // Faces come later so that they lie in front of the backs.
    for (int v = 0; v < kSlots; ++v) {
        faces_[v] = new CardImage(artwork_, v % kPictures, v, this);
        faces_[v]->setObjectName(elementName(QStringLiteral("imgFlip"), v));
        faces_[v]->setGeometry(QRect(gridTopLeft(v), twipsSize(kFaceWidth, kBackSize)));
        connect(faces_[v], &CardImage::clicked, this,
            [this](int value) { emit faceClicked(facePosition_[value]); });
    }
    cursor_ = new CardCursor(this); // last, in front of every card
    connect(cursor_, &CardCursor::moved, this, &BoardView::placeCursor);
    placeCursor();
}

void BoardView::redraw(const GameView& view)
{
    emit cardsAboutToChange();
    facePosition_ = view.facePosition;
    for (int i = 0; i < kSlots; ++i)
        backs_[i]->setVisible(view.backVisible[i]);
    for (int v = 0; v < kSlots; ++v) {
        faces_[v]->move(backs_[view.facePosition[v]]->pos());
        faces_[v]->setVisible(view.faceVisible[v]);
    }
    emit cardsChanged();
}

QSize BoardView::backSize() const
{
    return backs_[0]->size();
}

QSize BoardView::cardBlockSize(int n)
{
    const int lastCell = kGridOrigin + kGridPitch * (std::clamp(n, 1, 8) - 1);
    return {px(lastCell + kFaceWidth), px(lastCell + kBackSize)};
}

// Just inside the cell of the card it is on.
void BoardView::placeCursor()
{
    cursor_->setGeometry(backs_[cursor_->position()]->geometry());
}

} // namespace pexaro::ui
