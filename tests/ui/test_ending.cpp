// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWindow>

#include <memory>
#include <optional>
#include <tuple>

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

// A desktop of the test's own: an X server on whatever display number is
// free, with openbox set, as a window manager that prevents focus stealing
// is, to activate no window unless the program asks; and the X tools that
// show it as a player sees it.
class Desktop {
public:
    ~Desktop()
    {
        for (QProcess* process : {&windowManager_, &server_}) {
            process->kill();
            process->waitForFinished(3000);
        }
    }

    // Empty when the tools are all there.
    static QString missingTools()
    {
        for (const char* tool : {"Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "xwd"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                return QLatin1String(tool);
        return {};
    }

    bool start()
    {
        server_.start(QStringLiteral("Xvfb"),
            QProcess::splitCommand(u"-displayfd 1 -screen 0 1024x768x24 -nolisten tcp"));
        // The server writes its display number once it accepts clients.
        while (!server_.canReadLine())
            if (!server_.waitForReadyRead(10000))
                return false;
        display_ = QLatin1Char(':') + QString::fromLatin1(server_.readLine().trimmed());
        QFile config(directory_.filePath(QStringLiteral("rc.xml")));
        if (!config.open(QIODevice::WriteOnly)
            || config.write("<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><focus>"
                            "<focusNew>no</focusNew></focus></openbox_config>\n")
                < 0)
            return false;
        config.close();
        windowManager_.setProcessEnvironment(environment());
        // Beside other tests' servers coming and going, openbox sometimes
        // fails to open the display as it starts: it starts again until the
        // screen is managed.
        return QTest::qWaitFor(
            [&] {
                if (windowManager_.state() == QProcess::NotRunning)
                    windowManager_.start(QStringLiteral("openbox"),
                        {QStringLiteral("--config-file"), config.fileName()});
                return text(QStringLiteral("xprop -root _NET_SUPPORTING_WM_CHECK"))
                    .contains(QLatin1String("window id"));
            },
            test::kPatienceMs);
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        return environment;
    }

    // Runs an X tool against the server ("xdotool getactivewindow"): its
    // output, or nothing if it failed.
    std::optional<QByteArray> run(const QString& command) const
    {
        QStringList arguments = QProcess::splitCommand(command);
        QProcess tool;
        tool.setProcessEnvironment(environment());
        tool.start(arguments.takeFirst(), arguments);
        if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit
            || tool.exitCode() != 0) {
            tool.kill();
            tool.waitForFinished(1000);
            return std::nullopt;
        }
        return tool.readAllStandardOutput();
    }

    QString text(const QString& command) const
    {
        return QString::fromLatin1(run(command).value_or(QByteArray()).trimmed());
    }

    // Waits for a window of that title to show; its id, or an empty string.
    QString windowShown(const QString& title) const
    {
        return text(
            QStringLiteral("xdotool search --sync --onlyvisible --name \"^%1$\"").arg(title))
            .section(QLatin1Char('\n'), 0, 0);
    }

    bool becomesActive(const QString& window) const
    {
        return QTest::qWaitFor(
            [&] { return text(QStringLiteral("xdotool getactivewindow")) == window; },
            test::kPatienceMs);
    }

    // Where a window lies, with the window manager's frame around it.
    QRect frame(const QString& window) const
    {
        const QString info = text(QStringLiteral("xwininfo -id ") + window);
        const auto field = [&](const char* name) {
            const QRegularExpression line(QLatin1String(name) + QStringLiteral(":\\s+(-?\\d+)"));
            return line.match(info).captured(1).toInt();
        };
        const QStringList extents
            = text(QStringLiteral("xprop -id %1 _NET_FRAME_EXTENTS").arg(window))
                  .section(QLatin1Char('='), 1)
                  .split(QLatin1Char(','));
        if (extents.size() != 4)
            return {};
        return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
            field("Height"))
            .adjusted(
                -extents[0].toInt(), -extents[2].toInt(), extents[1].toInt(), extents[3].toInt());
    }

private:
    QProcess server_;
    QProcess windowManager_;
    QTemporaryDir directory_;
    QString display_;
};

} // namespace

// Ending the program also leaves Qt's event loops refusing to run, so no test
// here waits on one after the program has ended.
class Ending : public test::ProgramTest {
    Q_OBJECT

    void setUpProgram() override
    {
        ended = std::make_unique<QSignalSpy>(program.get(), &ui::Program::ended);
    }
    void tearDownProgram() override
    {
        if (realGame && realGame->state() != QProcess::NotRunning) {
            realGame->kill();
            realGame->waitForFinished(3000);
        }
        realGame.reset();
        desktop.reset();
        ended.reset();
    }

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

    // What the offscreen platform cannot show: the window manager's frame
    // arrives after the board is shown and must be taken out of its size, and
    // a window is active only if the program asks for it. The real program
    // opens on its dialog alone, and Ctrl+X there alone ends it.
    void onARealDesktopTheBoardIsSizedDockedAndFocused()
    {
        if (const QString missing = Desktop::missingTools(); !missing.isEmpty())
            QSKIP(qPrintable(missing + QStringLiteral(" is needed to run the real program")));
        STEP(startTheRealProgram());
        const QString dialog = desktop->windowShown(QStringLiteral("Pexaro--Board Size Selection"));
        QVERIFY2(!dialog.isEmpty(), "the size dialog did not appear");
        QVERIFY(!desktop->run(QStringLiteral("xdotool search --onlyvisible --name ^Pexaro$")));
        QVERIFY(desktop->becomesActive(dialog));
        // The keys to each size from the option chosen before, and the size.
        for (const auto& [toTheSize, side, outer] : {std::tuple("Right", 4, QSize(246, 281)),
                 std::tuple("Right Right", 8, QSize(472, 509))}) {
            QVERIFY(desktop->run(QStringLiteral("xdotool key %1 space Return").arg(toTheSize)));
            const QString board = desktop->windowShown(QStringLiteral("Pexaro"));
            QVERIFY2(desktop->becomesActive(board),
                qPrintable(QStringLiteral("%1x%1; active: ").arg(side)
                    + desktop->text(QStringLiteral("xdotool getactivewindow getwindowname"))));
            const QString panel = desktop->windowShown(QStringLiteral("Game Statistics"));
            const auto docked = [&] {
                const QRect frame = desktop->frame(board);
                return frame.size() == outer
                    && desktop->frame(panel).topLeft() == QPoint(frame.right() + 2, frame.top());
            };
            QVERIFY2(QTest::qWaitFor(docked, test::kPatienceMs),
                qPrintable(QStringLiteral("%1x%1: board %2, panel %3")
                               .arg(side)
                               .arg(QDebug::toString(desktop->frame(board)),
                                   QDebug::toString(desktop->frame(panel)))));
            // Each key reaches the board: Space turns the first card, Right
            // moves the cursor, Space turns the next, ENTER gives Next Turn.
            for (const char* key : {"space", "Right", "space", "Return"}) {
                const auto image
                    = [&] { return desktop->run(QStringLiteral("xwd -silent -id ") + board); };
                const auto before = image();
                QVERIFY(desktop->run(QStringLiteral("xdotool key ") + QLatin1String(key)));
                QVERIFY2(
                    QTest::qWaitFor([&] { return image() != before; }, test::kPatienceMs), key);
            }
            QVERIFY(desktop->run(QStringLiteral("xdotool key ctrl+n")));
            QVERIFY2(desktop->becomesActive(dialog), "after New Game");
        }

        QVERIFY(desktop->run(QStringLiteral("xdotool key --delay 30 x alt+x ctrl+shift+x")));
        QVERIFY2(!realGame->waitForFinished(300), "a key other than Ctrl+X ended the program");
        QVERIFY(desktop->run(QStringLiteral("xdotool key ctrl+x")));
        QVERIFY2(realGame->waitForFinished(5000), "Ctrl+X did not end the program");
        QCOMPARE(realGame->exitStatus(), QProcess::NormalExit);
        QCOMPARE(realGame->exitCode(), 0);
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

    // The game on a desktop of its own, killed at the test's end if it runs.
    void startTheRealProgram()
    {
        desktop = std::make_unique<Desktop>();
        QVERIFY2(desktop->start(), "the X server or the window manager did not start");
        realGame = std::make_unique<QProcess>();
        realGame->setProcessEnvironment(desktop->environment());
        realGame->setProgram(QStringLiteral(PEXARO_BINARY));
        realGame->start();
        QVERIFY(realGame->waitForStarted(5000));
    }

    std::unique_ptr<QSignalSpy> ended;
    std::unique_ptr<Desktop> desktop;
    std::unique_ptr<QProcess> realGame;
};

QTEST_MAIN(Ending)
#include "test_ending.moc"
