// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board/Artwork.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>

class QAction;
class QTimer;

namespace pexaro {
enum class CardState;
} // namespace pexaro

namespace pexaro::ui {

class CardCursor;
class CardImage;
class GameSession;

// The board window: the cards, the menu bar and the flip timer. It shows the
// session's game and hands every input to it.
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
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createCards();
    void createMenus();
    void sizeForBoard();
    void placeOnScreen(QSize panel);
    void redraw();

    void onCardClicked(int position);
    void onFaceClicked(int value);
    void turnCard(int position);

    // The keyboard's card cursor.
    bool handleCursorKey(const QKeyEvent& key);
    void moveCursor(int rowStep, int columnStep);
    void placeCursor(int position, bool shown);
    void announceCursorCard();
    void newGame();
    void toggleScorePanel();
    void showRules();
    void showAbout();
    void onNextTurnChosen();

    struct CardLook {
        std::optional<CardState> state; // none: no card at this position
        int value = -1;
        int side = 0; // of the board, for the card's number
        friend bool operator==(CardLook, CardLook) = default;
    };
    void describeCards();
    void describeCard(int position, CardLook look);

    GameSession& session_;
    Artwork artwork_;
    std::array<CardImage*, 64> imgCard_ {};
    std::array<CardImage*, 64> imgFlip_ {};
    std::array<CardLook, 64> describedAs_ {}; // what each card's name last said
    CardCursor* cursor_ = nullptr;
    QPointer<CardImage> focusedCard_; // the card a screen reader was last told has the focus
    int cursorPosition_ = 0; // a board position
    QAction* mnuStat_ = nullptr;
    QAction* mnuNext_ = nullptr;
    QTimer* Timer1_ = nullptr;
    bool keepPlayerPosition_ = false;
    QSize sizedForFrame_; // the frame the window was last sized with
};

} // namespace pexaro::ui
