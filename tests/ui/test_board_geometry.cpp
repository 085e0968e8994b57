// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"
#include "board/BoardView.h"

#include <QMenuBar>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

using namespace pexaro;

namespace {

// Card places in pixels: a pitch of 56 from an origin of 8; backs 57 x 57, faces 59 x 57.
constexpr int kOrigin = 8;
constexpr int kPitch = 56;
const QSize kBack(57, 57);
const QSize kFace(59, 57);

QPoint cell(int column, int row)
{
    return {kOrigin + kPitch * column, kOrigin + kPitch * row};
}

// From the board area's corner to the far edges of the card block of side n, faces included.
QSize blockExtent(int side)
{
    const QPoint last = cell(side - 1, side - 1);
    return {last.x() + kFace.width(), last.y() + kBack.height()};
}

bool cardsInsideBoardArea(ui::BoardWindow& board)
{
    const QRect area = board.centralWidget()->rect();
    for (QWidget* image : board.centralWidget()->findChildren<QWidget*>())
        if (image->isVisible() && !area.contains(image->geometry()))
            return false;
    return true;
}

} // namespace

class BoardGeometry : public test::ProgramTest {
    Q_OBJECT

private slots:
    void theVisibleBacksCoverExactlyTheTopLeftSquare_data()
    {
        QTest::addColumn<int>("side");
        QTest::newRow("2x2") << 2;
        QTest::newRow("4x4") << 4;
        QTest::newRow("6x6") << 6;
        QTest::newRow("8x8") << 8;
    }

    void theVisibleBacksCoverExactlyTheTopLeftSquare()
    {
        QFETCH(int, side);
        QVERIFY(test::openAndStart(*program, side));
        ui::BoardWindow& board = program->boardWindow();

        QCOMPARE(test::visibleBacks(board), test::positionsUpTo(side * side));
        std::set<std::pair<int, int>> covered;
        for (int p : test::visibleBacks(board)) {
            const QRect back = test::card(board, p)->geometry();
            QCOMPARE(back.size(), kBack);
            covered.insert({back.x(), back.y()});
        }
        std::set<std::pair<int, int>> square;
        for (int row = 0; row < side; ++row)
            for (int column = 0; column < side; ++column)
                square.insert({cell(column, row).x(), cell(column, row).y()});
        QCOMPARE(covered, square);
    }

    void eachSquareGrowsTheNextSmallerOne_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("0") << 0 << cell(0, 0);
        QTest::newRow("1") << 1 << cell(1, 0);
        QTest::newRow("2") << 2 << cell(0, 1);
        QTest::newRow("3") << 3 << cell(1, 1);
        QTest::newRow("4") << 4 << cell(2, 0);
        QTest::newRow("5") << 5 << cell(3, 0);
        QTest::newRow("6") << 6 << cell(2, 1);
        QTest::newRow("7") << 7 << cell(3, 1);
        QTest::newRow("8") << 8 << cell(0, 2);
        QTest::newRow("11") << 11 << cell(3, 2);
        QTest::newRow("12") << 12 << cell(0, 3);
        QTest::newRow("15") << 15 << cell(3, 3);
        QTest::newRow("35") << 35 << cell(5, 5);
        QTest::newRow("63") << 63 << cell(7, 7);
    }

    void eachSquareGrowsTheNextSmallerOne()
    {
        QFETCH(int, position);
        QFETCH(QPoint, place);
        QVERIFY(test::openAndStart(*program, 8));
        QCOMPARE(test::card(program->boardWindow(), position)->pos(), place);
    }

    void everyFaceLiesOnTheBackWhereItsValueWasDealt_data()
    {
        theVisibleBacksCoverExactlyTheTopLeftSquare_data();
    }

    void everyFaceLiesOnTheBackWhereItsValueWasDealt()
    {
        QFETCH(int, side);
        QVERIFY(test::openAndStart(*program, side));
        ui::BoardWindow& board = program->boardWindow();
        QVERIFY(test::visibleFaces(board).empty());
        for (int p = 0; p < side * side; ++p) {
            const int value = program->game().state().cardValue[p];
            QCOMPARE(
                test::face(board, value)->geometry(), QRect(test::card(board, p)->pos(), kFace));
        }
        // A turned card shows its own face on its own place.
        test::clickCard(*program, side * side - 1);
        const int value = program->game().state().cardValue[side * side - 1];
        QCOMPARE(test::visibleFaces(board), std::set<int>({value}));
        QCOMPARE(test::face(board, value)->pos(), test::card(board, side * side - 1)->pos());
    }

    void theBoardWindowTakesTheOuterSizeOfTheFormulas_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QSize>("outer");
        QTest::newRow("2x2") << 2 << QSize(133, 167);
        QTest::newRow("4x4") << 4 << QSize(246, 281);
        QTest::newRow("6x6") << 6 << QSize(359, 395);
        QTest::newRow("8x8") << 8 << QSize(472, 509);
    }

    // Larger than the formulas only where the cards would be clipped, or
    // where Next Turn would leave the menu bar, which does not wrap: it hid
    // Next Turn behind an overflow arrow on a 2 x 2 board.
    void theBoardWindowTakesTheOuterSizeOfTheFormulas()
    {
        QFETCH(int, side);
        QFETCH(QSize, outer);
        QVERIFY(test::openAndStart(*program, side));
        ui::BoardWindow& board = program->boardWindow();
        const QSize sizeAtStart = board.frameGeometry().size();

        test::clickCard(*program, 0);
        test::clickCard(*program, 1);
        QAction* next = test::menuItem(board, "mnuNext");
        QVERIFY(next->isVisible());
        QMenuBar* bar = board.menuBar();
        QVERIFY(bar->rect().contains(bar->actionGeometry(next)));
        QCOMPARE(board.frameGeometry().size(), sizeAtStart);
        const QSize frame = board.frameGeometry().size() - board.geometry().size();
        const QSize needed = blockExtent(side).expandedTo({bar->sizeHint().width(), 0}) + frame
            + QSize(0, bar->height());
        QCOMPARE(sizeAtStart, outer.expandedTo(needed));
        QCOMPARE(ui::formulaOuterSize(side, kBack), outer);
    }

    void theBoardAndPanelAreCentredOrKeptAndStayOnTheScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("board");
        QTest::addColumn<QPoint>("kept"); // (-1000, -1000): the first game, none kept
        QTest::addColumn<QPoint>("placed");
        const QRect screen(0, 0, 1024, 768);
        const QSize eight(472, 509);
        const QPoint none(-1000, -1000);
        QTest::newRow("centred") << screen << eight << none << QPoint(139, 129);
        QTest::newRow("centred below a top bar")
            << QRect(0, 30, 1024, 738) << eight << none << QPoint(139, 144);
        QTest::newRow("kept") << screen << eight << QPoint(100, 150) << QPoint(100, 150);
        QTest::newRow("off the right") << screen << eight << QPoint(900, 100) << QPoint(278, 100);
        QTest::newRow("off the top left") << screen << eight << QPoint(-50, -20) << QPoint(0, 0);
        // Fault: kept on the screen by its own height, a 2 x 2 board moved low
        // after a larger game left the taller panel hanging off the bottom.
        QTest::newRow("the panel taller than the board, at the bottom")
            << screen << QSize(133, 167) << QPoint(300, 700) << QPoint(300, 487);
    }

    void theBoardAndPanelAreCentredOrKeptAndStayOnTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, board);
        QFETCH(QPoint, kept);
        QFETCH(QPoint, placed);
        const QSize panel(273, 281);
        const auto place = kept == QPoint(-1000, -1000) ? std::nullopt : std::optional(kept);
        QCOMPARE(ui::boardPlace(available, board, panel, place), placed);
    }

    void theCardsAreNeverClipped_data() { theVisibleBacksCoverExactlyTheTopLeftSquare_data(); }

    void theCardsAreNeverClipped()
    {
        QFETCH(int, side);
        QVERIFY(test::openAndStart(*program, side));
        ui::BoardWindow& board = program->boardWindow();
        QVERIFY(cardsInsideBoardArea(board));
        QVERIFY(board.centralWidget()->rect().contains(QRect(QPoint(0, 0), blockExtent(side))));

        // The last card and its neighbour up, with Next Turn on the menu bar.
        const int last = side * side - 1;
        test::clickCard(*program, last);
        test::clickCard(*program, last - 1);
        QVERIFY(test::menuItem(board, "mnuNext")->isVisible());
        QCOMPARE(test::visibleFaces(board).size(), 2u);
        QVERIFY(cardsInsideBoardArea(board));
        QVERIFY(board.centralWidget()->rect().contains(QRect(QPoint(0, 0), blockExtent(side))));
    }

    void aSmallerBoardAfterALargerOneShowsOnlyItsOwnCards_data()
    {
        QTest::addColumn<int>("larger");
        QTest::addColumn<int>("smaller");
        QTest::newRow("8 then 2") << 8 << 2;
        QTest::newRow("8 then 6") << 8 << 6;
        QTest::newRow("6 then 4") << 6 << 4;
    }

    // ... and of the size that board had before.
    void aSmallerBoardAfterALargerOneShowsOnlyItsOwnCards()
    {
        QFETCH(int, larger);
        QFETCH(int, smaller);
        QVERIFY(test::openAndStart(*program, smaller));
        ui::BoardWindow& board = program->boardWindow();
        const QSize outer = board.frameGeometry().size();
        menuItemTrigger("mnuNewGame");
        test::chooseAndStart(*program, larger);
        QVERIFY(board.frameGeometry().size() != outer);
        // Leave a card of the large board face up.
        test::clickCard(*program, larger * larger - 1);
        QCOMPARE(test::visibleFaces(board).size(), 1u);

        menuItemTrigger("mnuNewGame");
        test::chooseAndStart(*program, smaller);
        QVERIFY(test::boardHasTheFocus(*program));
        QCOMPARE(test::visibleBacks(board), test::positionsUpTo(smaller * smaller));
        QVERIFY(test::visibleFaces(board).empty());
        QCOMPARE(board.frameGeometry().size(), outer);
        QVERIFY(cardsInsideBoardArea(board));
    }

    void theBoardAndPanelAreCentredTogetherForTheFirstGame_data()
    {
        theVisibleBacksCoverExactlyTheTopLeftSquare_data();
    }

    // Fault: each run of the start-up moved the board left by half the panel's
    // width, twice on the first game and again on every later one; the pair is
    // now centred on the screen for the first game instead.
    void theBoardAndPanelAreCentredTogetherForTheFirstGame()
    {
        QFETCH(int, side);
        QVERIFY(test::openAndStart(*program, side));
        const QRect pair = boardAndPanel();
        const QRect available = program->boardWindow().screen()->availableGeometry();
        QVERIFY(qAbs((pair.left() - available.left()) - (available.right() - pair.right())) <= 1);
        QVERIFY(qAbs((pair.top() - available.top()) - (available.bottom() - pair.bottom())) <= 1);
    }

    void laterGamesKeepThePlayersPosition()
    {
        QVERIFY(test::openAndStart(*program, 4));
        ui::BoardWindow& board = program->boardWindow();
        const QPoint chosen(40, 50);
        board.move(chosen);
        for (int side : {6, 2, 8, 4, 4}) {
            menuItemTrigger("mnuNewGame");
            test::chooseAndStart(*program, side);
            QVERIFY(test::boardHasTheFocus(*program));
            QCOMPARE(board.frameGeometry().topLeft(), chosen);
        }
    }

    void theBoardAndPanelStayOnTheScreen_data()
    {
        QTest::addColumn<QPoint>("boardAt");
        QTest::addColumn<int>("side");
        QTest::newRow("right edge, 8x8") << QPoint(700, 100) << 8;
        QTest::newRow("bottom right, 8x8") << QPoint(600, 750) << 8;
        QTest::newRow("off the left and top, 2x2") << QPoint(-300, -200) << 2;
        QTest::newRow("panel over the right edge, 2x2") << QPoint(600, 10) << 2;
    }

    void theBoardAndPanelStayOnTheScreen()
    {
        QFETCH(QPoint, boardAt);
        QFETCH(int, side);
        QVERIFY(test::openAndStart(*program, 4));
        ui::BoardWindow& board = program->boardWindow();
        board.move(boardAt);
        menuItemTrigger("mnuNewGame");
        test::chooseAndStart(*program, side);
        QVERIFY(test::boardHasTheFocus(*program));
        QVERIFY(board.screen()->availableGeometry().contains(boardAndPanel()));
        // Pulled in no further than needed.
        const QRect available = board.screen()->availableGeometry();
        const QRect pair = boardAndPanel();
        QVERIFY(pair.left() == available.left() || pair.right() == available.right()
            || pair.left() == boardAt.x());
        QVERIFY(pair.top() == available.top() || pair.bottom() == available.bottom()
            || pair.top() == boardAt.y());
    }

private:
    // The board's outer rectangle and the panel docked at its right, together.
    QRect boardAndPanel()
    {
        ui::BoardWindow& board = program->boardWindow();
        const QRect outer = board.frameGeometry();
        const QRect panel(
            QPoint(outer.right() + 2, outer.top()), program->scorePanel().frameGeometry().size());
        return outer.united(panel);
    }

    void menuItemTrigger(const char* name)
    {
        test::menuItem(program->boardWindow(), name)->trigger();
    }
};

QTEST_MAIN(BoardGeometry)
#include "test_board_geometry.moc"
