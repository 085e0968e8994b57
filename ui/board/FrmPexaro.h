// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Artwork.h"

#include <QMainWindow>

#include <array>
#include <optional>

class QAction;
class QTimer;

namespace pexaro {
class Game;
enum class CardState;
} // namespace pexaro

namespace pexaro::ui {

class CardImage;
class Program;

// The board window: the cards, the menu bar and the flip timer. It mirrors
// the game it is given and forwards every input to it.
class FrmPexaro : public QMainWindow {
    Q_OBJECT
public:
    FrmPexaro(Program& program, Game& game);

    // Start-up of a game: also the window's load handler.
    void Form_Load();
    int formLoadRuns() const { return formLoadRuns_; }

    // Outer window size in pixels for a board of side n, by the board formulas.
    QSize outerSizeFor(int n) const;

    void imgCard_Click(int index);
    void Timer1_Timer();
    void mnuNewGame_Click();
    void mnuStat_Click();
    void mnuExit_Click();
    void mnuRules_Click();
    void mnuAbout_Click();
    void mnuNext_Click();

    void syncFromGame();
    void focusBoard();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createCards();
    void createMenus();
    void sizeForBoard();
    void placeOnScreen(QSize panel);
    struct CardLook {
        std::optional<CardState> state; // none: no card at this position
        int value = -1;
        int side = 0; // of the board, for the card's number
        bool operator==(const CardLook&) const = default;
    };
    void describeCards();
    void describeCard(int position, const CardLook& look);

    Program& program_;
    Game& game_;
    Artwork artwork_;
    std::array<CardImage*, 64> imgCard_ {};
    std::array<CardImage*, 64> imgFlip_ {};
    std::array<CardLook, 64> describedAs_ {}; // what each card's name last said
    QAction* mnuStat_ = nullptr;
    QAction* mnuNext_ = nullptr;
    QTimer* Timer1_ = nullptr;
    int formLoadRuns_ = 0;
    bool keepPlayerPosition_ = false;
    QSize sizedForFrame_; // the frame the window was last sized with
};

} // namespace pexaro::ui
