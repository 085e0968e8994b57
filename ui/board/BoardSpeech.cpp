// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/BoardSpeech.h"

#include "Game.h"
#include "board/BoardView.h"
#include "board/CardCursor.h"
#include "board/CardImage.h"
#include "common/Announcer.h"
#include "common/GameSession.h"
#include "common/ScreenReader.h"

#include <QAccessible>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace pexaro::ui {

namespace {

// A game text as one spoken line: its line breaks become spaces.
QString spokenLine(const std::string& text)
{
    return QString::fromStdString(text).simplified();
}

// A scored turn: the status as the panel shows it, then the counters as it
// heads them, "… Turns: 3, Matches: 1".
QString spokenResult(const GameView& view)
{
    return QStringLiteral("%1 %2 %3, %4 %5")
        .arg(spokenLine(view.statusText), kTurnsHeading, QString::fromStdString(view.turnsCaption),
            kMatchesHeading, QString::fromStdString(view.matchesCaption));
}

} // namespace

BoardSpeech::BoardSpeech(const GameSession& session, BoardView& view, QWidget& window)
    : QObject(&window)
    , session_(session)
    , view_(view)
    , window_(window)
    , names_(session, view)
    , announcer_(new Announcer(&window)) // beside the board, not on it
{
    // Cards are renamed before they show or hide, so that a back shown again
    // is never announced under the picture it covered, and a hidden board's
    // cards are named before they come into view with it.
    connect(&view_, &BoardView::cardsAboutToChange, this, [this] { names_.describe(); });
    connect(&view_, &BoardView::cardsChanged, this, &BoardSpeech::syncCursorFocus);
    connect(&view_.cursor(), &CardCursor::moved, this, &BoardSpeech::syncCursorFocus);
    connect(&session_, &GameSession::pairResolved, this, &BoardSpeech::promptWhenActive);
    window_.installEventFilter(this);
}

// With no focus to read it, the card turned is spoken, and so is a scored turn.
void BoardSpeech::cardClicked(int position, bool turned)
{
    if (!turned)
        return;
    QString speech = names_.name(position) + QLatin1Char('.');
    if (session_.game().pickState() == PickState::PairPending)
        speech += QLatin1Char(' ') + spokenResult(session_.view());
    announcer_->announce(speech);
}

// The turned card's picture is read as it takes the focus, then the scored
// turn; a card that cannot be turned says so with the status, which tells
// what to do instead.
void BoardSpeech::spacePressed(int position, bool turned)
{
    const bool focusMoved = focusCursorCard();
    const GameView& view = session_.view();
    const QString status = spokenLine(view.statusText);
    if (!turned)
        announcer_->announce(
            focusMoved ? status : names_.reading(position) + QLatin1Char(' ') + status);
    else if (session_.game().pickState() == PickState::PairPending)
        announcer_->announce(spokenResult(view));
}

void BoardSpeech::cursorStepped()
{
    focusCursorCard();
}

// The card under the shown cursor: its face while it shows, otherwise its
// back, whose name says "face down" or "removed".
CardImage* BoardSpeech::cursorCard() const
{
    const Game& game = session_.game();
    const CardCursor& cursor = view_.cursor();
    if (cursor.isHidden() || cursor.position() >= game.boardCells())
        return nullptr;
    if (game.cardState(cursor.position()) == CardState::FaceUp)
        return &view_.face(game.state().cardValue[cursor.position()]);
    return &view_.back(cursor.position());
}

// Only the card under the shown cursor reports itself focused.
void BoardSpeech::syncCursorFocus()
{
    CardImage* card = cursorCard();
    if (card == focusedCard_)
        return;
    if (focusedCard_)
        focusedCard_->setUnderCursor(false);
    if (card)
        card->setUnderCursor(true);
    focusedCard_ = card;
}

// Makes the cursor's card the screen reader's focus. True when that is
// another object than its focus was, whose name it then reads by itself.
bool BoardSpeech::focusCursorCard()
{
    syncCursorFocus();
    if (!focusedCard_)
        return false;
    QAccessibleEvent focus(focusedCard_, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    return std::exchange(spokenFocus_, focusedCard_) != focusedCard_;
}

// It waits for the window to be active: a screen reader speaks a window's
// activation first and would talk over anything said before it.
void BoardSpeech::promptWhenActive()
{
    promptDue_ = true;
    if (window_.isActiveWindow())
        QTimer::singleShot(0, this, &BoardSpeech::speakPrompt);
}

// After Next Turn the cursor's card is named anew as it takes the focus; at a
// game's start the cursor is hidden and no card has it, so it is read out.
void BoardSpeech::speakPrompt()
{
    if (!window_.isActiveWindow() || !std::exchange(promptDue_, false))
        return;
    const QString prompt = spokenLine(session_.game().state().ClickMessage1);
    announcer_->announce(focusCursorCard()
            ? prompt
            : names_.reading(view_.cursor().position()) + QLatin1Char(' ') + prompt);
}

bool BoardSpeech::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &window_)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn: // the window itself is now a screen reader's focus
        spokenFocus_ = nullptr;
        break;
    case QEvent::ActivationChange:
        if (window_.isActiveWindow()) // after Qt's own news of the focus
            QTimer::singleShot(0, this, &BoardSpeech::speakPrompt);
        break;
    case QEvent::Hide: // a prompt of the game left is not said over the next window
        promptDue_ = false;
        break;
    default: break;
    }
    return false;
}

} // namespace pexaro::ui
