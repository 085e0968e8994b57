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
void describeCard(QWidget& card, const QString& name, const QString& description)
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

} // namespace

CardNames::CardNames(const GameView& game, const BoardView& view)
    : game_(game)
    , view_(view)
{
}

void CardNames::describeAll()
{
    for (int p = 0; p < kSlots; ++p)
        describeCard(view_.back(p), name(p), p < game_.boardCells() ? placeName(p) : QString());
    for (int v = 0; v < kSlots; ++v)
        describeFace(v);
}

void CardNames::describe(int position)
{
    describeCard(view_.back(position), name(position), placeName(position));
    describeFace(game_.cardValue[position]);
}

// A face is named only while it shows, by the position it lies on.
void CardNames::describeFace(int value)
{
    const int position = game_.facePosition[value];
    CardImage& face = view_.face(value);
    if (position < game_.boardCells() && game_.cardValue[position] == value
        && game_.cardState(position) == CardState::FaceUp)
        describeCard(face, name(position), placeName(position));
    else if (!face.accessibleName().isEmpty())
        face.setAccessibleName(QString());
}

QString CardNames::name(int position) const
{
    if (position >= game_.boardCells())
        return {};
    const GridPlace place = gridPlace(position);
    const QString number
        = QStringLiteral("card %1, ").arg(place.row * game_.boardSide + place.column + 1);
    switch (game_.cardState(position)) {
    case CardState::FaceUp:
        return number + Artwork::drawingName(game_.cardValue[position] % kPictures);
    case CardState::Removed: return number + QStringLiteral("removed");
    default: return number + QStringLiteral("face down"); // never says more than it shows
    }
}

QString CardNames::reading(int position) const
{
    return QStringLiteral("%1. %2.").arg(name(position), placeName(position));
}

} // namespace pexaro::ui
