// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>

#include <optional>

class QAction;
class QTimer;

namespace pexaro::ui {

class BoardSpeech;
class BoardView;
class GameSession;

// The board window: the cards, the menu bar and the flip timer. It shows the
// session's game, hands every input to it, and tells the board's speech what
// the player did.
class BoardWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit BoardWindow(GameSession& session, QWidget* parent = nullptr);

    // Sizes the window for the session's board and places it, with a panel of
    // `panelSize` beside it; checks the Information Window item.
    void layOutForGame(QSize panelSize);
    // Outer window size in pixels for a board of side n, by the board formulas.
    QSize outerSizeFor(int n) const;
    void focusBoard();

signals:
    void newGameRequested();
    void scorePanelToggled(bool shown);
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createMenus();
    void sizeForBoard();
    void placeOnScreen(QSize panel);
    void redraw();

    void onCardClicked(int position);
    void onFaceClicked(int position);
    bool turnCard(int position);
    bool handleCursorKey(const QKeyEvent& key);
    void turnCardUnderCursor();
    bool isNextTurnKey(const QKeyEvent& key) const;

    void newGame();
    void toggleScorePanel();
    void showRules();
    void showAbout();
    void onNextTurnChosen();

    GameSession& session_;
    BoardView* view_ = nullptr;
    BoardSpeech* speech_ = nullptr;
    QAction* mnuStat_ = nullptr;
    QAction* mnuNext_ = nullptr;
    QTimer* Timer1_ = nullptr;
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
