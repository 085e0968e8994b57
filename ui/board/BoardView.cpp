// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/BoardView.h"

#include "BoardLayout.h"
#include "board/CardCursor.h"
#include "board/CardImage.h"
#include "board/CardNames.h"
#include "common/Controls.h"
#include "common/GameSession.h"
#include "common/ScreenReader.h"
#include "common/Twips.h"

#include <algorithm>
#include <cmath>

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

BoardView::BoardView(const GameSession& session, QWidget& keyboard, QWidget* parent)
    : QWidget(parent)
    , game_(session.view())
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
        connect(backs_[i], &CardImage::clicked, this, [this](int position) {
            cursor_->place(position, false);
            emit cardChosen(position);
        });
    }
    // Faces come later so that they lie in front of the backs. A click on
    // one only puts the hidden cursor on its card.
    for (int v = 0; v < kSlots; ++v) {
        faces_[v] = new CardImage(artwork_, v % kPictures, v, this);
        faces_[v]->setObjectName(elementName(QStringLiteral("imgFlip"), v));
        faces_[v]->setGeometry(QRect(gridTopLeft(v), twipsSize(kFaceWidth, kBackSize)));
        connect(faces_[v], &CardImage::clicked, this,
            [this](int value) { cursor_->place(game_.facePosition[value], false); });
    }
    cursor_ = new CardCursor(this, keyboard); // last, in front of every card
    connect(cursor_, &CardCursor::moved, this, &BoardView::placeCursor);
    connect(cursor_, &CardCursor::chosen, this, &BoardView::cardChosen);
    placeCursor();

    connect(&session, &GameSession::gameStarted, this, [this] {
        showBoard();
        cursor_->reset(game_.boardSide);
    });
    connect(&session, &GameSession::boardCleared, this, &BoardView::showBoard);
    // The card the player turned is painted at once, before the panel and the
    // menu bar catch up with the turn.
    connect(&session, &GameSession::cardTurned, this, [this](int position) {
        showCard(position);
        faces_[game_.cardValue[position]]->repaint();
    });
    connect(&session, &GameSession::pairResolved, this, [this](int first, int second) {
        showCard(first);
        showCard(second);
    });
}

void BoardView::showBoard()
{
    describeBoard(game_, *this);
    for (int i = 0; i < kSlots; ++i)
        backs_[i]->setVisible(game_.backVisible[i]);
    for (int v = 0; v < kSlots; ++v) {
        faces_[v]->move(backs_[game_.facePosition[v]]->pos());
        faces_[v]->setVisible(game_.faceVisible[v]);
    }
}

void BoardView::showCard(int position)
{
    describeCard(game_, *this, position);
    const int value = game_.cardValue[position];
    backs_[position]->setVisible(game_.backVisible[position]);
    faces_[value]->setVisible(game_.faceVisible[value]);
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

// In twips: 795 high for the title bar, the menu bar and the margins above
// and below the grid; 300 wide for the frame and the margins; less one pixel
// (15 twips) for every two columns, as the cards overlap their neighbours by
// a pixel.
QSize formulaOuterSize(int n, QSize back)
{
    const double height = back.height() * kTwipsPerPixel * n + 795.0;
    const double width = back.width() * kTwipsPerPixel * n + 300.0 - (n / 2.0) * 15.0;
    return {px(static_cast<int>(std::lround(width))), px(static_cast<int>(std::lround(height)))};
}

QPoint boardPlace(QRect available, QSize board, QSize panel, std::optional<QPoint> kept)
{
    const QSize pair(board.width() + 1 + panel.width(), std::max(board.height(), panel.height()));
    const QPoint centred = available.topLeft()
        + QPoint((available.width() - pair.width()) / 2, (available.height() - pair.height()) / 2);
    const QPoint wanted = kept.value_or(centred);
    return {std::max(available.left(), std::min(wanted.x(), available.right() + 1 - pair.width())),
        std::max(available.top(), std::min(wanted.y(), available.bottom() + 1 - pair.height()))};
}

// Just inside the cell of the card it is on.
void BoardView::placeCursor()
{
    cursor_->setGeometry(backs_[cursor_->position()]->geometry());
}

} // namespace pexaro::ui
