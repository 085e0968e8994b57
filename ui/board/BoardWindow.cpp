// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/BoardWindow.h"

#include "BoardLayout.h"
#include "Game.h"
#include "board/CardCursor.h"
#include "board/CardImage.h"
#include "board/CardNames.h"
#include "common/Controls.h"
#include "common/GameSession.h"
#include "common/MessageBox.h"
#include "common/ScreenReader.h"
#include "common/Twips.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace pexaro::ui {

namespace {

// The card grid in twips: the first card's corner, the step from one card to
// the next (15 twips less than a back, so that neighbours overlap by one
// pixel), a back's side, and a face's width (two pixels wider than its back,
// so that a turned card covers its back's edge).
constexpr int kGridOrigin = 120;
constexpr int kGridPitch = 840;
constexpr int kBackSize = 855;
constexpr int kFaceWidth = 885;

QPoint gridTopLeft(int position)
{
    const GridPlace place = gridPlace(position);
    return {px(kGridOrigin + kGridPitch * place.column), px(kGridOrigin + kGridPitch * place.row)};
}

const char* const kRules = "This is PEXARO!  Choose (click on) two cards.  If they match, then the "
                           "two cards disappear.  "
                           "If they don't match, then click on the 'Next Turn' button or press the "
                           "ENTER key.  Remove all "
                           "the cards from the board (by finding matches) and you win.  Try to do "
                           "this in as few moves as "
                           "possible.";

const char* const kAbout = "Pexaro was created by the Pexaro developers in December 2026.";

} // namespace

BoardWindow::BoardWindow(GameSession& session, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
    , session_(session)
    , names_(session, imgCard_, imgFlip_)
{
    setObjectName(QStringLiteral("frmPexaro"));
    setWindowTitle(QStringLiteral("Pexaro"));
    setWindowIcon(programIcon());
    setFocusPolicy(Qt::StrongFocus);
    createMenus();
    createCards();
    setFixedSize(twipsSize(6975, 6945).grownBy({0, menuBar()->sizeHint().height(), 0, 0}));

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName(QStringLiteral("Timer1"));
    // A released pair is resolved at the next tick, so the two cards show
    // until the event loop is idle again; the cost of this 1 ms timer and the
    // panel's at idle is noted with the panel's.
    Timer1_->setInterval(1);
    connect(Timer1_, &QTimer::timeout, &session_, &GameSession::onFlipTick);
    Timer1_->start();

    connect(&session_, &GameSession::changed, this, &BoardWindow::redraw);
    connect(&session_, &GameSession::nextTurnGiven, this, &BoardWindow::focusBoard);
    connect(&session_, &GameSession::pairResolved, this, &BoardWindow::promptWhenActive);
}

void BoardWindow::createCards()
{
    auto* board = new QWidget(this);
    board->setObjectName(QStringLiteral("board"));
    setBackground(*board, Qt::white);
    board->setAccessibleName(QStringLiteral("Cards"));
    setCentralWidget(board);
    for (int i = 0; i < kSlots; ++i) {
        imgCard_[i] = new CardImage(artwork_, Artwork::kBack, i, board);
        imgCard_[i]->setObjectName(elementName(QStringLiteral("imgCard"), i));
        imgCard_[i]->setGeometry(QRect(gridTopLeft(i), twipsSize(kBackSize, kBackSize)));
        imgCard_[i]->hide();
        connect(imgCard_[i], &CardImage::clicked, this, &BoardWindow::onCardClicked);
    }
    // Faces come later so that they lie in front of the backs.
    for (int v = 0; v < kSlots; ++v) {
        imgFlip_[v] = new CardImage(artwork_, v % kPictures, v, board);
        imgFlip_[v]->setObjectName(elementName(QStringLiteral("imgFlip"), v));
        imgFlip_[v]->setGeometry(QRect(gridTopLeft(v), twipsSize(kFaceWidth, kBackSize)));
        connect(imgFlip_[v], &CardImage::clicked, this, &BoardWindow::onFaceClicked);
    }
    cursor_ = new CardCursor(board); // last, in front of every card
    announcer_ = new Announcer(this); // beside the board, not on it
}

void BoardWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setAccessibleName(QStringLiteral("Menu bar"));
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                       const QKeySequence& shortcut, void (BoardWindow::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setAccessibleName(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    addItem(mnuFile, "mnuNewGame", QStringLiteral("&New Game"), QKeySequence(Qt::CTRL | Qt::Key_N),
        &BoardWindow::newGame);
    mnuStat_ = addItem(mnuFile, "mnuStat", QStringLiteral("&Information Window"),
        QKeySequence(Qt::CTRL | Qt::Key_I), &BoardWindow::toggleScorePanel);
    mnuStat_->setCheckable(true);
    mnuStat_->setChecked(true);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
    addItem(mnuFile, "mnuExit", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_X),
        &BoardWindow::exitRequested);

    QMenu* mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setAccessibleName(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addItem(mnuHelp, "mnuRules", QStringLiteral("&Rules of the Game"),
        QKeySequence(Qt::CTRL | Qt::Key_R), &BoardWindow::showRules);
    addItem(mnuHelp, "mnuAbout", QStringLiteral("&About Pexaro"),
        QKeySequence(Qt::CTRL | Qt::Key_A), &BoardWindow::showAbout);

    mnuNext_ = bar->addAction(QStringLiteral("&Next Turn"));
    mnuNext_->setObjectName(QStringLiteral("mnuNext"));
    mnuNext_->setVisible(false);
    connect(mnuNext_, &QAction::triggered, this, &BoardWindow::onNextTurnChosen);
}

// In twips, from a back's size as laid out: 795 high for the title bar, the
// menu bar and the margins above and below the grid; 300 wide for the frame
// and the margins; less one pixel (15 twips) for every two columns, as the
// cards overlap their neighbours by a pixel.
QSize BoardWindow::outerSizeFor(int n) const
{
    const int backWidth = imgCard_[0]->width() * kTwipsPerPixel;
    const int backHeight = imgCard_[0]->height() * kTwipsPerPixel;
    const double height = backHeight * n + 795.0;
    const double width = backWidth * n + 300.0 - (n / 2.0) * 15.0;
    return {px(static_cast<int>(std::lround(width))), px(static_cast<int>(std::lround(height)))};
}

void BoardWindow::layOutForGame(QSize panelSize)
{
    placeCursor(0, false);
    mnuStat_->setChecked(true);
    sizeForBoard();
    placeOnScreen(panelSize);
    promptWhenActive();
}

// The formulas give the outer size; the frame and the menu bar (which wraps
// when the window is narrow) are taken out of it, but never so far that the
// cards would be clipped.
void BoardWindow::sizeForBoard()
{
    const int n = session_.game().state().gCards;
    const QSize frame = frameGeometry().size() - geometry().size();
    sizedForFrame_ = frame;
    QSize inner = outerSizeFor(n) - frame;
    const int lastCell = kGridOrigin + kGridPitch * (std::clamp(n, 1, 8) - 1);
    inner.setWidth(std::max(inner.width(), px(lastCell + kFaceWidth)));
    // Measured with Next Turn on the bar, the widest the menu bar gets.
    const bool nextShown = mnuNext_->isVisible();
    mnuNext_->setVisible(true);
    const int menuHeight = menuBar()->heightForWidth(inner.width());
    mnuNext_->setVisible(nextShown);
    inner.setHeight(std::max(inner.height(), menuHeight + px(lastCell + kBackSize)));
    setFixedSize(inner);
}

// The board and the panel beside it are centred for the first game, keep the
// player's position afterwards, and are always kept on the screen. A kept
// position is given as the window's own top-left, with the frame's margins as
// they were, since a window that was just shown has no frame yet.
void BoardWindow::placeOnScreen(QSize panel)
{
    const QScreen* where = screen();
    if (!where)
        return;
    const QRect available = where->availableGeometry();
    const QSize outer = size() + (frameGeometry().size() - geometry().size());
    const QSize pair(outer.width() + 1 + panel.width(), std::max(outer.height(), panel.height()));
    const QPoint centred = available.topLeft()
        + QPoint((available.width() - pair.width()) / 2, (available.height() - pair.height()) / 2);
    QPoint topLeft = playerPlace_ ? playerPlace_->outer : centred;
    topLeft.setX(
        std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - pair.width())));
    topLeft.setY(
        std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - pair.height())));
    if (playerPlace_)
        setGeometry(QRect(topLeft + playerPlace_->inset, size()));
    else
        move(topLeft);
}

// Cards are renamed before they show or hide, so that a back shown again is
// never announced under the picture it covered. A hidden window is not read:
// its cards are named when it shows, so that only those whose look changed
// are renamed as a game starts.
void BoardWindow::redraw()
{
    if (isVisible())
        names_.describe();
    const GameView& view = session_.view();
    for (int i = 0; i < kSlots; ++i)
        imgCard_[i]->setVisible(view.backVisible[i]);
    for (int v = 0; v < kSlots; ++v) {
        imgFlip_[v]->move(imgCard_[view.facePosition[v]]->pos());
        imgFlip_[v]->setVisible(view.faceVisible[v]);
    }
    mnuNext_->setVisible(view.nextTurnShown);
    syncCursorFocus();
}

void BoardWindow::focusBoard()
{
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

// A click puts the keyboard's cursor, hidden, on the clicked card. With no
// focus to read it, the card turned is spoken, and so is a scored turn.
void BoardWindow::onCardClicked(int position)
{
    placeCursor(position, false);
    if (!turnCard(position))
        return;
    const GameView& view = session_.view();
    QString speech = names_.name(position) + QLatin1Char('.');
    if (session_.game().pickState() == PickState::PairPending)
        speech += QLatin1Char(' ') + spokenResult(view);
    announcer_->announce(speech);
}

void BoardWindow::onFaceClicked(int value)
{
    placeCursor(session_.view().facePosition[value], false);
}

// True when the card turned face up; a refused pick turns nothing.
bool BoardWindow::turnCard(int position)
{
    const Game& game = session_.game();
    const bool faceDown = game.cardState(position) == CardState::FaceDown;
    promptDue_ = false; // what the player does now is what they hear
    session_.pickCard(position);
    if (const auto box = session_.takeWinMessage())
        showMessage(this, QString::fromStdString(box->text), QString::fromStdString(box->title));
    return faceDown && game.cardState(position) == CardState::FaceUp;
}

// Arrows move the cursor and Space turns the card under it, as a click would;
// the cursor shows from the first such key on.
bool BoardWindow::handleCursorKey(const QKeyEvent& key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier
        || session_.game().boardCells() == 0)
        return false;
    switch (key.key()) {
    case Qt::Key_Left: moveCursor(0, -1); return true;
    case Qt::Key_Right: moveCursor(0, 1); return true;
    case Qt::Key_Up: moveCursor(-1, 0); return true;
    case Qt::Key_Down: moveCursor(1, 0); return true;
    case Qt::Key_Space: turnCardUnderCursor(); return true;
    default: return false;
    }
}

// Stops at the board's edges.
void BoardWindow::moveCursor(int rowStep, int columnStep)
{
    const int last = session_.game().state().gCards - 1;
    const GridPlace place = gridPlace(cursorPosition_);
    placeCursor(gridPosition({std::clamp(place.column + columnStep, 0, last),
                    std::clamp(place.row + rowStep, 0, last)}),
        true);
    focusCursorCard();
}

void BoardWindow::placeCursor(int position, bool shown)
{
    cursorPosition_ = position;
    cursor_->setGeometry(imgCard_[position]->geometry());
    cursor_->setVisible(shown);
    syncCursorFocus();
}

// The turned card's picture is read as it takes the focus, then the scored
// turn; a card that cannot be turned says so with the status, which tells
// what to do instead.
void BoardWindow::turnCardUnderCursor()
{
    const int position = cursorPosition_;
    placeCursor(position, true);
    const bool turned = turnCard(position);
    const bool focusMoved = focusCursorCard();
    const GameView& view = session_.view();
    const QString status = spokenLine(view.statusText);
    if (!turned)
        announcer_->announce(
            focusMoved ? status : names_.reading(position) + QLatin1Char(' ') + status);
    else if (session_.game().pickState() == PickState::PairPending)
        announcer_->announce(spokenResult(view));
}

// The card under the shown cursor: its face while it shows, otherwise its
// back, whose name says "face down" or "removed".
CardImage* BoardWindow::cursorCard() const
{
    const Game& game = session_.game();
    if (cursor_->isHidden() || cursorPosition_ >= game.boardCells())
        return nullptr;
    if (game.cardState(cursorPosition_) == CardState::FaceUp)
        return imgFlip_[game.state().cardValue[cursorPosition_]];
    return imgCard_[cursorPosition_];
}

// Only the card under the shown cursor reports itself focused (the window
// keeps the real keyboard focus).
void BoardWindow::syncCursorFocus()
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
bool BoardWindow::focusCursorCard()
{
    syncCursorFocus();
    if (!focusedCard_)
        return false;
    QAccessibleEvent focus(focusedCard_, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    return std::exchange(spokenFocus_, focusedCard_) != focusedCard_;
}

// At a game's start and after Next Turn: where the cursor is, and the prompt.
// It waits for this window to be active: a screen reader speaks a window's
// activation first and would talk over anything said before it.
void BoardWindow::promptWhenActive()
{
    promptDue_ = true;
    if (isActiveWindow())
        QTimer::singleShot(0, this, &BoardWindow::speakPrompt);
}

// After Next Turn the cursor's card is named anew as it takes the focus; at a
// game's start the cursor is hidden and no card has it, so it is read out.
void BoardWindow::speakPrompt()
{
    if (!isActiveWindow() || !std::exchange(promptDue_, false))
        return;
    const QString prompt = spokenLine(session_.game().state().ClickMessage1);
    announcer_->announce(
        focusCursorCard() ? prompt : names_.reading(cursorPosition_) + QLatin1Char(' ') + prompt);
}

// Alt+N gives Next Turn here, not through the menu bar, which would first
// tell a screen reader that the item it is about to hide has the focus.
bool BoardWindow::isNextTurnKey(const QKeyEvent& key) const
{
    return key.key() == Qt::Key_N && (key.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier
        && mnuNext_->isVisible();
}

bool BoardWindow::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride
        && isNextTurnKey(static_cast<const QKeyEvent&>(*event))) {
        event->accept();
        return true;
    }
    return QMainWindow::event(event);
}

void BoardWindow::keyPressEvent(QKeyEvent* event)
{
    if (handleCursorKey(*event))
        return;
    if (isNextTurnKey(*event)) {
        onNextTurnChosen();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    session_.pressEnter();
}

// Taking the keyboard focus makes the window itself a screen reader's focus.
void BoardWindow::focusInEvent(QFocusEvent* event)
{
    QMainWindow::focusInEvent(event);
    spokenFocus_ = nullptr;
}

void BoardWindow::showEvent(QShowEvent* event)
{
    names_.describe();
    QMainWindow::showEvent(event);
}

void BoardWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, &BoardWindow::speakPrompt); // after Qt's own focus news
}

void BoardWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit exitRequested();
}

// The window manager tells the frame's size only once the window is shown.
void BoardWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (frameGeometry().size() - geometry().size() != sizedForFrame_)
        sizeForBoard();
}

void BoardWindow::newGame()
{
    // Read while the window shows: once it is hidden, a window manager may
    // have put it where its frame was (mutter does), and Qt would take the
    // frame off that place a second time.
    const QPoint outer = frameGeometry().topLeft();
    playerPlace_ = PlayerPlace {outer, geometry().topLeft() - outer};
    session_.newGame();
    emit newGameRequested();
}

// Runs after the action has moved its check mark.
void BoardWindow::toggleScorePanel()
{
    emit scorePanelToggled(mnuStat_->isChecked());
    focusBoard();
}

void BoardWindow::showRules()
{
    showMessage(this, QString::fromLatin1(kRules), QStringLiteral("Pexaro--Rules of the Game"));
}

void BoardWindow::showAbout()
{
    showMessage(this, QString::fromLatin1(kAbout), QStringLiteral("Pexaro--About the Game"));
}

void BoardWindow::onNextTurnChosen()
{
    if (mnuNext_->isVisible())
        session_.nextTurn();
}

} // namespace pexaro::ui
