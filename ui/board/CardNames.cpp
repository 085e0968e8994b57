// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/CardNames.h"

#include "BoardLayout.h"
#include "board/Artwork.h"
#include "board/BoardView.h"
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

CardNames::CardNames(const GameSession& session, const BoardView& view)
    : session_(session)
    , view_(view)
{
}

CardNames::BackLook CardNames::backLook(int position) const
{
    const Game& game = session_.game();
    const int cells = game.boardCells();
    if (position >= cells)
        return {cells, CardState::FaceDown, -1};
    const CardState state = game.cardState(position);
    const int value = state == CardState::FaceUp ? game.state().cardValue[position] : -1;
    return {cells, state, value};
}

// A face is named only while it shows, by the position it lies on.
CardNames::FaceLook CardNames::faceLook(int value) const
{
    const Game& game = session_.game();
    const int cells = game.boardCells();
    const int position = session_.view().facePosition[value];
    const bool showing = position < cells && game.cardState(position) == CardState::FaceUp
        && game.state().cardValue[position] == value;
    return {cells, showing ? position : -1};
}

void CardNames::describe()
{
    const int cells = session_.game().boardCells();
    for (int p = 0; p < kSlots; ++p) {
        const BackLook look = backLook(p);
        if (look == backs_[p])
            continue;
        backs_[p] = look;
        describeCard(view_.back(p), name(p), p < cells ? placeName(p) : QString());
    }
    for (int v = 0; v < kSlots; ++v) {
        const FaceLook look = faceLook(v);
        if (look == faces_[v])
            continue;
        faces_[v] = look;
        if (look.position >= 0)
            describeCard(view_.face(v), name(look.position), placeName(look.position));
        else if (!view_.face(v).accessibleName().isEmpty())
            view_.face(v).setAccessibleName(QString());
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
