// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/CardNames.h"

#include "BoardLayout.h"
#include "Game.h"
#include "board/Artwork.h"
#include "board/BoardView.h"
#include "board/CardImage.h"

namespace pexaro::ui {

namespace {

// Qt tells a screen reader of every rename, changed or not.
void describe(QWidget& card, const QString& name, const QString& description)
{
    if (card.accessibleName() != name)
        card.setAccessibleName(name);
    if (card.accessibleDescription() != description)
        card.setAccessibleDescription(description);
}

QString placeName(int position)
{
    const GridPlace place = gridPlace(position);
    return QStringLiteral("row %1, column %2").arg(place.row + 1).arg(place.column + 1);
}

// A face is named only while it shows, by the position it lies on.
void describeFace(const GameView& game, const BoardView& view, int value)
{
    const int position = game.facePosition[value];
    CardImage& face = view.face(value);
    if (position < game.boardCells() && game.cardValue[position] == value
        && game.cardState(position) == CardState::FaceUp)
        describe(face, cardName(game, position), placeName(position));
    else if (!face.accessibleName().isEmpty())
        face.setAccessibleName(QString());
}

} // namespace

void describeBoard(const GameView& game, const BoardView& view)
{
    for (int p = 0; p < kSlots; ++p)
        describe(view.back(p), cardName(game, p), p < game.boardCells() ? placeName(p) : QString());
    for (int v = 0; v < kSlots; ++v)
        describeFace(game, view, v);
}

void describeCard(const GameView& game, const BoardView& view, int position)
{
    describe(view.back(position), cardName(game, position), placeName(position));
    describeFace(game, view, game.cardValue[position]);
}

QString cardName(const GameView& game, int position)
{
    if (position >= game.boardCells())
        return {};
    const GridPlace place = gridPlace(position);
    const QString number
        = QStringLiteral("card %1, ").arg(place.row * game.boardSide + place.column + 1);
    switch (game.cardState(position)) {
    case CardState::FaceUp:
        return number + Artwork::drawingName(game.cardValue[position] % kPictures);
    case CardState::Removed: return number + QStringLiteral("removed");
    default: return number + QStringLiteral("face down"); // never says more than it shows
    }
}

QString cardReading(const GameView& game, int position)
{
    return QStringLiteral("%1. %2.").arg(cardName(game, position), placeName(position));
}

} // namespace pexaro::ui
