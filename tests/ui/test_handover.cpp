// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FrmBoardSize.h"
#include "FrmPexaro.h"
#include "FrmStats.h"
#include "GuiSupport.h"
#include "PlaySupport.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace pexaro;

class HandOver : public QObject {
    Q_OBJECT

private slots:
    void init() { program = test::seededProgram(); }
    void cleanup() { program.reset(); }

    void onlyTheDialogOpensAndStartWaitsForASize()
    {
        program->start();
        QVERIFY(program->frmBoardSize().isVisible());
        QVERIFY(!program->hasBoardWindow());
        QVERIFY(!program->hasStatsWindow());
        auto* start = program->frmBoardSize().findChild<QPushButton*>("cmdStart");
        QVERIFY(start && !start->isEnabled());
        QTest::keyClick(&program->frmBoardSize(), Qt::Key_Return);
        QVERIFY(!program->hasBoardWindow());
    }

    void startGameShowsBothWindowsAndRunsTheStartUpTwice()
    {
        program->start();
        auto& dialog = program->frmBoardSize();
        auto* six = dialog.findChild<QRadioButton*>("optBoardSize(2)");
        auto* two = dialog.findChild<QRadioButton*>("optBoardSize(0)");
        QTest::mouseClick(six, Qt::LeftButton);
        QTest::mouseClick(two, Qt::LeftButton);
        QVERIFY(!program->hasBoardWindow());
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QVERIFY(program->frmPexaro().isVisible());
        QVERIFY(program->frmStats().isVisible());
        QCOMPARE(program->frmPexaro().formLoadRuns(), 2);
        QCOMPARE(program->game().state().gCards, 2);
    }

    void startGameIsRefusedUntilASizeIsChosen()
    {
        program->start();
        ui::FrmBoardSize& dialog = program->frmBoardSize();
        QPushButton* start = test::startButton(dialog);
        QTest::mouseClick(start, Qt::LeftButton);
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
        ui::FrmBoardSize& dialog = program->frmBoardSize();
        QRadioButton* four = test::sizeOption(dialog, 1);
        QTest::mouseClick(four, Qt::LeftButton);
        QTest::keyClick(four, Qt::Key_Return, modifiers);
        QTest::keyClick(&dialog, Qt::Key_Enter, modifiers | Qt::KeypadModifier);
        QVERIFY(!program->hasBoardWindow());
        QVERIFY(dialog.isVisible());
        // Plain ENTER on the same control does start it.
        QTest::keyClick(four, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QVERIFY(program->frmPexaro().isVisible());
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
        ui::FrmBoardSize& dialog = program->frmBoardSize();
        for (int option : choices)
            QTest::mouseClick(test::sizeOption(dialog, option), Qt::LeftButton);
        QVERIFY(!program->hasBoardWindow());
        QTest::mouseClick(test::startButton(dialog), Qt::LeftButton);
        QCOMPARE(program->game().state().gCards, side);
        QCOMPARE(test::visibleBacks(program->frmPexaro()), test::positionsUpTo(side * side));
    }

    void startGameShowsBothWindowsAndFocusesTheBoard()
    {
        program->start();
        test::chooseAndStart(*program, 6);
        ui::FrmPexaro& board = program->frmPexaro();
        QVERIFY(!program->frmBoardSize().isVisible());
        QVERIFY(board.isVisible());
        QVERIFY(program->frmStats().isVisible());
        QVERIFY(test::boardHasTheFocus(*program));
        QCOMPARE(QGuiApplication::focusWindow(), board.windowHandle());

        QCOMPARE(test::status(*program), test::shown::clickMessage);
        QCOMPARE(test::caption(program->frmStats(), "lblTurns"), QStringLiteral("0"));
        QCOMPARE(test::caption(program->frmStats(), "lblMatches"), QStringLiteral("0"));
        QVERIFY(!program->frmStats().isEnabled());
        QVERIFY(test::nextButton(program->frmStats())->isHidden());
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
        ui::FrmPexaro& board = program->frmPexaro();
        ui::FrmBoardSize& dialog = program->frmBoardSize();
        test::clickCard(*program, 0);
        test::clickCard(*program, test::nonPartnerOf(program->game(), 0));
        QCOMPARE(test::caption(program->frmStats(), "lblTurns"), QStringLiteral("1"));

        if (byShortcut)
            QTest::keyClick(&board, Qt::Key_N, Qt::ControlModifier);
        else
            test::menuItem(board, "mnuNewGame")->trigger();
        QVERIFY(dialog.isVisible());
        QVERIFY(!board.isVisible());
        QVERIFY(!program->frmStats().isVisible());
        QVERIFY(test::sizeOption(dialog, 1)->isChecked());
        QVERIFY(test::startButton(dialog)->isEnabled());
        QCOMPARE(test::caption(program->frmStats(), "lblTurns"), QStringLiteral("0"));
        QCOMPARE(test::caption(program->frmStats(), "lblMatches"), QStringLiteral("0"));

        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(test::boardHasTheFocus(*program));
        QCOMPARE(program->game().state().gCards, 4);
        QCOMPARE(test::visibleBacks(board), test::positionsUpTo(16));
    }

    void theStartUpRunsTwiceOnTheFirstGameAndOnceOnEachLaterOne()
    {
        QVERIFY(test::openAndStart(*program, 2));
        ui::FrmPexaro& board = program->frmPexaro();
        QCOMPARE(board.formLoadRuns(), 2);
        for (int game = 2; game <= 4; ++game) {
            test::menuItem(board, "mnuNewGame")->trigger();
            QCOMPARE(board.formLoadRuns(), game);
            test::chooseAndStart(*program, 2 * game);
            QCOMPARE(board.formLoadRuns(), game + 1);
            QVERIFY(test::boardHasTheFocus(*program));
        }
    }

private:
    std::unique_ptr<ui::Program> program;
};

QTEST_MAIN(HandOver)
#include "test_handover.moc"
