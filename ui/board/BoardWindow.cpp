// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/BoardWindow.h"

#include "Game.h"
#include "board/BoardSpeech.h"
#include "board/BoardView.h"
#include "board/CardCursor.h"
#include "common/Controls.h"
#include "common/GameSession.h"
#include "common/MessageBox.h"
#include "common/Twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace pexaro::ui {

namespace {

// clang-format off
const char* const kRules =
    "This is PEXARO!  Choose (click on) two cards.  If they match, then the two cards disappear.  "
    "If they don't match, then click on the 'Next Turn' button or press the ENTER key.  Remove "
    "all the cards from the board (by finding matches) and you win.  Try to do this in as few "
    "moves as possible.";
// clang-format on

const char* const kAbout = "Pexaro was created by the Pexaro developers in December 2026.";

} // namespace

BoardWindow::BoardWindow(GameSession& session, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
    , session_(session)
{
    setObjectName(QStringLiteral("frmPexaro"));
    setWindowTitle(QStringLiteral("Pexaro"));
    setWindowIcon(programIcon());
    setFocusPolicy(Qt::StrongFocus);
    createMenus();
    view_ = new BoardView(this);
    setCentralWidget(view_);
    connect(view_, &BoardView::cardClicked, this, &BoardWindow::onCardClicked);
    connect(view_, &BoardView::faceClicked, this, &BoardWindow::onFaceClicked);
    speech_ = new BoardSpeech(session_, *view_, *this);
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
}

void BoardWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->installEventFilter(this);
    installEventFilter(this);
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
    const int backWidth = view_->backSize().width() * kTwipsPerPixel;
    const int backHeight = view_->backSize().height() * kTwipsPerPixel;
    const double height = backHeight * n + 795.0;
    const double width = backWidth * n + 300.0 - (n / 2.0) * 15.0;
    return {px(static_cast<int>(std::lround(width))), px(static_cast<int>(std::lround(height)))};
}

void BoardWindow::layOutForGame(QSize panelSize)
{
    view_->cursor().place(0, false);
    mnuStat_->setChecked(true);
    sizeForBoard();
    placeOnScreen(panelSize);
    speech_->gameStarted();
}

// The formulas give the outer size; the frame and the menu bar are taken out
// of it, but never so far that the cards would be clipped, nor so narrow that
// Next Turn would leave the bar: Qt's menu bar does not wrap, it hides what
// does not fit behind an overflow arrow.
void BoardWindow::sizeForBoard()
{
    const int n = session_.game().state().gCards;
    const QSize frame = frameGeometry().size() - geometry().size();
    sizedForFrame_ = frame;
    QSize inner = outerSizeFor(n) - frame;
    const QSize cards = BoardView::cardBlockSize(n);
    // Measured with Next Turn on the bar, the widest the menu bar gets.
    const bool nextShown = mnuNext_->isVisible();
    mnuNext_->setVisible(true);
    inner.setWidth(std::max({inner.width(), cards.width(), menuBar()->sizeHint().width()}));
    const int menuHeight = menuBar()->heightForWidth(inner.width());
    mnuNext_->setVisible(nextShown);
    inner.setHeight(std::max(inner.height(), menuHeight + cards.height()));
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

void BoardWindow::redraw()
{
    view_->redraw(session_.view());
    mnuNext_->setVisible(session_.view().nextTurnShown);
}

void BoardWindow::focusBoard()
{
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

// A click puts the keyboard's cursor, hidden, on the clicked card.
void BoardWindow::onCardClicked(int position)
{
    view_->cursor().place(position, false);
    speech_->cardClicked(position, turnCard(position));
}

void BoardWindow::onFaceClicked(int position)
{
    view_->cursor().place(position, false);
}

// True when the card turned face up; a refused pick turns nothing.
bool BoardWindow::turnCard(int position)
{
    const Game& game = session_.game();
    const bool faceDown = game.cardState(position) == CardState::FaceDown;
    speech_->pickComing();
    session_.pickCard(position);
    if (const auto box = session_.takeWinMessage())
        showMessage(this, QString::fromStdString(box->text), QString::fromStdString(box->title));
    return faceDown && game.cardState(position) == CardState::FaceUp;
}

// Arrows move the cursor and Space turns the card under it, as a click would;
// the cursor shows from the first such key on.
bool BoardWindow::handleCursorKey(const QKeyEvent& key)
{
    const int side = session_.game().state().gCards;
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier
        || session_.game().boardCells() == 0)
        return false;
    CardCursor& cursor = view_->cursor();
    switch (key.key()) {
    case Qt::Key_Left: cursor.step(0, -1, side); break;
    case Qt::Key_Right: cursor.step(0, 1, side); break;
    case Qt::Key_Up: cursor.step(-1, 0, side); break;
    case Qt::Key_Down: cursor.step(1, 0, side); break;
    case Qt::Key_Space: turnCardUnderCursor(); return true;
    default: return false;
    }
    speech_->cursorStepped();
    return true;
}

void BoardWindow::turnCardUnderCursor()
{
    const int position = view_->cursor().position();
    view_->cursor().place(position, true);
    speech_->spacePressed(position, turnCard(position));
}

// Alt+N gives Next Turn in the window, not through the menu bar, which would
// first tell a screen reader that the item it is about to hide has the focus.
bool BoardWindow::isNextTurnKey(const QKeyEvent& key) const
{
    return key.key() == Qt::Key_N && (key.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier
        && mnuNext_->isVisible();
}

// Alt+N is taken before any shortcut, both in the window and in the menu bar,
// which has the keys after a lone Alt.
bool BoardWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if ((watched != this && watched != menuBar()) || !key
        || !isNextTurnKey(static_cast<const QKeyEvent&>(*event)))
        return QMainWindow::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress)
        onNextTurnChosen();
    return true;
}

void BoardWindow::keyPressEvent(QKeyEvent* event)
{
    if (handleCursorKey(*event))
        return;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    session_.pressEnter();
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
