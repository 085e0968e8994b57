// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Game.h"
#include "PaintProbe.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <vector>

namespace pexaro::bench {

// Plays games through the windows, by name, as a player would: chooses the
// 8 x 8 board, starts, turns pairs over, gives Next Turn and New Game; and
// prints one line per timed step:
//   first <ms>   Start Game to all 64 backs painted, first game of the run
//   later <ms>   the same for a game after New Game
//   click <ms> <cold|warm>   card click to its face painted; cold when its
//                picture had not been shown before in this run
class GameDriver {
public:
    explicit GameDriver(PaintProbe& probe)
        : probe_(probe)
    {
    }

    // The probe must already be expecting the dialog's first paint.
    bool run(int games, int turnsPerGame)
    {
        if (!probe_.wait())
            return fail("the board size dialog was never painted");
        settle();
        for (int game = 0; game < games; ++game) {
            if (!playOne(game == 0 ? "first" : "later", turnsPerGame))
                return false;
        }
        return true;
    }

private:
    static QWidget* window(const char* name)
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String(name))
                return top;
        return nullptr;
    }

    static QString element(const char* array, int index)
    {
        return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
    }

    QWidget* back(int position) const
    {
        return board_->findChild<QWidget*>(element("imgCard", position));
    }

    // Lets the window manager's answers to the last step arrive before the
    // next step is timed.
    static void settle() { QTest::qWait(40); }

    static bool fail(const char* why)
    {
        std::fprintf(stderr, "bench: %s\n", why);
        return false;
    }

    bool playOne(const char* label, int turns)
    {
        QWidget* dialog = window("frmBoardSize");
        if (!dialog)
            return fail("no board size dialog");
        auto* largest = dialog->findChild<QRadioButton*>(QStringLiteral("optBoardSize(3)"));
        auto* start = dialog->findChild<QPushButton*>(QStringLiteral("cmdStart"));
        if (!largest || !start)
            return fail("the dialog lacks optBoardSize(3) or cmdStart");
        QTest::mouseClick(largest, Qt::LeftButton);

        QStringList backs;
        for (int i = 0; i < 64; ++i)
            backs << element("imgCard", i);
        probe_.expect(backs);
        const std::int64_t clickedNs = monotonicNs();
        QTest::mouseClick(start, Qt::LeftButton);
        const std::int64_t paintedNs = probe_.wait();
        if (!paintedNs)
            return fail("the 64 backs were never all painted");
        std::printf("%s %.3f\n", label, millisecondsBetween(clickedNs, paintedNs));
        board_ = window("frmPexaro");
        if (!board_)
            return fail("no board window");
        readDeal();
        settle();

        for (int turn = 0; turn < turns; ++turn) {
            // A matching pair every other turn, so that some cards leave the board.
            const int first = faceDownAfter(-1, -1);
            if (first < 0)
                return fail("no face-down cards left");
            int second = turn % 2 == 0 ? partnerOf(first) : -1;
            if (second < 0 || !back(second)->isVisible())
                second = faceDownAfter(first, partnerOf(first));
            if (second < 0)
                return fail("no second face-down card left");
            if (!timeClick(first) || !timeClick(second))
                return false;
            QTest::keyClick(board_, Qt::Key_Return);
            QWidget* face1 = board_->findChild<QWidget*>(element("imgFlip", faceOn_.at(first)));
            QWidget* face2 = board_->findChild<QWidget*>(element("imgFlip", faceOn_.at(second)));
            if (!QTest::qWaitFor([&] { return !face1->isVisible() && !face2->isVisible(); }))
                return fail("Next Turn never turned the pair");
            settle();
        }

        auto* newGame = board_->findChild<QAction*>(QStringLiteral("mnuNewGame"));
        if (!newGame)
            return fail("no mnuNewGame");
        probe_.expect({QStringLiteral("frmBoardSize")});
        newGame->trigger();
        if (!probe_.wait())
            return fail("New Game never painted the dialog");
        settle();
        return true;
    }

    // Which face lies on which back: each face is placed where its back is.
    void readDeal()
    {
        faceOn_.assign(64, -1);
        for (int p = 0; p < 64; ++p)
            for (int v = 0; v < 64; ++v)
                if (board_->findChild<QWidget*>(element("imgFlip", v))->pos() == back(p)->pos())
                    faceOn_[p] = v;
    }

    // The position of the card that pairs with this one.
    int partnerOf(int position) const
    {
        const int partner = pexaro::pairPartner(faceOn_.at(position));
        for (int p = 0; p < 64; ++p)
            if (faceOn_[p] == partner)
                return p;
        return -1;
    }

    // The first face-down card, skipping two positions.
    int faceDownAfter(int skip1, int skip2) const
    {
        for (int p = 0; p < 64; ++p)
            if (p != skip1 && p != skip2 && back(p) && back(p)->isVisible())
                return p;
        return -1;
    }

    bool timeClick(int position)
    {
        const int face = faceOn_.at(position);
        const bool cold = !shownPictures_.contains(face % 32);
        shownPictures_.insert(face % 32);
        probe_.expect({element("imgFlip", face)});
        const std::int64_t clickedNs = monotonicNs();
        QTest::mouseClick(back(position), Qt::LeftButton);
        const std::int64_t paintedNs = probe_.wait();
        if (!paintedNs)
            return fail("a face was never painted");
        std::printf(
            "click %.3f %s\n", millisecondsBetween(clickedNs, paintedNs), cold ? "cold" : "warm");
        settle();
        return true;
    }

    PaintProbe& probe_;
    std::vector<int> faceOn_; // by board position
    QWidget* board_ = nullptr;
    QSet<int> shownPictures_;
};

} // namespace pexaro::bench
