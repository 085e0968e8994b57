// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/BoardSpeech.h"

#include "board/BoardView.h"
#include "board/CardCursor.h"
#include "board/CardImage.h"
#include "board/CardNames.h"
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

// Has a screen reader speak a message at once, wherever its focus is, and
// shows nothing: screen readers drop the renaming of a control that is not
// their focus, which is all a label's change would be. To a screen reader it
// is the window's status bar, holding the last message.
// No signals, slots or properties: no moc.
class BoardSpeech::Announcer : public QWidget { // clazy:exclude=missing-qobject-macro
public:
    explicit Announcer(QWidget* parent)
        : QWidget(parent)
        , message_(new QWidget(this))
    {
        setScreenReaderRole(*this, QAccessible::StatusBar);
        setObjectName(QStringLiteral("announcer"));
        setAccessibleName(QStringLiteral("Game status"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 0, 0); // nothing to see
        // A notification in a status bar is spoken without the word "notification".
        setScreenReaderRole(*message_, QAccessible::Notification);
        message_->setGeometry(0, 0, 0, 0);
        message_->hide();
    }

    void announce(const QString& message)
    {
        if (!QAccessible::isActive()) // no screen reader listens
            return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QAccessibleAnnouncementEvent event(window(), message);
        QAccessible::updateAccessibility(&event);
#else
        // Before Qt 6.8 a notification coming into view is what every screen
        // reader speaks, named with its message.
        message_->hide();
        message_->setAccessibleName(message);
        message_->show();
#endif
    }

protected:
    // Else the last message would come into view, and be spoken, with the window.
    void hideEvent(QHideEvent* event) override
    {
        message_->hide();
        QWidget::hideEvent(event);
    }

private:
    QWidget* message_;
};

BoardSpeech::BoardSpeech(const GameSession& session, BoardView& view, QWidget& window)
    : QObject(&window)
    , session_(session)
    , view_(view)
    , window_(window)
    , announcer_(new Announcer(&window)) // beside the board, not on it
{
    connect(&session_, &GameSession::gameStarted, this, &BoardSpeech::promptWhenActive);
    connect(&session_, &GameSession::boardCleared, this, &BoardSpeech::syncCursorFocus);
    connect(&session_, &GameSession::cardTurned, this, &BoardSpeech::onCardTurned);
    connect(&session_, &GameSession::pickRefused, this, &BoardSpeech::onPickRefused);
    connect(&session_, &GameSession::turnScored, this, [this](TurnResult result) {
        if (result != TurnResult::Won) // the box that reports the win comes first
            tellTurned(result);
    });
    connect(&session_, &GameSession::gameWon, this, [this] { tellTurned(std::nullopt); });
    connect(&session_, &GameSession::pairResolved, this, [this] {
        syncCursorFocus();
        promptWhenActive();
    });
    connect(&view_.cursor(), &CardCursor::moved, this, &BoardSpeech::syncCursorFocus);
    connect(&view_.cursor(), &CardCursor::stepped, this, &BoardSpeech::focusCursorCard);
    window_.installEventFilter(this);
}

// What the player does now is what they hear: a prompt not said yet is dropped.
void BoardSpeech::onCardTurned(int position, bool endsTurn)
{
    promptDue_ = false;
    syncCursorFocus();
    turned_ = position;
    if (!endsTurn)
        tellTurned(std::nullopt);
}

// A turned card's picture is read as it takes the keyboard's focus; a
// clicked one, with no focus to read it, is announced. A scored turn's
// result follows, but for the win, which its box reports.
void BoardSpeech::tellTurned(std::optional<TurnResult> result)
{
    const QString scored = result ? spokenResult(session_.view()) : QString();
    if (!view_.cursor().isHidden()) {
        focusCursorCard();
        if (result)
            announcer_->announce(scored);
        return;
    }
    QString speech = cardName(session_.view(), turned_) + QLatin1Char('.');
    if (result)
        speech += QLatin1Char(' ') + scored;
    announcer_->announce(speech);
}

// Space on a card that cannot be turned says so with the status, which
// tells what to do instead; a refused click says nothing.
void BoardSpeech::onPickRefused(int position)
{
    promptDue_ = false;
    if (view_.cursor().isHidden())
        return;
    const bool focusMoved = focusCursorCard();
    const QString status = spokenLine(session_.view().statusText);
    announcer_->announce(
        focusMoved ? status : cardReading(session_.view(), position) + QLatin1Char(' ') + status);
}

// The card under the shown cursor: its face while it shows, otherwise its
// back, whose name says "face down" or "removed".
CardImage* BoardSpeech::cursorCard() const
{
    const GameView& game = session_.view();
    const CardCursor& cursor = view_.cursor();
    if (cursor.isHidden() || cursor.position() >= game.boardCells())
        return nullptr;
    if (game.cardState(cursor.position()) == CardState::FaceUp)
        return &view_.face(game.cardValue[cursor.position()]);
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
    const QString prompt = spokenLine(clickMessage());
    announcer_->announce(focusCursorCard()
            ? prompt
            : cardReading(session_.view(), view_.cursor().position()) + QLatin1Char(' ') + prompt);
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
