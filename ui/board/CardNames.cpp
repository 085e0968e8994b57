// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/CardNames.h"

#include "BoardLayout.h"
#include "board/Artwork.h"
#include "board/CardImage.h"
#include "common/GameSession.h"

#include <cmath>

namespace pexaro::ui {

namespace {

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

CardNames::CardNames(const GameSession& session, const Cards& backs, const Cards& faces)
    : session_(session)
    , backs_(backs)
    , faces_(faces)
{
}

void CardNames::describe() const
{
    const Game& game = session_.game();
    const int cells = game.boardCells();
    for (int p = 0; p < kSlots; ++p)
        describeCard(*backs_[p], name(p), p < cells ? placeName(p) : QString());
    for (int v = 0; v < kSlots; ++v) {
        const int p = session_.view().facePosition[v];
        if (p < cells && game.cardState(p) == CardState::FaceUp && game.state().cardValue[p] == v)
            describeCard(*faces_[v], name(p), placeName(p));
        else if (!faces_[v]->accessibleName().isEmpty())
            faces_[v]->setAccessibleName(QString());
    }
}

QString CardNames::name(int position) const
{
    const Game& game = session_.game();
    const int cells = game.boardCells();
    if (position >= cells)
        return {};
    const int side = static_cast<int>(std::lround(std::sqrt(cells)));
    const GridPlace place = gridPlace(position);
    const QString number = QStringLiteral("card %1, ").arg(place.row * side + place.column + 1);
    switch (game.cardState(position)) {
    case CardState::FaceUp:
        return number + Artwork::drawingName(game.state().cardValue[position] % kPictures);
    case CardState::Removed: return number + QStringLiteral("removed");
    default: return number + QStringLiteral("face down"); // never says more than it shows
    }
}

QString CardNames::reading(int position) const
{
    return QStringLiteral("%1. %2.").arg(name(position), placeName(position));
}

} // namespace pexaro::ui
