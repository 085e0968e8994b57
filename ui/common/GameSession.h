// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <memory>
#include <optional>

namespace pexaro {
class Game;
struct GameView;
struct MessageBoxText;
} // namespace pexaro

namespace pexaro::ui {

// The one game of a run and every player action on it. Each window redraws
// itself from view() on changed(); none of them calls another.
class GameSession : public QObject {
    Q_OBJECT
public:
    explicit GameSession(std::unique_ptr<Game> game, QObject* parent = nullptr);
    ~GameSession() override;

    const Game& game() const { return *game_; }
    const GameView& view() const;
    // Games started so far; the first Start Game of a run starts one twice.
    int startCount() const { return startCount_; }

    // Stores the size for the next start; nothing shown changes.
    void chooseBoardSize(int side);
    void startGame();
    // Clears the board for New Game.
    void newGame();
    // A click on the card at board position `position`; refused cards are ignored.
    void pickCard(int position);
    void nextTurn();
    // ENTER in the board window: Next Turn unless the game is won.
    void pressEnter();
    // The flip timer's tick: resolves a pair released by Next Turn.
    void onFlipTick();
    // The win box due after the last pair, at most once.
    std::optional<MessageBoxText> takeWinMessage();

signals:
    // After every change to what the windows show.
    void changed();
    // After Next Turn, from any of its controls; the board takes the focus.
    void nextTurnGiven();
    // After the flip timer has removed a released pair or turned it face down.
    void pairResolved();

private:
    std::unique_ptr<Game> game_;
    int startCount_ = 0;
};

} // namespace pexaro::ui
