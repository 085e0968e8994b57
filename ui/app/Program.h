// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <memory>

namespace pexaro {
class Game;
}

namespace pexaro::ui {

class BoardWindow;
class GameSession;
class ScorePanel;
class SizeDialog;

// The three windows of a run and the hand-over between them. Each window is
// created on first use and lives until the program ends; a window only asks
// (start a game, New Game, exit), and this object carries it out.
class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(std::unique_ptr<Game> game, QObject* parent = nullptr);
    ~Program() override;

    // Opens the board size dialog, alone.
    void start();

    // Each creates its window on first use. The board window's creation also
    // starts a game (and so creates the score panel) before it returns.
    SizeDialog& sizeDialog();
    BoardWindow& boardWindow();
    ScorePanel& scorePanel();
    bool hasBoardWindow() const { return board_ != nullptr; }
    bool hasScorePanel() const { return panel_ != nullptr; }

    GameSession& session() { return *session_; }
    const Game& game() const;

    // Ends the program at once: every window goes, nothing is asked.
    void endProgram();

signals:
    void ended();

private:
    void startGame();
    void beginGameOnBoard();
    void dockPanelToBoard();
    void returnToSizeDialog();

    std::unique_ptr<GameSession> session_;
    std::unique_ptr<SizeDialog> dialog_;
    std::unique_ptr<BoardWindow> board_;
    std::unique_ptr<ScorePanel> panel_;
};

// The whole program: what main() runs, and what the benchmarks start.
int runPexaro(int argc, char* argv[]);

} // namespace pexaro::ui
