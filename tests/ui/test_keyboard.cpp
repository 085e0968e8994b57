// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"

#include <QImage>

using namespace pexaro;

namespace {

using Player = test::KeyboardPlayer;

QImage boardImage(ui::BoardWindow& board)
{
    return board.centralWidget()->grab().toImage();
}

// The board as it would look if the cursor did not exist.
QImage boardImageWithoutCursor(ui::BoardWindow& board)
{
    QWidget* cursor = board.findChild<QWidget*>(QStringLiteral("cardCursor"));
    const bool shown = cursor->isVisible();
    cursor->hide();
    const QImage image = boardImage(board);
    cursor->setVisible(shown);
    return image;
}

} // namespace

class Keyboard : public test::ProgramTest {
    Q_OBJECT

private slots:
    // A player without a mouse must be able to play a whole game.
    void aWholeGameIsPlayedWithArrowsSpaceAndEnterAlone()
    {
        test::MessageBoxCloser closer;
        program->start();
        ui::SizeDialog& dialog = program->sizeDialog();
        QTRY_COMPARE(QApplication::activeWindow(), &dialog);
        Player::press(Qt::Key_Right); // from the size 2 to 4
        Player::press(Qt::Key_Space);
        QVERIFY(test::sizeOption(dialog, test::optionFor(4))->isChecked());
        Player::press(Qt::Key_Return);
        QVERIFY(test::boardHasTheFocus(*program));

        const Game& game = program->game();
        Player player;
        Player::press(Qt::Key_Up); // both stop at the edge
        Player::press(Qt::Key_Left);
        auto turnAt = [&player](int position) { player.turn(position); };
        auto counters = [this] {
            ui::ScorePanel& panel = program->scorePanel();
            return test::caption(panel, "lblTurns") + QLatin1Char('/')
                + test::caption(panel, "lblMatches");
        };

        int turns = 0;
        int matches = 0;
        while (!game.isWon()) {
            const int first = test::firstFaceDown(game);
            const int miss = test::nonPartnerOf(game, first);
            if (miss >= 0 && matches % 2 == 0) {
                turnAt(first);
                QCOMPARE(game.cardState(first), CardState::FaceUp);
                turnAt(miss);
                ++turns;
                QCOMPARE(counters(), QStringLiteral("%1/%2").arg(turns).arg(matches));
                // Refused while the pair waits for Next Turn, like a click.
                turnAt(test::firstFaceDown(game));
                QCOMPARE(game.pickState(), PickState::PairPending);
                Player::press(Qt::Key_Return);
                QVERIFY(test::waitForReady(*program));
                QCOMPARE(game.cardState(miss), CardState::FaceDown);
            }
            turnAt(first);
            turnAt(test::partnerOf(game, first));
            ++turns;
            ++matches;
            QCOMPARE(counters(), QStringLiteral("%1/%2").arg(turns).arg(matches));
            if (game.isWon())
                break;
            Player::press(Qt::Key_Return);
            QVERIFY(test::waitForReady(*program));
            QCOMPARE(game.cardState(first), CardState::Removed);
        }
        QCOMPARE(matches, 8);
        QCOMPARE(test::status(*program), test::shown::win);
        QCOMPARE(closer.seen().size(), 1u);
        QCOMPARE(closer.seen().front().text, QString::fromStdString(test::expected::winBox(turns)));
    }

    // Nothing of the cursor shows until the keyboard is used, and a click or
    // a new game puts it away again.
    void theCursorShowsOnlyOnceTheKeyboardIsUsed()
    {
        QVERIFY(test::openAndStart(*program, 4));
        ui::BoardWindow& board = program->boardWindow();
        QCOMPARE(boardImage(board), boardImageWithoutCursor(board));
        test::clickCard(*program, 5);
        QCOMPARE(boardImage(board), boardImageWithoutCursor(board));

        Player::press(Qt::Key_Down);
        QVERIFY(boardImage(board) != boardImageWithoutCursor(board));
        test::clickCard(*program, 9);
        QCOMPARE(boardImage(board), boardImageWithoutCursor(board));

        Player::press(Qt::Key_Right);
        test::menuItem(board, "mnuNewGame")->trigger();
        test::chooseAndStart(*program, 4);
        QVERIFY(test::boardHasTheFocus(*program));
        QCOMPARE(boardImage(board), boardImageWithoutCursor(board));
    }
};

QTEST_MAIN(Keyboard)
#include "test_keyboard.moc"
