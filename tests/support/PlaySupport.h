// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "BoardLayout.h"
#include "ExpectedTexts.h"
#include "Game.h"
#include "GuiSupport.h"
#include "Player.h"
#include "app/Program.h"
#include "board/BoardWindow.h"
#include "info/ScorePanel.h"
#include "size/SizeDialog.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <set>

// Runs a helper that checks as it goes, and ends the test function if it failed.
#define STEP(helperCall)                                                                           \
    do {                                                                                           \
        helperCall;                                                                                \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

namespace pexaro::test {

// How long a wait for the window system may take: generous, since valgrind
// and a loaded machine slow it many times over; a wait that succeeds ends at once.
inline constexpr int kPatienceMs = 20000;

// What the status label shows.
namespace shown {
inline const QString clickMessage = onLabel(expected::clickMessage);
inline const QString secondCard = onLabel(expected::secondCard);
inline const QString match = onLabel(expected::match);
inline const QString noMatch = onLabel(expected::noMatch);
inline const QString win = onLabel(expected::win);
} // namespace shown

inline QString arrayElement(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

inline QWidget* card(ui::BoardWindow& board, int position)
{
    return board.findChild<QWidget*>(arrayElement("imgCard", position));
}

inline QWidget* face(ui::BoardWindow& board, int value)
{
    return board.findChild<QWidget*>(arrayElement("imgFlip", value));
}

inline QAction* menuItem(ui::BoardWindow& board, const char* name)
{
    return board.findChild<QAction*>(QLatin1String(name));
}

inline QRadioButton* sizeOption(ui::SizeDialog& dialog, int index)
{
    return dialog.findChild<QRadioButton*>(arrayElement("optBoardSize", index));
}

inline QPushButton* startButton(ui::SizeDialog& dialog)
{
    return dialog.findChild<QPushButton*>(QStringLiteral("cmdStart"));
}

inline QPushButton* nextButton(ui::ScorePanel& panel)
{
    return panel.findChild<QPushButton*>(QStringLiteral("cmdNext"));
}

inline QString caption(ui::ScorePanel& panel, const char* label)
{
    return panel.findChild<QLabel*>(QLatin1String(label))->text();
}

inline QString status(ui::Program& program)
{
    return caption(program.scorePanel(), "lblStatus");
}

// Option index of a board side: 2, 4, 6, 8 -> 0, 1, 2, 3.
inline int optionFor(int side)
{
    return side / 2 - 1;
}

// The player's way into a game: pick the size and click Start Game.
inline void chooseAndStart(ui::Program& program, int side)
{
    ui::SizeDialog& dialog = program.sizeDialog();
    QTest::mouseClick(sizeOption(dialog, optionFor(side)), Qt::LeftButton);
    QTest::mouseClick(startButton(dialog), Qt::LeftButton);
}

// The size dialog is the active window, where the player's keys go.
inline bool dialogIsActive(ui::Program& program)
{
    return QTest::qWaitForWindowActive(&program.sizeDialog(), kPatienceMs);
}

// The board window is the active window and holds the keyboard focus.
inline bool boardHasTheFocus(ui::Program& program)
{
    ui::BoardWindow& board = program.boardWindow();
    return QTest::qWaitFor(
        [&] {
            return QApplication::activeWindow() == &board && QApplication::focusWidget() == &board;
        },
        kPatienceMs);
}

// Opens the program and starts a game of `side`, leaving the board focused.
inline bool openAndStart(ui::Program& program, int side)
{
    program.start();
    chooseAndStart(program, side);
    return boardHasTheFocus(program);
}

inline void clickCard(ui::Program& program, int position)
{
    QTest::mouseClick(card(program.boardWindow(), position), Qt::LeftButton);
}

// Waits for the flip timer to resolve a released pair.
inline bool waitForReady(ui::Program& program)
{
    return QTest::qWaitFor(
        [&] { return program.game().pickState() == PickState::Ready; }, kPatienceMs);
}

// A face-down card that is not the partner of the card at `position`, or -1.
inline int nonPartnerOf(const Game& game, int position)
{
    const int partner = partnerOf(game, position);
    for (int p = 0; p < game.boardCells(); ++p)
        if (p != position && p != partner && game.cardState(p) == CardState::FaceDown)
            return p;
    return -1;
}

inline std::set<int> visibleBacks(ui::BoardWindow& board)
{
    std::set<int> visible;
    for (int p = 0; p < kSlots; ++p)
        if (card(board, p)->isVisible())
            visible.insert(p);
    return visible;
}

inline std::set<int> visibleFaces(ui::BoardWindow& board)
{
    std::set<int> visible;
    for (int v = 0; v < kSlots; ++v)
        if (face(board, v)->isVisible())
            visible.insert(v);
    return visible;
}

inline std::set<int> positionsUpTo(int count)
{
    std::set<int> positions;
    for (int p = 0; p < count; ++p)
        positions.insert(p);
    return positions;
}

// Turns cards with the keyboard alone: arrow keys to the card, then Space.
// Keys go where the keyboard focus is, as a player's do.
class KeyboardPlayer {
public:
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    // Where the cursor goes, from wherever it is: every game starts it on the
    // first card.
    void moveTo(int position)
    {
        const GridPlace target = gridPlace(position);
        for (; cursor_.column < target.column; ++cursor_.column)
            press(Qt::Key_Right);
        for (; cursor_.column > target.column; --cursor_.column)
            press(Qt::Key_Left);
        for (; cursor_.row < target.row; ++cursor_.row)
            press(Qt::Key_Down);
        for (; cursor_.row > target.row; --cursor_.row)
            press(Qt::Key_Up);
    }

    void turn(int position)
    {
        moveTo(position);
        press(Qt::Key_Space);
    }

private:
    GridPlace cursor_ {0, 0};
};

} // namespace pexaro::test
