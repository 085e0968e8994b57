// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/GameSession.h"

namespace pexaro::ui {

GameSession::GameSession(std::unique_ptr<Game> game, QObject* parent)
    : QObject(parent)
    , game_(std::move(game))
{
}

void GameSession::chooseBoardSize(int side)
{
    game_->setBoardSize(static_cast<std::int16_t>(side));
}

void GameSession::startGame()
{
    game_->startGame();
    emit gameStarted();
}

void GameSession::newGame()
{
    game_->newGame();
    emit boardCleared();
}

// A pick may first resolve a pair that Next Turn released and the flip timer
// has not reached yet.
void GameSession::pickCard(int position)
{
    const GameState& state = game_->state();
    const bool released = game_->pickState() == PickState::Released;
    const int first = state.firstIndex;
    const int second = state.secondIndex;
    const int matches = state.matchCount;
    const bool faceDown = game_->cardState(position) == CardState::FaceDown;
    game_->clickCard(position);
    if (!faceDown || game_->cardState(position) != CardState::FaceUp) {
        emit pickRefused(position);
        return;
    }
    if (released)
        emit pairResolved(first, second);
    const PickState now = game_->pickState();
    emit cardTurned(position, now == PickState::PairPending || now == PickState::Won);
    if (now == PickState::OneUp)
        return;
    if (now == PickState::PairPending) {
        emit turnScored(state.matchCount > matches ? TurnResult::Match : TurnResult::Miss);
        return;
    }
    emit turnScored(TurnResult::Won);
    if (const auto box = game_->takeWinMessage())
        emit gameWon(QString::fromStdString(box->text), QString::fromStdString(box->title));
}

void GameSession::nextTurn()
{
    game_->nextTurn();
    emit nextTurnGiven();
}

void GameSession::pressEnter()
{
    if (game_->pressEnter())
        emit nextTurnGiven();
}

void GameSession::onFlipTick()
{
    const int first = game_->state().firstIndex;
    const int second = game_->state().secondIndex;
    if (game_->resolveReleasedPair())
        emit pairResolved(first, second);
}

} // namespace pexaro::ui
