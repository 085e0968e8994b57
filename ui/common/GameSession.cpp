// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/GameSession.h"

#include "Game.h"

namespace pexaro::ui {

GameSession::GameSession(std::unique_ptr<Game> game, QObject* parent)
    : QObject(parent)
    , game_(std::move(game))
{
}

GameSession::~GameSession() = default;

const GameView& GameSession::view() const
{
    return game_->view();
}

void GameSession::chooseBoardSize(int side)
{
    game_->setBoardSize(static_cast<std::int16_t>(side));
}

void GameSession::startGame()
{
    ++startCount_;
    game_->startGame();
    emit changed();
}

void GameSession::newGame()
{
    game_->newGame();
    emit changed();
}

void GameSession::pickCard(int position)
{
    game_->clickCard(position);
    emit changed();
}

void GameSession::nextTurn()
{
    game_->nextTurn();
    emit changed();
    emit nextTurnGiven();
}

void GameSession::pressEnter()
{
    if (!game_->pressEnter())
        return;
    emit changed();
    emit nextTurnGiven();
}

void GameSession::onFlipTick()
{
    if (!game_->resolveReleasedPair())
        return;
    emit changed();
    emit pairResolved();
}

std::optional<MessageBoxText> GameSession::takeWinMessage()
{
    return game_->takeWinMessage();
}

} // namespace pexaro::ui
