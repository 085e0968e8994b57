// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"

#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QWindow>

#include <memory>
#include <optional>

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

// An X server of its own for a test, on whatever display number is free.
class XServer {
public:
    ~XServer()
    {
        process_.terminate();
        if (!process_.waitForFinished(3000))
            process_.kill();
        process_.waitForFinished(1000);
    }

    bool start(const QString& xvfb)
    {
        process_.start(xvfb,
            {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp")});
        if (!process_.waitForStarted(5000))
            return false;
        // The server writes its display number once it accepts clients.
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(10000))
                return false;
        display_ = QLatin1Char(':') + QString::fromLatin1(process_.readLine().trimmed());
        return display_.size() > 1;
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return environment;
    }

private:
    QProcess process_;
    QString display_;
};

// Runs xdotool against the server; its output, or nothing if it failed.
std::optional<QString> xdotool(
    const QString& program, const QProcessEnvironment& environment, const QStringList& arguments)
{
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    if (!tool.waitForFinished(10000)) {
        tool.kill();
        tool.waitForFinished(1000);
        return std::nullopt;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return std::nullopt;
    return QString::fromLatin1(tool.readAllStandardOutput()).trimmed();
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

    void theRealProgramEndsOnCtrlXInItsDialogAlone()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (xvfb.isEmpty() || tool.isEmpty())
            QSKIP("Xvfb and xdotool are needed to type into the real program");
        XServer server;
        QVERIFY2(server.start(xvfb), "the X server did not start");
        const QProcessEnvironment environment = server.environment();

        QProcess game;
        game.setProcessEnvironment(environment);
        game.setProgram(QStringLiteral(PEXARO_BINARY));
        game.start();
        QVERIFY(game.waitForStarted(5000));
        const auto cleanup = qScopeGuard([&] {
            if (game.state() != QProcess::NotRunning) {
                game.kill();
                game.waitForFinished(3000);
            }
        });

        const auto dialog = xdotool(tool, environment,
            {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                QStringLiteral("--name"), QStringLiteral("^Pexaro--Board Size Selection$")});
        QVERIFY2(dialog && !dialog->isEmpty(), "the size dialog did not appear");
        const QString window = dialog->section(QLatin1Char('\n'), 0, 0);
        // The dialog is the only window at the start.
        QVERIFY(!xdotool(tool, environment,
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                QStringLiteral("^Pexaro$")}));
        QVERIFY(xdotool(
            tool, environment, {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}));

        QVERIFY(xdotool(tool, environment,
            {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30"),
                QStringLiteral("x"), QStringLiteral("alt+x"), QStringLiteral("ctrl+shift+x")}));
        QVERIFY2(!game.waitForFinished(300), "a key other than Ctrl+X ended the program");

        QVERIFY(xdotool(tool, environment, {QStringLiteral("key"), QStringLiteral("ctrl+x")}));
        QVERIFY2(game.waitForFinished(5000), "Ctrl+X did not end the program");
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 0);
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
