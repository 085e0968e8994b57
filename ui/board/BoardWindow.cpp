// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/BoardWindow.h"

#include "board/BoardSpeech.h"
#include "board/BoardView.h"
#include "common/Controls.h"
#include "common/GameSession.h"
#include "common/Twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

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

void showMessage(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    // A box without an icon: some desktops' styles would put one on its button.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

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
    view_ = new BoardView(session_, *this, this);
    setCentralWidget(view_);
    connect(view_, &BoardView::cardChosen, &session_, &GameSession::pickCard);
    setFixedSize(twipsSize(6975, 6945).grownBy({0, menuBar()->sizeHint().height(), 0, 0}));
    takeKeys(*this, enterKeys(), &session_, &GameSession::pressEnter);

    auto* flipTimer = new QTimer(this);
    flipTimer->setObjectName(QStringLiteral("Timer1"));
    // A released pair is resolved at the next tick, so the two cards show
    // until the event loop is idle again; the cost of this 1 ms timer and the
    // panel's at idle is noted with the panel's.
    flipTimer->setInterval(1);
    connect(flipTimer, &QTimer::timeout, &session_, &GameSession::onFlipTick);
    flipTimer->start();

    connect(&session_, &GameSession::gameStarted, this, &BoardWindow::showNextTurnCommand);
    connect(&session_, &GameSession::cardTurned, this, &BoardWindow::showNextTurnCommand);
    connect(&session_, &GameSession::turnScored, this, &BoardWindow::showNextTurnCommand);
    connect(&session_, &GameSession::nextTurnGiven, this, &BoardWindow::showNextTurnCommand);
    connect(&session_, &GameSession::gameStarted, mnuStat_, [this] { mnuStat_->setChecked(true); });
    connect(&session_, &GameSession::nextTurnGiven, this, &BoardWindow::focusBoard);
    connect(&session_, &GameSession::gameWon, this,
        [this](const QString& text, const QString& title) { showMessage(this, text, title); });
    new BoardSpeech(session_, *view_, *this); // last: it speaks of what the others have shown
}

void BoardWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->installEventFilter(this);
    installEventFilter(this);
    bar->setAccessibleName(QStringLiteral("Menu bar"));
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                       const QKeySequence& shortcut, auto handler) {
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
    addItem(mnuFile, "mnuExit", QStringLiteral("E&xit"), kExitKey, &BoardWindow::exitRequested);

    QMenu* mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setAccessibleName(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    addItem(mnuHelp, "mnuRules", QStringLiteral("&Rules of the Game"),
        QKeySequence(Qt::CTRL | Qt::Key_R), [this] {
            showMessage(
                this, QString::fromLatin1(kRules), QStringLiteral("Pexaro--Rules of the Game"));
        });
    addItem(mnuHelp, "mnuAbout", QStringLiteral("&About Pexaro"),
        QKeySequence(Qt::CTRL | Qt::Key_A), [this] {
            showMessage(
                this, QString::fromLatin1(kAbout), QStringLiteral("Pexaro--About the Game"));
        });

    mnuNext_ = bar->addAction(QStringLiteral("&Next Turn"));
    mnuNext_->setObjectName(QStringLiteral("mnuNext"));
    mnuNext_->setVisible(false);
    connect(mnuNext_, &QAction::triggered, this, &BoardWindow::onNextTurnChosen);
}

void BoardWindow::layOutForGame(QSize panelSize)
{
    sizeForBoard();
    placeOnScreen(panelSize);
}

// The formulas give the outer size; the frame and the menu bar are taken out
// of it, but never so far that the cards would be clipped, nor so narrow that
// Next Turn would leave the bar: Qt's menu bar does not wrap, it hides what
// does not fit behind an overflow arrow.
void BoardWindow::sizeForBoard()
{
    const int n = session_.view().boardSide;
    const QSize frame = frameGeometry().size() - geometry().size();
    sizedForFrame_ = frame;
    QSize inner = formulaOuterSize(n, view_->backSize()) - frame;
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

// A kept place is given as the window's own top-left, with the frame's
// margins as they were, since a window that was just shown has no frame yet.
void BoardWindow::placeOnScreen(QSize panel)
{
    const QScreen* where = screen();
    if (!where)
        return;
    const QSize outer = size() + (frameGeometry().size() - geometry().size());
    const auto kept = playerPlace_ ? std::optional(playerPlace_->outer) : std::nullopt;
    const QPoint topLeft = boardPlace(where->availableGeometry(), outer, panel, kept);
    if (playerPlace_)
        setGeometry(QRect(topLeft + playerPlace_->inset, size()));
    else
        move(topLeft);
}

// Only on a change: the menu bar lays itself out anew on every call.
void BoardWindow::showNextTurnCommand()
{
    if (mnuNext_->isVisible() != session_.view().nextTurnShown)
        mnuNext_->setVisible(session_.view().nextTurnShown);
}

void BoardWindow::focusBoard()
{
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

// Alt+N gives Next Turn in the window and in the menu bar, which has the keys
// after a lone Alt, before any shortcut: through the menu bar, a screen reader
// would first be told that the item it is about to hide has the focus.
bool BoardWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if ((watched != this && watched != menuBar()) || !key || !mnuNext_->isVisible())
        return QMainWindow::eventFilter(watched, event);
    const auto& press = static_cast<const QKeyEvent&>(*event);
    if (press.key() != Qt::Key_N || (press.modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return QMainWindow::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress)
        onNextTurnChosen();
    return true;
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

void BoardWindow::onNextTurnChosen()
{
    if (mnuNext_->isVisible())
        session_.nextTurn();
}

} // namespace pexaro::ui
