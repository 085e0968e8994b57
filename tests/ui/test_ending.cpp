// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"

#include <QProcess>
#include <QSignalSpy>

#include <memory>

using namespace pexaro;

namespace {

void addOtherXKeys()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("X alone") << int(Qt::Key_X) << Qt::KeyboardModifiers();
    QTest::newRow("Shift+X") << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Alt+X") << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Ctrl+Shift+X") << int(Qt::Key_X)
                                  << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Alt+X") << int(Qt::Key_X)
                                << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier);
}

} // namespace

// Ending the program also leaves Qt's event loops refusing to run, so no test
// here waits on one after the program has ended.
class Ending : public test::ProgramTest {
    Q_OBJECT

    void setUpProgram() override
    {
        ended = std::make_unique<QSignalSpy>(program.get(), &ui::Program::ended);
    }
    void tearDownProgram() override { ended.reset(); }

private slots:
    void exitEndsTheProgramInAnyState_data()
    {
        QTest::addColumn<int>("cardsUp");
        QTest::newRow("ready") << 0;
        QTest::newRow("one card up") << 1;
        QTest::newRow("pair pending") << 2;
    }

    void exitEndsTheProgramInAnyState()
    {
        QFETCH(int, cardsUp);
        QVERIFY(test::openAndStart(*program, 4));
        turnUp(cardsUp);
        test::menuItem(program->boardWindow(), "mnuExit")->trigger();
        QVERIFY(endedWithEveryWindowGone());
    }

    void ctrlXInTheBoardEndsTheProgramWhileAPairIsPending()
    {
        QVERIFY(test::openAndStart(*program, 4));
        turnUp(2);
        QCOMPARE(program->game().pickState(), PickState::PairPending);
        QTest::keyClick(&program->boardWindow(), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(endedWithEveryWindowGone());
    }

    void otherXKeysInTheBoardDoNotEndTheProgram_data() { addOtherXKeys(); }

    void otherXKeysInTheBoardDoNotEndTheProgram()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QVERIFY(test::openAndStart(*program, 4));
        QTest::keyClick(&program->boardWindow(), static_cast<Qt::Key>(key), modifiers);
        QCOMPARE(ended->count(), 0);
        QVERIFY(program->boardWindow().isVisible());
    }

    void ctrlXInTheDialogEndsTheProgram_data()
    {
        QTest::addColumn<int>("stage");
        QTest::newRow("before a size is chosen") << 0;
        QTest::newRow("after a size is chosen") << 1;
        QTest::newRow("after New Game") << 2;
    }

    void ctrlXInTheDialogEndsTheProgram()
    {
        QFETCH(int, stage);
        program->start();
        ui::SizeDialog& dialog = program->sizeDialog();
        QWidget* target = &dialog;
        if (stage >= 1) {
            target = test::sizeOption(dialog, 1);
            QTest::mouseClick(target, Qt::LeftButton);
        }
        if (stage == 2) {
            QTest::mouseClick(test::startButton(dialog), Qt::LeftButton);
            QVERIFY(test::boardHasTheFocus(*program));
            QTest::keyClick(&program->boardWindow(), Qt::Key_N, Qt::ControlModifier);
            QVERIFY(dialog.isVisible());
        }
        QVERIFY(test::dialogIsActive(*program));
        QTest::keyClick(target, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(endedWithEveryWindowGone());
    }

    void otherXKeysInTheDialogDoNotEndTheProgram_data() { addOtherXKeys(); }

    void otherXKeysInTheDialogDoNotEndTheProgram()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        program->start();
        ui::SizeDialog& dialog = program->sizeDialog();
        QVERIFY(test::dialogIsActive(*program));
        QTest::keyClick(&dialog, static_cast<Qt::Key>(key), modifiers);
        QTest::mouseClick(test::sizeOption(dialog, 0), Qt::LeftButton);
        QTest::keyClick(test::sizeOption(dialog, 0), static_cast<Qt::Key>(key), modifiers);
        QCOMPARE(ended->count(), 0);
        QVERIFY(dialog.isVisible());
    }

    void ctrlXOnTheFocusedNextTurnButtonEndsTheProgram()
    {
        QPushButton* next = focusedNextTurnButton();
        QVERIFY(next);
        QTest::keyClick(next, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(endedWithEveryWindowGone());
    }

    void otherXKeysOnTheNextTurnButtonDoNotEndTheProgram_data() { addOtherXKeys(); }

    void otherXKeysOnTheNextTurnButtonDoNotEndTheProgram()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QPushButton* next = focusedNextTurnButton();
        QVERIFY(next);
        QTest::keyClick(next, static_cast<Qt::Key>(key), modifiers);
        QCOMPARE(ended->count(), 0);
        QCOMPARE(program->game().pickState(), PickState::PairPending);
        QVERIFY(next->isVisible());
    }

    // Fault: closing the dialog through the window system left the program
    // running with no window; it now ends the program.
    void closingTheDialogThroughTheWindowSystemEndsTheProgram()
    {
        program->start();
        QVERIFY(program->sizeDialog().windowHandle());
        program->sizeDialog().windowHandle()->close();
        QVERIFY(endedWithEveryWindowGone());
    }

    void closingTheBoardThroughTheWindowSystemEndsTheProgram_data()
    {
        exitEndsTheProgramInAnyState_data();
    }

    // Fault: closing the board window left the panel and a hidden dialog behind.
    void closingTheBoardThroughTheWindowSystemEndsTheProgram()
    {
        QFETCH(int, cardsUp);
        QVERIFY(test::openAndStart(*program, 2));
        turnUp(cardsUp);
        program->boardWindow().windowHandle()->close();
        QVERIFY(endedWithEveryWindowGone());
    }

    // Over SSH or on a text console Qt's own words advised reinstalling.
    void withNoDisplayTheGameSaysSoInOneLineAndFails()
    {
        QProcess game;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        game.setProcessEnvironment(environment);
        game.start(QStringLiteral(PEXARO_BINARY));
        QVERIFY(game.waitForFinished(10000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QVERIFY(game.exitCode() != 0);
        const QList<QByteArray> lines = game.readAllStandardError().trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith("pexaro: no display") && lines[0].contains("DISPLAY"),
            lines[0].constData());
    }

private:
    // Turns up the first `count` cards of a turn, the second one a miss.
    void turnUp(int count)
    {
        if (count >= 1)
            test::clickCard(*program, 0);
        if (count >= 2)
            test::clickCard(*program, test::nonPartnerOf(program->game(), 0));
    }

    QPushButton* focusedNextTurnButton()
    {
        if (!test::openAndStart(*program, 4))
            return nullptr;
        turnUp(2);
        ui::ScorePanel& panel = program->scorePanel();
        QPushButton* next = test::nextButton(panel);
        panel.activateWindow();
        if (!QTest::qWaitFor([&] { return next->hasFocus(); }))
            return nullptr;
        return next;
    }

    bool endedWithEveryWindowGone()
    {
        return ended->count() == 1 && !program->sizeDialog().isVisible()
            && !(program->hasBoardWindow() && program->boardWindow().isVisible())
            && !(program->hasScorePanel() && program->scorePanel().isVisible());
    }

    std::unique_ptr<QSignalSpy> ended;
};

QTEST_MAIN(Ending)
#include "test_ending.moc"
