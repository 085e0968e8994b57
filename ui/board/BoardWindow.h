// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>

#include <optional>

class QAction;

namespace pexaro::ui {

class BoardView;
class GameSession;

// The board window: the cards, the menu bar and the flip timer. It sizes and
// places itself for each game and hands the player's commands to the session.
class BoardWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit BoardWindow(GameSession& session, QWidget* parent = nullptr);

    // Sizes the window for the session's board and places it, with a panel of
    // `panelSize` beside it.
    void layOutForGame(QSize panelSize);
    void focusBoard();

signals:
    void newGameRequested();
    void scorePanelToggled(bool shown);
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createMenus();
    void sizeForBoard();
    void placeOnScreen(QSize panel);
    void showNextTurnCommand();

    void newGame();
    void toggleScorePanel();
    void onNextTurnChosen();

    GameSession& session_;
    BoardView* view_ = nullptr;
    QAction* mnuStat_ = nullptr;
    QAction* mnuNext_ = nullptr;
    // Where the player left the board: its frame's top-left, and where the
    // window's own top-left lay inside the frame.
    struct PlayerPlace {
        QPoint outer;
        QPoint inset;
    };
    std::optional<PlayerPlace> playerPlace_;
    QSize sizedForFrame_; // the frame the window was last sized with
};

} // namespace pexaro::ui
