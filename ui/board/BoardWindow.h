// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board/Artwork.h"
#include "board/CardNames.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>

class QAction;
class QTimer;

namespace pexaro::ui {

class Announcer;
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
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
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
    bool turnCard(int position);

    // The keyboard's card cursor.
    bool handleCursorKey(const QKeyEvent& key);
    void moveCursor(int rowStep, int columnStep);
    void placeCursor(int position, bool shown);
    void turnCardUnderCursor();
    void newGame();
    void toggleScorePanel();
    void showRules();
    void showAbout();
    void onNextTurnChosen();
    bool isNextTurnKey(const QKeyEvent& key) const;

    // Where a screen reader's focus is, and what it is told.
    CardImage* cursorCard() const;
    void syncCursorFocus();
    bool focusCursorCard();
    void promptWhenActive();
    void speakPrompt();

    GameSession& session_;
    Artwork artwork_;
    CardNames::Cards imgCard_ {};
    CardNames::Cards imgFlip_ {};
    CardNames names_;
    CardCursor* cursor_ = nullptr;
    Announcer* announcer_ = nullptr;
    int cursorPosition_ = 0; // a board position
    QPointer<CardImage> focusedCard_; // the card that reports itself focused
    QPointer<CardImage> spokenFocus_; // the last card a focus event went to
    bool promptDue_ = false; // where the cursor is and what to do, once active
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
