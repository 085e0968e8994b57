// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"
#include "board/BoardWindow.h"
#include "common/GameSession.h"
#include "info/ScorePanel.h"
#include "size/SizeDialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace pexaro;

class HandOver : public test::ProgramTest {
    Q_OBJECT

private slots:
    void onlyTheDialogOpensAndStartWaitsForASize()
    {
        program->start();
        QVERIFY(program->sizeDialog().isVisible());
        QVERIFY(!program->hasBoardWindow());
        QVERIFY(!program->hasScorePanel());
        auto* start = program->sizeDialog().findChild<QPushButton*>("cmdStart");
        QVERIFY(start && !start->isEnabled());
        QVERIFY(test::dialogIsActive(*program));
        QTest::keyClick(&program->sizeDialog(), Qt::Key_Return);
        QVERIFY(!program->hasBoardWindow());
    }

    void startGameShowsBothWindowsAndRunsTheStartUpTwice()
    {
        program->start();
        auto& dialog = program->sizeDialog();
        auto* six = dialog.findChild<QRadioButton*>("optBoardSize(2)");
        auto* two = dialog.findChild<QRadioButton*>("optBoardSize(0)");
        QTest::mouseClick(six, Qt::LeftButton);
        QTest::mouseClick(two, Qt::LeftButton);
        QVERIFY(!program->hasBoardWindow());
        QSignalSpy starts(&program->session(), &ui::GameSession::gameStarted);
        QVERIFY(test::dialogIsActive(*program));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QVERIFY(program->boardWindow().isVisible());
        QVERIFY(program->scorePanel().isVisible());
        QCOMPARE(starts.count(), 2);
        QCOMPARE(program->game().state().gCards, 2);
    }

    void startGameIsRefusedUntilASizeIsChosen()
    {
        program->start();
        ui::SizeDialog& dialog = program->sizeDialog();
        QPushButton* start = test::startButton(dialog);
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(test::dialogIsActive(*program));
        QTest::keyClick(start, Qt::Key_Return);
        QVERIFY(!program->hasBoardWindow());
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(test::sizeOption(dialog, 3), Qt::LeftButton);
        QVERIFY(start->isEnabled());
        QVERIFY(!program->hasBoardWindow());
    }

    void enterWithAModifierDoesNotStartTheGame_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("Ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier);
        QTest::newRow("Ctrl+Shift")
            << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier);
    }

    void enterWithAModifierDoesNotStartTheGame()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        program->start();
        ui::SizeDialog& dialog = program->sizeDialog();
        QRadioButton* four = test::sizeOption(dialog, 1);
        QTest::mouseClick(four, Qt::LeftButton);
        QVERIFY(test::dialogIsActive(*program));
        QTest::keyClick(four, Qt::Key_Return, modifiers);
        QTest::keyClick(&dialog, Qt::Key_Enter, modifiers | Qt::KeypadModifier);
        QVERIFY(!program->hasBoardWindow());
        QVERIFY(dialog.isVisible());
        // Plain ENTER on the same control does start it.
        QTest::keyClick(four, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QVERIFY(program->boardWindow().isVisible());
    }

    void theLastChoiceWins_data()
    {
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<int>("side");
        QTest::newRow("6 then 2") << QList<int> {2, 0} << 2;
        QTest::newRow("2 then 8") << QList<int> {0, 3} << 8;
        QTest::newRow("4, 6, 4") << QList<int> {1, 2, 1} << 4;
        QTest::newRow("8, 2, 6") << QList<int> {3, 0, 2} << 6;
    }

    void theLastChoiceWins()
    {
        QFETCH(QList<int>, choices);
        QFETCH(int, side);
        program->start();
        ui::SizeDialog& dialog = program->sizeDialog();
        for (int option : choices)
            QTest::mouseClick(test::sizeOption(dialog, option), Qt::LeftButton);
        QVERIFY(!program->hasBoardWindow());
        QTest::mouseClick(test::startButton(dialog), Qt::LeftButton);
        QCOMPARE(program->game().state().gCards, side);
        QCOMPARE(test::visibleBacks(program->boardWindow()), test::positionsUpTo(side * side));
    }

    void startGameShowsBothWindowsAndFocusesTheBoard()
    {
        program->start();
        test::chooseAndStart(*program, 6);
        ui::BoardWindow& board = program->boardWindow();
        QVERIFY(!program->sizeDialog().isVisible());
        QVERIFY(board.isVisible());
        QVERIFY(program->scorePanel().isVisible());
        QVERIFY(test::boardHasTheFocus(*program));
        QCOMPARE(QGuiApplication::focusWindow(), board.windowHandle());

        QCOMPARE(test::status(*program), test::shown::clickMessage);
        QCOMPARE(test::caption(program->scorePanel(), "lblTurns"), QStringLiteral("0"));
        QCOMPARE(test::caption(program->scorePanel(), "lblMatches"), QStringLiteral("0"));
        QVERIFY(!program->scorePanel().isEnabled());
        QVERIFY(test::nextButton(program->scorePanel())->isHidden());
        QVERIFY(!test::menuItem(board, "mnuNext")->isVisible());
    }

    void newGameReturnsToTheDialogWithTheSizeKept_data()
    {
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("Ctrl+N") << true;
        QTest::newRow("menu item") << false;
    }

    void newGameReturnsToTheDialogWithTheSizeKept()
    {
        QFETCH(bool, byShortcut);
        QVERIFY(test::openAndStart(*program, 4));
        ui::BoardWindow& board = program->boardWindow();
        ui::SizeDialog& dialog = program->sizeDialog();
        test::clickCard(*program, 0);
        test::clickCard(*program, test::nonPartnerOf(program->game(), 0));
        QCOMPARE(test::caption(program->scorePanel(), "lblTurns"), QStringLiteral("1"));

        if (byShortcut)
            QTest::keyClick(&board, Qt::Key_N, Qt::ControlModifier);
        else
            test::menuItem(board, "mnuNewGame")->trigger();
        QVERIFY(dialog.isVisible());
        QVERIFY(!board.isVisible());
        QVERIFY(!program->scorePanel().isVisible());
        QVERIFY(test::sizeOption(dialog, 1)->isChecked());
        QVERIFY(test::startButton(dialog)->isEnabled());
        QCOMPARE(test::caption(program->scorePanel(), "lblTurns"), QStringLiteral("0"));
        QCOMPARE(test::caption(program->scorePanel(), "lblMatches"), QStringLiteral("0"));

        QVERIFY(test::dialogIsActive(*program));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(test::boardHasTheFocus(*program));
        QCOMPARE(program->game().state().gCards, 4);
        QCOMPARE(test::visibleBacks(board), test::positionsUpTo(16));
    }

    void theStartUpRunsTwiceOnTheFirstGameAndOnceOnEachLaterOne()
    {
        QSignalSpy starts(&program->session(), &ui::GameSession::gameStarted);
        QVERIFY(test::openAndStart(*program, 2));
        ui::BoardWindow& board = program->boardWindow();
        QCOMPARE(starts.count(), 2);
        for (int game = 2; game <= 4; ++game) {
            test::menuItem(board, "mnuNewGame")->trigger();
            QCOMPARE(starts.count(), game);
            test::chooseAndStart(*program, 2 * game);
            QCOMPARE(starts.count(), game + 1);
            QVERIFY(test::boardHasTheFocus(*program));
        }
    }
};

QTEST_MAIN(HandOver)
#include "test_handover.moc"
