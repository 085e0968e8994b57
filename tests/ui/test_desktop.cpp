// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program on desktops of its own, as players run it: what the
// offscreen platform cannot show.

#include "Desktop.h"

#include <QProcess>
#include <QTest>

#include <memory>
#include <optional>
#include <utility>

using namespace pexaro;

class RealDesktop : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        if (realGame && realGame->state() != QProcess::NotRunning) {
            realGame->kill();
            realGame->waitForFinished(3000);
        }
        realGame.reset();
        desktop.reset();
    }

    void onARealDesktopTheBoardIsSizedDockedFocusedAndKeptInPlace_data()
    {
        QTest::addColumn<QString>("windowManager");
        for (const char* name : {"openbox", "mutter", "kwin"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    // What the offscreen platform cannot show: the window manager's frame
    // arrives after the board is shown and must be taken out of its size, and
    // a window is active only if the program asks for it. The real program
    // opens on its dialog alone, and Ctrl+X there alone ends it.
    // Fault: under mutter every New Game put the board a title bar higher,
    // as the hidden window's place was taken for its frame's.
    // Fault: under mutter (and so GNOME) a click on the disabled panel often
    // left it active, as the board asked for the focus back at a time older
    // than the click's.
    void onARealDesktopTheBoardIsSizedDockedFocusedAndKeptInPlace()
    {
        QFETCH(QString, windowManager);
        if (const QString missing = test::Desktop::missingTools(windowManager); !missing.isEmpty())
            QFAIL(qPrintable(missing + QStringLiteral(" is needed (./scripts/test installs it)")));
        STEP(startTheRealProgram(windowManager));
        dialog = desktop->windowShown(
            QStringLiteral("Pexaro--Board Size Selection"), realGame->processId());
        QVERIFY2(!dialog.isEmpty(), "the size dialog did not appear");
        QVERIFY(!desktop->run(
            QStringLiteral("xdotool search --all --onlyvisible --pid %1 --name ^Pexaro$")
                .arg(realGame->processId())));
        QVERIFY(desktop->becomesActive(dialog));
        // The keys to each size from the option chosen before, and the size.
        for (const auto& [toTheSize, outer] :
            {std::pair("Right", kFourByFour), std::pair("Right Right", kEightByEight)}) {
            QVERIFY(desktop->run(QStringLiteral("xdotool key %1 space Return").arg(toTheSize)));
            STEP(boardShownAndDocked(outer));
            if (outer.outer == kFourByFour.outer)
                STEP(panelClicksLeaveTheBoardActive());
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
            STEP(newGame());
        }

        // The board stays where it was, as first placed and where the player put it.
        for (const bool moved : {false, true}) {
            QVERIFY(desktop->run(QStringLiteral("xdotool key Return")));
            STEP(boardShownAndDocked(kEightByEight));
            if (moved) {
                const QPoint before = desktop->frame(board).topLeft();
                QVERIFY(desktop->run(QStringLiteral("xdotool windowmove %1 100 150").arg(board)));
                QVERIFY(QTest::qWaitFor(
                    [&] { return desktop->frame(board).topLeft() != before; }, test::kPatienceMs));
                STEP(boardShownAndDocked(kEightByEight));
            }
            const QPoint place = desktop->frame(board).topLeft();
            for (int round = 1; round <= 3; ++round) {
                STEP(newGame());
                QVERIFY(desktop->run(QStringLiteral("xdotool key Return")));
                STEP(boardShownAndDocked(kEightByEight, place));
            }
            STEP(newGame());
        }

        QVERIFY(desktop->run(QStringLiteral("xdotool key --delay 30 x alt+x ctrl+shift+x")));
        QVERIFY2(!realGame->waitForFinished(300), "a key other than Ctrl+X ended the program");
        QVERIFY(desktop->run(QStringLiteral("xdotool key ctrl+x")));
        QVERIFY2(realGame->waitForFinished(5000), "Ctrl+X did not end the program");
        QCOMPARE(realGame->exitStatus(), QProcess::NormalExit);
        QCOMPARE(realGame->exitCode(), 0);
    }

private:
    // The game on a desktop of its own, killed at the test's end if it runs.
    void startTheRealProgram(const QString& windowManager)
    {
        desktop = std::make_unique<test::Desktop>(windowManager);
        const QString failure = desktop->start();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        realGame = std::make_unique<QProcess>();
        realGame->setProcessEnvironment(desktop->environment());
        realGame->setProgram(QStringLiteral(PEXARO_BINARY));
        realGame->start();
        QVERIFY(realGame->waitForStarted(5000));
    }

    // A board's outer size by the board formulas, and the least height of
    // the window's own area that shows the menu bar and every card whole.
    struct BoardSize {
        QSize outer;
        int leastHeight;
    };
    static constexpr BoardSize kFourByFour {{246, 281}, 19 + 233};
    static constexpr BoardSize kEightByEight {{472, 509}, 19 + 457};

    // After Start Game on the real program: the board window shows and is
    // active, at `place` if one is given, and the panel is docked beside it.
    // It has the formulas' outer size, unless the title bar is too tall for
    // them: then it is as tall as it must be to show every card whole.
    void boardShownAndDocked(BoardSize size, std::optional<QPoint> place = std::nullopt)
    {
        board = desktop->windowShown(QStringLiteral("Pexaro"), realGame->processId());
        QVERIFY2(desktop->becomesActive(board),
            qPrintable(QStringLiteral("active: ")
                + desktop->text(QStringLiteral("xdotool getactivewindow getwindowname"))));
        const QString panel
            = desktop->windowShown(QStringLiteral("Game Statistics"), realGame->processId());
        const auto docked = [&] {
            const QRect frame = desktop->frame(board);
            const int titleAndBorders = frame.height() - desktop->area(board).height();
            const QSize outer(size.outer.width(),
                std::max(size.outer.height(), titleAndBorders + size.leastHeight));
            return frame.size() == outer && frame.topLeft() == place.value_or(frame.topLeft())
                && desktop->frame(panel).topLeft() == QPoint(frame.right() + 2, frame.top());
        };
        QVERIFY2(QTest::qWaitFor(docked, test::kPatienceMs),
            qPrintable(QStringLiteral("board %1, panel %2, wanted at %3")
                           .arg(QDebug::toString(desktop->frame(board)),
                               QDebug::toString(desktop->frame(panel)),
                               place ? QDebug::toString(*place) : QStringLiteral("any place"))));
    }

    // The panel is disabled until the game's first pair is scored.
    void panelClicksLeaveTheBoardActive()
    {
        const QString panel
            = desktop->windowShown(QStringLiteral("Game Statistics"), realGame->processId());
        const QPoint place = desktop->area(panel).center();
        for (int click = 1; click <= 20; ++click) {
            QVERIFY(desktop->click(place));
            QVERIFY2(desktop->becomesActive(board),
                qPrintable(QStringLiteral("after click %1 on the disabled panel, active: %2")
                               .arg(click)
                               .arg(desktop->text(
                                   QStringLiteral("xdotool getactivewindow getwindowname")))));
        }
    }

    void newGame()
    {
        QVERIFY(desktop->run(QStringLiteral("xdotool key ctrl+n")));
        QVERIFY2(desktop->becomesActive(dialog), "after New Game");
    }

    std::unique_ptr<test::Desktop> desktop;
    QString dialog; // the real program's windows
    QString board;
    std::unique_ptr<QProcess> realGame;
};

QTEST_MAIN(RealDesktop)
#include "test_desktop.moc"
