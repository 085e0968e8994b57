// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board/BoardWindow.h"

#include "BoardLayout.h"
#include "Game.h"
#include "board/CardCursor.h"
#include "board/CardImage.h"
#include "common/Controls.h"
#include "common/GameSession.h"
#include "common/MessageBox.h"
#include "common/Twips.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace pexaro::ui {

namespace {

// Names no picture: a screen reader must not give away a card not showing.
constexpr QLatin1StringView kHiddenFace("card face, hidden");
constexpr QLatin1StringView kNoCard("no card");

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
        imgCard_[i]->setAccessibleName(kNoCard); // as its default CardLook says
        imgCard_[i]->setGeometry(QRect(gridTopLeft(i), twipsSize(kBackSize, kBackSize)));
        imgCard_[i]->hide();
        connect(imgCard_[i], &CardImage::clicked, this, &BoardWindow::onCardClicked);
    }
    // Faces come later so that they lie in front of the backs.
    for (int v = 0; v < kSlots; ++v) {
        imgFlip_[v] = new CardImage(artwork_, v % kPictures, v, board);
        imgFlip_[v]->setObjectName(elementName(QStringLiteral("imgFlip"), v));
        imgFlip_[v]->setAccessibleName(kHiddenFace);
        imgFlip_[v]->setGeometry(QRect(gridTopLeft(v), twipsSize(kFaceWidth, kBackSize)));
        connect(imgFlip_[v], &CardImage::clicked, this, &BoardWindow::onFaceClicked);
    }
    cursor_ = new CardCursor(board); // last, in front of every card
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
// player's position afterwards, and are always kept on the screen.
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
    QPoint topLeft = keepPlayerPosition_ ? frameGeometry().topLeft() : centred;
    topLeft.setX(
        std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - pair.width())));
    topLeft.setY(
        std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - pair.height())));
    move(topLeft);
}

// Cards are renamed before they show or hide, so that a back shown again is
// never announced under the picture it covered.
void BoardWindow::redraw()
{
    describeCards();
    const GameView& view = session_.view();
    for (int i = 0; i < kSlots; ++i)
        imgCard_[i]->setVisible(view.backVisible[i]);
    for (int v = 0; v < kSlots; ++v) {
        imgFlip_[v]->move(imgCard_[view.facePosition[v]]->pos());
        imgFlip_[v]->setVisible(view.faceVisible[v]);
    }
    mnuNext_->setVisible(view.nextTurnShown);
}

// Names each card for screen readers as a player sees it, numbered in reading
// order: "card 12, face down", its picture once turned, "removed" once gone.
// A face that is not showing is never named after its picture. Only cards
// whose look changed are renamed: this runs after every click.
void BoardWindow::describeCards()
{
    const Game& game = session_.game();
    const int cells = game.boardCells();
    const int side = static_cast<int>(std::lround(std::sqrt(cells)));
    std::array<CardLook, kSlots> looks {};
    for (int p = 0; p < cells; ++p)
        looks[p] = {game.cardState(p), game.state().cardValue[p], side};
    // Faces that stopped showing lose their picture's name first; a face that
    // shows again is named below.
    for (int p = 0; p < kSlots; ++p) {
        if (describedAs_[p].state == CardState::FaceUp && looks[p] != describedAs_[p])
            imgFlip_[describedAs_[p].value]->setAccessibleName(kHiddenFace);
    }
    for (int p = 0; p < kSlots; ++p) {
        if (looks[p] != describedAs_[p]) {
            describedAs_[p] = looks[p];
            describeCard(p, looks[p]);
        }
    }
}

void BoardWindow::describeCard(int position, CardLook look)
{
    if (!look.state) {
        imgCard_[position]->setAccessibleName(kNoCard);
        imgCard_[position]->setAccessibleDescription(QString());
        return;
    }
    const GridPlace place = gridPlace(position);
    QString name = QStringLiteral("card %1, ").arg(place.row * look.side + place.column + 1);
    switch (*look.state) {
    case CardState::FaceUp:
        name += Artwork::drawingName(look.value % kPictures);
        imgFlip_[look.value]->setAccessibleName(name);
        break;
    case CardState::Removed: name += QStringLiteral("removed"); break;
    default: name += QStringLiteral("face down"); break; // never says more than it shows
    }
    imgCard_[position]->setAccessibleName(name);
    imgCard_[position]->setAccessibleDescription(
        QStringLiteral("row %1, column %2").arg(place.row + 1).arg(place.column + 1));
}

void BoardWindow::focusBoard()
{
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

// A click puts the keyboard's cursor, hidden, on the clicked card.
void BoardWindow::onCardClicked(int position)
{
    placeCursor(position, false);
    turnCard(position);
}

void BoardWindow::onFaceClicked(int value)
{
    placeCursor(session_.view().facePosition[value], false);
}

void BoardWindow::turnCard(int position)
{
    session_.pickCard(position);
    if (const auto box = session_.takeWinMessage())
        showMessage(this, QString::fromStdString(box->text), QString::fromStdString(box->title));
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
    case Qt::Key_Space:
        cursor_->show();
        turnCard(cursorPosition_);
        announceCursorCard();
        return true;
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
    announceCursorCard();
}

void BoardWindow::placeCursor(int position, bool shown)
{
    cursorPosition_ = position;
    cursor_->setGeometry(imgCard_[position]->geometry());
    cursor_->setVisible(shown);
}

// Makes the card under the cursor the screen reader's focus, so that its name
// is read: the face while it shows, otherwise the back, whose name says
// "face down" or "removed".
void BoardWindow::announceCursorCard()
{
    const int position = cursorPosition_;
    const Game& game = session_.game();
    CardImage* card = imgCard_[position];
    if (game.cardState(position) == CardState::FaceUp)
        card = imgFlip_[game.state().cardValue[position]];
    if (focusedCard_)
        focusedCard_->setUnderCursor(false);
    card->setUnderCursor(true);
    focusedCard_ = card;
    QAccessibleEvent focus(card, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
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
    session_.newGame();
    keepPlayerPosition_ = true;
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
