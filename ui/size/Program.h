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

class FrmBoardSize;
class FrmPexaro;
class FrmStats;

// The three windows of a run. Each is created on first use, runs its load
// handler before the caller goes on, and lives until the program ends.
class Program : public QObject {
    Q_OBJECT
public:
    explicit Program(std::unique_ptr<Game> game);
    ~Program() override;

    // Opens the board size dialog, alone.
    void start();

    FrmBoardSize& frmBoardSize();
    FrmPexaro& frmPexaro();
    FrmStats& frmStats();
    bool hasBoardWindow() const { return board_ != nullptr; }
    bool hasStatsWindow() const { return stats_ != nullptr; }

    Game& game() { return *game_; }

    // Ends the program at once: every window goes, nothing is asked.
    void endProgram();

signals:
    void ended();

private:
    std::unique_ptr<Game> game_;
    std::unique_ptr<FrmBoardSize> dialog_;
    std::unique_ptr<FrmPexaro> board_;
    std::unique_ptr<FrmStats> stats_;
};

// Under Wayland a program may not place its own windows, and the panel must
// dock beside the board: prefer XWayland unless the user chose a platform.
void preferXcbOnWayland();

} // namespace pexaro::ui
