// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Game.h"

#include <QObject>

#include <memory>

namespace pexaro::ui {

enum class TurnResult { Match, Miss, Won };

// The one game of a run and every player action on it. It says what each
// action did; the windows update what it touched from view(), and none of
// them calls another. Listeners hear each signal in the order they connected.
class GameSession : public QObject {
    Q_OBJECT
public:
    explicit GameSession(std::unique_ptr<Game> game, QObject* parent = nullptr);

    const Game& game() const { return *game_; }
    const GameView& view() const { return game_->view(); }

    // Stores the size for the next start; nothing shown changes.
    void chooseBoardSize(int side);
    void startGame();
    // Clears the board for New Game.
    void newGame();
    // A click on the card at board position `position` (0..63).
    void pickCard(int position);
    void nextTurn();
    // ENTER in the board window: Next Turn unless the game is won.
    void pressEnter();
    // The flip timer's tick: resolves a pair released by Next Turn.
    void onFlipTick();

signals:
    // A new deal: every card, the counters and the status anew.
    void gameStarted();
    // Face up; `endsTurn` when it is the turn's second card, which turnScored()
    // follows.
    void cardTurned(int position, bool endsTurn);
    // A pick that turned nothing: a card face up or gone, or a pair waiting.
    void pickRefused(int position);
    void turnScored(pexaro::ui::TurnResult result);
    // After turnScored() for the last pair, with the box that reports it.
    void gameWon(const QString& text, const QString& title);
    // From any of its controls; the board takes the focus.
    void nextTurnGiven();
    // Removed, or turned face down again.
    void pairResolved(int first, int second);
    // New Game: every card hidden, the counters at 0.
    void boardCleared();

private:
    std::unique_ptr<Game> game_;
};

} // namespace pexaro::ui
