// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>

#include <optional>

class QWidget;

namespace pexaro::ui {

class BoardView;
class CardImage;
class GameSession;
enum class TurnResult;

// What a screen reader is told as a game goes: which card is the focus (the
// one under the shown cursor, as the window keeps the real keyboard focus),
// a turned card and the turn's result, a refused Space, and, once the window
// is active, where the cursor is and what to do at a game's start and after
// Next Turn. It only listens, and writes focus events and announcements,
// never what a sighted player sees.
class BoardSpeech : public QObject {
    Q_OBJECT
public:
    // Listens to the session, the view, its cursor and `window`, which holds
    // the view. Made after them, it hears each event once the cards show it
    // and a win box has closed.
    BoardSpeech(const GameSession& session, BoardView& view, QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Announcer;

    void onCardTurned(int position, bool endsTurn);
    void onPickRefused(int position);
    void tellTurned(std::optional<TurnResult> result);
    CardImage* cursorCard() const;
    void syncCursorFocus();
    bool focusCursorCard();
    void promptWhenActive();
    void speakPrompt();

    const GameSession& session_;
    BoardView& view_;
    QWidget& window_;
    Announcer* announcer_ = nullptr;
    QPointer<CardImage> focusedCard_; // the card that reports itself focused
    QPointer<CardImage> spokenFocus_; // the last card a focus event went to
    int turned_ = 0; // the card turned last
    bool promptDue_ = false; // where the cursor is and what to do, once active
};

} // namespace pexaro::ui
