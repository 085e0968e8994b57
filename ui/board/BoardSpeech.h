// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "board/CardNames.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace pexaro::ui {

class Announcer;
class BoardView;
class CardImage;
class GameSession;

// What a screen reader is told of the board window: each card's name, which
// card is the focus (the one under the shown cursor, as the window keeps the
// real keyboard focus), and what is announced as a game goes: a turned card
// and the turn's result, a refused Space, and, once the window is active,
// where the cursor is and what to do at a game's start and after Next Turn.
//
// It writes accessible names, states, focus events and announcements only,
// never visibility, geometry or the keyboard focus: nothing it does changes
// what a sighted player sees.
class BoardSpeech : public QObject {
    Q_OBJECT
public:
    // Listens to the session, the view, its cursor and `window`, which holds
    // the view.
    BoardSpeech(const GameSession& session, BoardView& view, QWidget& window);

    // A pick is coming: a prompt not said yet is dropped, as what the
    // player does now is what they hear.
    void pickComing() { promptDue_ = false; }
    // What the player did, which the session does not tell: `turned` when
    // the card turned face up, as a refused pick turns nothing.
    void cardClicked(int position, bool turned);
    void spacePressed(int position, bool turned);
    // An arrow key moved the cursor: its card is read.
    void cursorStepped();
    // A game's start: the prompt is due once the window is active.
    void gameStarted() { promptWhenActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CardImage* cursorCard() const;
    void syncCursorFocus();
    bool focusCursorCard();
    void promptWhenActive();
    void speakPrompt();

    const GameSession& session_;
    BoardView& view_;
    QWidget& window_;
    CardNames names_;
    Announcer* announcer_ = nullptr;
    QPointer<CardImage> focusedCard_; // the card that reports itself focused
    QPointer<CardImage> spokenFocus_; // the last card a focus event went to
    bool promptDue_ = false; // where the cursor is and what to do, once active
};

} // namespace pexaro::ui
