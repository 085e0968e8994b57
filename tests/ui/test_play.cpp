// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"

#include <QImage>
#include <QMessageBox>
#include <QProxyStyle>

#include <optional>

using namespace pexaro;

namespace {

// The player's ways of giving Next Turn while a pair is pending.
enum class NextTurnBy {
    ButtonClick,
    AltNInBoard,
    AltNAfterALoneAlt,
    AltNInPanel,
    EnterOnButton,
    KeypadEnterOnButton,
    MenuItem,
    EnterInBoard,
    KeypadEnterInBoard
};

const NextTurnBy kKeyboardTriggers[] = {NextTurnBy::EnterInBoard, NextTurnBy::KeypadEnterInBoard};

const NextTurnBy kEveryTrigger[]
    = {NextTurnBy::ButtonClick, NextTurnBy::AltNInBoard, NextTurnBy::AltNInPanel,
        NextTurnBy::EnterOnButton, NextTurnBy::MenuItem, NextTurnBy::EnterInBoard};

QString winText(int turns)
{
    return QString::fromStdString(test::expected::winBox(turns));
}

// Desktops whose style puts icons on dialog buttons (as the xcb platform
// does without a desktop's own theme); message boxes must still show none.
class ButtonIconStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
        QStyleHintReturn* returned) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
    QIcon standardIcon(
        StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        if (icon == SP_DialogOkButton) {
            QPixmap tick(16, 16);
            tick.fill(Qt::darkGreen);
            return QIcon(tick);
        }
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

Q_DECLARE_METATYPE(NextTurnBy)

class Play : public test::ProgramTest {
    Q_OBJECT

    // After the program has chosen its style, as a desktop's own would act.
    void setUpProgram() override
    {
        QApplication::setStyle(new ButtonIconStyle);
        keyboard_.reset();
    }

private slots:
    void aWholeGameIsPlayedThroughTheWindows_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("expectedTurns");
        QTest::addColumn<bool>("byKeyboard");
        // A miss before every other match while a miss is still possible.
        QTest::newRow("2x2") << 2 << 3 << false;
        QTest::newRow("4x4") << 4 << 12 << false;
        // Arrow keys, Space and ENTER alone, from the size dialog on.
        QTest::newRow("4x4, keyboard") << 4 << 12 << true;
    }

    void aWholeGameIsPlayedThroughTheWindows()
    {
        QFETCH(int, side);
        QFETCH(int, expectedTurns);
        QFETCH(bool, byKeyboard);
        test::MessageBoxCloser closer;
        if (byKeyboard) {
            keyboard_.emplace();
            program->start();
            QTRY_COMPARE(QApplication::activeWindow(), &program->sizeDialog());
            for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Space, Qt::Key_Return}) // size 4
                test::KeyboardPlayer::press(key);
            QVERIFY(test::boardHasTheFocus(*program));
        } else {
            QVERIFY(test::openAndStart(*program, side));
        }
        const Game& game = program->game();
        const int pairs = side * side / 2;
        QCOMPARE(test::status(*program), test::shown::clickMessage);
        QCOMPARE(counters(), counterText(0, 0));

        int turns = 0;
        int matches = 0;
        int trigger = 0;
        const auto nextTurnBy = [&] {
            return byKeyboard ? kKeyboardTriggers[trigger++ % std::size(kKeyboardTriggers)]
                              : kEveryTrigger[trigger++ % std::size(kEveryTrigger)];
        };
        while (matches < pairs) {
            const int first = test::firstFaceDown(game);
            const int partner = test::partnerOf(game, first);
            const int miss = test::nonPartnerOf(game, first);
            if (miss >= 0 && matches % 2 == 0) {
                STEP(turnUp(first, miss));
                ++turns;
                QCOMPARE(test::status(*program), test::shown::noMatch);
                QCOMPARE(counters(), counterText(turns, matches));
                STEP(giveNextTurnAndCheck(nextTurnBy()));
                QCOMPARE(counters(), counterText(turns, matches));
                QVERIFY(test::waitForReady(*program));
                QCOMPARE(game.cardState(first), CardState::FaceDown);
                QCOMPARE(game.cardState(miss), CardState::FaceDown);
                QVERIFY(test::card(program->boardWindow(), miss)->isVisible());
            }
            STEP(turnUp(first, partner));
            ++turns;
            ++matches;
            QCOMPARE(counters(), counterText(turns, matches));
            if (matches == pairs)
                break;
            QCOMPARE(test::status(*program), test::shown::match);
            STEP(giveNextTurnAndCheck(nextTurnBy()));
            QVERIFY(test::waitForReady(*program));
            QCOMPARE(game.cardState(first), CardState::Removed);
            QCOMPARE(game.cardState(partner), CardState::Removed);
            QVERIFY(!test::card(program->boardWindow(), partner)->isVisible());
        }
        QCOMPARE(turns, expectedTurns);
        QVERIFY(trigger >= std::min<int>(std::size(kEveryTrigger), expectedTurns - 1));

        QCOMPARE(test::status(*program), test::shown::win);
        QVERIFY(nextTurnHidden());
        QCOMPARE(closer.seen().size(), 1u);
        const auto& box = closer.seen().front();
        QCOMPARE(box.title, QString::fromStdString(test::expected::winTitle));
        QCOMPARE(box.text, winText(expectedTurns));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, 1);
        QVERIFY(!box.okButtonHasIcon);
    }

    // A player who changes their mind drags off the card before letting go.
    // Nothing of the card cursor shows until the keyboard is used, and a
    // click or a new game puts it away again.
    void theCardCursorShowsOnlyOnceTheKeyboardIsUsed()
    {
        QVERIFY(test::openAndStart(*program, 4));
        QCOMPARE(board(), boardWithoutCursor());
        test::clickCard(*program, 5);
        QCOMPARE(board(), boardWithoutCursor());
        test::KeyboardPlayer::press(Qt::Key_Down);
        QVERIFY(board() != boardWithoutCursor());
        QVERIFY(frameShowsOnTheDarkBack());
        test::clickCard(*program, 9);
        QCOMPARE(board(), boardWithoutCursor());

        test::KeyboardPlayer::press(Qt::Key_Right);
        test::menuItem(program->boardWindow(), "mnuNewGame")->trigger();
        test::chooseAndStart(*program, 4);
        QVERIFY(test::boardHasTheFocus(*program));
        QCOMPARE(board(), boardWithoutCursor());
    }

    // So does one who reaches for the context menu, or pastes with the wheel.
    // With NumLock off the number pad's arrows come with the keypad modifier.
    void theNumberPadsArrowsMoveTheCursorAsTheArrowsDo()
    {
        QVERIFY(test::openAndStart(*program, 4));
        ui::BoardWindow& board = program->boardWindow();
        QWidget* cursor = board.findChild<QWidget*>(QStringLiteral("cardCursor"));
        const auto press = [&](Qt::Key key) { QTest::keyClick(&board, key, Qt::KeypadModifier); };
        press(Qt::Key_Right);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(cursor->geometry(), test::card(board, gridPosition({1, 2}))->geometry());
        press(Qt::Key_Left);
        press(Qt::Key_Up);
        QCOMPARE(cursor->geometry(), test::card(board, gridPosition({0, 1}))->geometry());
        QVERIFY(cursor->isVisible());
    }

    void aPressReleasedOutsideTheCardTurnsNothing()
    {
        QVERIFY(test::openAndStart(*program, 4));
        QWidget* card = test::card(program->boardWindow(), 5);
        const GameState before = program->game().state();
        QTest::mousePress(card, Qt::LeftButton, {}, card->rect().center());
        QTest::mouseRelease(card, Qt::LeftButton, {}, card->rect().bottomRight() + QPoint(3, 3));
        QTest::mouseClick(card, Qt::RightButton);
        QTest::mouseClick(card, Qt::MiddleButton);
        QCOMPARE(program->game().state(), before);
        QCOMPARE(program->game().cardState(5), CardState::FaceDown);
        QTest::mouseClick(card, Qt::LeftButton); // a whole click still turns it
        QCOMPARE(program->game().cardState(5), CardState::FaceUp);
    }

    void eachNextTurnTriggerEndsAPendingTurn_data()
    {
        QTest::addColumn<NextTurnBy>("trigger");
        QTest::addColumn<bool>("matching");
        const std::pair<const char*, NextTurnBy> triggers[] = {
            {"button click", NextTurnBy::ButtonClick},
            {"Alt+N in the board", NextTurnBy::AltNInBoard},
            {"Alt+N after a lone Alt", NextTurnBy::AltNAfterALoneAlt},
            {"Alt+N in the panel", NextTurnBy::AltNInPanel},
            {"ENTER on the button", NextTurnBy::EnterOnButton},
            {"keypad ENTER on the button", NextTurnBy::KeypadEnterOnButton},
            {"menu-bar item", NextTurnBy::MenuItem},
            {"ENTER in the board", NextTurnBy::EnterInBoard},
            {"keypad ENTER in the board", NextTurnBy::KeypadEnterInBoard},
        };
        for (const auto& [name, trigger] : triggers) {
            QTest::addRow("%s, match", name) << trigger << true;
            QTest::addRow("%s, miss", name) << trigger << false;
        }
    }

    void eachNextTurnTriggerEndsAPendingTurn()
    {
        QFETCH(NextTurnBy, trigger);
        QFETCH(bool, matching);
        QVERIFY(test::openAndStart(*program, 4));
        const Game& game = program->game();
        const int first = 3;
        const int second
            = matching ? test::partnerOf(game, first) : test::nonPartnerOf(game, first);
        STEP(turnUp(first, second));
        const QString turnsAndMatches = counters();

        STEP(giveNextTurnAndCheck(trigger));
        QCOMPARE(counters(), turnsAndMatches);
        QVERIFY(test::waitForReady(*program));
        const CardState resolved = matching ? CardState::Removed : CardState::FaceDown;
        QCOMPARE(game.cardState(first), resolved);
        QCOMPARE(game.cardState(second), resolved);
        QVERIFY(test::visibleFaces(program->boardWindow()).empty());
        QCOMPARE(test::visibleBacks(program->boardWindow()).size(), matching ? 14u : 16u);
        QCOMPARE(test::status(*program), test::shown::clickMessage);
    }

    void aClickWhileAPairIsPendingChangesNothing()
    {
        QVERIFY(test::openAndStart(*program, 4));
        const int first = 0;
        const int miss = test::nonPartnerOf(program->game(), first);
        STEP(turnUp(first, miss));
        const GameState before = program->game().state();
        const auto backs = test::visibleBacks(program->boardWindow());
        test::clickCard(*program, test::partnerOf(program->game(), first));
        QVERIFY(program->game().state() == before);
        QCOMPARE(test::visibleBacks(program->boardWindow()), backs);
        QCOMPARE(test::visibleFaces(program->boardWindow()).size(), 2u);
        QCOMPARE(test::status(*program), test::shown::noMatch);
        QCOMPARE(counters(), counterText(1, 0));
        QVERIFY(!nextTurnHidden());
    }

    void enterWhileOneCardIsUpChangesNothing()
    {
        QVERIFY(test::openAndStart(*program, 2));
        test::clickCard(*program, 1);
        QTest::keyClick(&program->boardWindow(), Qt::Key_Return);
        QCOMPARE(program->game().pickState(), PickState::OneUp);
        QCOMPARE(program->game().cardState(1), CardState::FaceUp);
        QCOMPARE(test::status(*program), test::shown::secondCard);
        QTest::qWait(5);
        QCOMPARE(program->game().cardState(1), CardState::FaceUp);
    }

    void afterTheWinEnterAndNextTurnChangeNothing()
    {
        test::MessageBoxCloser closer;
        QVERIFY(test::openAndStart(*program, 2));
        const int lastFirst = winTwoByTwo();
        QVERIFY(lastFirst >= 0 && program->game().isWon());
        QCOMPARE(closer.seen().size(), 1u);
        QVERIFY(focusBackFromTheBox());

        QTest::keyClick(&program->boardWindow(), Qt::Key_Return);
        QTest::keyClick(&program->boardWindow(), Qt::Key_N, Qt::AltModifier);
        test::menuItem(program->boardWindow(), "mnuNext")->trigger();
        QTest::qWait(5);
        QCOMPARE(program->game().pickState(), PickState::Won);
        QCOMPARE(test::status(*program), test::shown::win);
        QCOMPARE(program->game().cardState(lastFirst), CardState::FaceUp);
        QCOMPARE(test::visibleFaces(program->boardWindow()).size(), 2u);
        QCOMPARE(closer.seen().size(), 1u);
    }

    // Fault: a new game kept the last game's status (the win text) and a stale
    // Next Turn button; every game now opens on the click prompt without it.
    void aNewGameAfterAWinOpensOnTheClickPrompt()
    {
        test::MessageBoxCloser closer;
        QVERIFY(test::openAndStart(*program, 2));
        QVERIFY(winTwoByTwo() >= 0 && program->game().isWon());
        QCOMPARE(test::status(*program), test::shown::win);
        QVERIFY(focusBackFromTheBox());
        QTest::keyClick(&program->boardWindow(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(program->sizeDialog().isVisible());
        QVERIFY(test::dialogIsActive(*program));
        QTest::keyClick(&program->sizeDialog(), Qt::Key_Return);
        QVERIFY(test::boardHasTheFocus(*program));

        QCOMPARE(test::status(*program), test::shown::clickMessage);
        QVERIFY(nextTurnHidden());
        QCOMPARE(counters(), counterText(0, 0));
        QCOMPARE(program->game().pickState(), PickState::Ready);
    }

    // Fault: New Game during a pending pair left Next Turn showing in the next game.
    void aNewGameDuringAPendingPairOpensWithoutNextTurn()
    {
        QVERIFY(test::openAndStart(*program, 4));
        STEP(turnUp(0, test::nonPartnerOf(program->game(), 0)));
        QVERIFY(!nextTurnHidden());
        test::menuItem(program->boardWindow(), "mnuNewGame")->trigger();
        QCOMPARE(counters(), counterText(0, 0));
        test::chooseAndStart(*program, 2);
        QVERIFY(test::boardHasTheFocus(*program));

        QCOMPARE(test::status(*program), test::shown::clickMessage);
        QVERIFY(nextTurnHidden());
        QCOMPARE(program->game().pickState(), PickState::Ready);
        QCOMPARE(test::visibleBacks(program->boardWindow()), test::positionsUpTo(4));
    }

    void aClickJustAfterNextTurnResolvesThePairFirst_data()
    {
        QTest::addColumn<bool>("matching");
        QTest::newRow("after a match") << true;
        QTest::newRow("after a miss") << false;
    }

    // Fault: a click between Next Turn and the flip timer's tick scored a phantom
    // pair; the released pair is now resolved first and the click is a first pick.
    void aClickJustAfterNextTurnResolvesThePairFirst()
    {
        QFETCH(bool, matching);
        QVERIFY(test::openAndStart(*program, 4));
        const Game& game = program->game();
        const int first = 0;
        const int second
            = matching ? test::partnerOf(game, first) : test::nonPartnerOf(game, first);
        STEP(turnUp(first, second));
        const QString turnsAndMatches = counters();

        // Neither click processes events, so the flip timer cannot tick in between.
        QTest::mouseClick(test::nextButton(program->scorePanel()), Qt::LeftButton);
        QCOMPARE(game.pickState(), PickState::Released);
        const int third = test::firstFaceDown(game, first);
        QVERIFY(third != second);
        test::clickCard(*program, third);

        QCOMPARE(game.pickState(), PickState::OneUp);
        QCOMPARE(counters(), turnsAndMatches);
        QCOMPARE(test::status(*program), test::shown::secondCard);
        const CardState resolved = matching ? CardState::Removed : CardState::FaceDown;
        QCOMPARE(game.cardState(first), resolved);
        QCOMPARE(game.cardState(second), resolved);
        QCOMPARE(game.cardState(third), CardState::FaceUp);
        QCOMPARE(test::visibleFaces(program->boardWindow()),
            std::set<int>({game.state().cardValue[third]}));
        QVERIFY(nextTurnHidden());

        // The turn goes on from the third card.
        const int partner = test::partnerOf(game, third);
        test::clickCard(*program, partner);
        QCOMPARE(test::status(*program), test::shown::match);
        QCOMPARE(game.state().firstIndex, third);
    }

    void theRulesAndAboutBoxesSayTheirTexts_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("shortcut");
        QTest::addColumn<QString>("title");
        const QString rules = QStringLiteral("mnuRules");
        const QString about = QStringLiteral("mnuAbout");
        const QString rulesTitle = QString::fromStdString(test::expected::rulesTitle);
        const QString aboutTitle = QString::fromStdString(test::expected::aboutTitle);
        QTest::newRow("rules, menu") << rules << 0 << rulesTitle;
        QTest::newRow("rules, Ctrl+R") << rules << int(Qt::Key_R) << rulesTitle;
        QTest::newRow("about, menu") << about << 0 << aboutTitle;
        QTest::newRow("about, Ctrl+A") << about << int(Qt::Key_A) << aboutTitle;
    }

    void theRulesAndAboutBoxesSayTheirTexts()
    {
        QFETCH(QString, item);
        QFETCH(int, shortcut);
        QFETCH(QString, title);
        test::MessageBoxCloser closer;
        QVERIFY(test::openAndStart(*program, 4));
        test::clickCard(*program, 5);
        const GameState before = program->game().state();

        if (shortcut)
            QTest::keyClick(
                &program->boardWindow(), static_cast<Qt::Key>(shortcut), Qt::ControlModifier);
        else
            test::menuItem(program->boardWindow(), item.toLatin1().constData())->trigger();

        QCOMPARE(closer.seen().size(), 1u);
        const auto& box = closer.seen().front();
        QCOMPARE(box.title, title);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, 1);
        QVERIFY(!box.okButtonHasIcon);
        if (item == QLatin1String("mnuRules")) {
            QCOMPARE(box.text, QString::fromStdString(test::expected::rules));
        } else {
            // One sentence of credit.
            QVERIFY(box.text.endsWith(QLatin1Char('.')));
            QCOMPARE(box.text.count(QLatin1Char('.')), 1);
            QVERIFY(box.text.contains(QLatin1String("Pexaro")));
        }
        QVERIFY(program->game().state() == before);
        QCOMPARE(test::status(*program), test::shown::secondCard);
    }

private:
    // By mouse, or by keyboard alone once a test has chosen it.
    void turnUp(int first, int second)
    {
        const auto turn = [this](int position) {
            if (keyboard_)
                keyboard_->turn(position);
            else
                test::clickCard(*program, position);
        };
        turn(first);
        QCOMPARE(test::status(*program), test::shown::secondCard);
        QVERIFY(nextTurnHidden());
        turn(second);
        QCOMPARE(program->game().cardState(first), CardState::FaceUp);
        QCOMPARE(program->game().cardState(second), CardState::FaceUp);
    }

    // Plays a 2x2 game with one miss; returns the first card of the last pair.
    int winTwoByTwo()
    {
        const Game& game = program->game();
        turnUp(0, test::nonPartnerOf(game, 0));
        QTest::keyClick(&program->boardWindow(), Qt::Key_Return);
        if (!test::waitForReady(*program))
            return -1;
        turnUp(0, test::partnerOf(game, 0));
        QTest::keyClick(&program->boardWindow(), Qt::Key_Return);
        if (!test::waitForReady(*program))
            return -1;
        const int last = test::firstFaceDown(game);
        turnUp(last, test::partnerOf(game, last));
        return last;
    }

    void giveNextTurnAndCheck(NextTurnBy trigger)
    {
        ui::BoardWindow& board = program->boardWindow();
        ui::ScorePanel& panel = program->scorePanel();
        QPushButton* next = test::nextButton(panel);
        QCOMPARE(program->game().pickState(), PickState::PairPending);
        QVERIFY(!nextTurnHidden());
        switch (trigger) {
        case NextTurnBy::ButtonClick: QTest::mouseClick(next, Qt::LeftButton); break;
        case NextTurnBy::AltNInBoard:
            QVERIFY(test::boardHasTheFocus(*program));
            QTest::keyClick(&board, Qt::Key_N, Qt::AltModifier);
            break;
        case NextTurnBy::AltNAfterALoneAlt: // the menu bar now has the keys
            QVERIFY(test::boardHasTheFocus(*program));
            QTest::keyClick(&board, Qt::Key_Alt);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
            break;
        case NextTurnBy::AltNInPanel:
            panel.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &panel);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
            break;
        case NextTurnBy::EnterOnButton:
            panel.activateWindow();
            QTRY_VERIFY(next->hasFocus());
            QTest::keyClick(next, Qt::Key_Return);
            break;
        case NextTurnBy::KeypadEnterOnButton:
            panel.activateWindow();
            QTRY_VERIFY(next->hasFocus());
            QTest::keyClick(next, Qt::Key_Enter, Qt::KeypadModifier);
            break;
        case NextTurnBy::MenuItem: test::menuItem(board, "mnuNext")->trigger(); break;
        case NextTurnBy::EnterInBoard:
            QVERIFY(test::boardHasTheFocus(*program));
            QTest::keyClick(&board, Qt::Key_Return);
            break;
        case NextTurnBy::KeypadEnterInBoard:
            QVERIFY(test::boardHasTheFocus(*program));
            QTest::keyClick(&board, Qt::Key_Enter, Qt::KeypadModifier);
            break;
        }
        // The button's access key presses it with a short animation.
        QTRY_VERIFY(program->game().pickState() != PickState::PairPending);
        QCOMPARE(test::status(*program), test::shown::clickMessage);
        QVERIFY(nextTurnHidden());
        QVERIFY(test::boardHasTheFocus(*program));
    }

    // A window manager gives the focus back to a closed box's owner; the
    // offscreen platform leaves no window active, so the test does it.
    bool focusBackFromTheBox()
    {
        program->boardWindow().activateWindow();
        return test::boardHasTheFocus(*program);
    }

    bool nextTurnHidden()
    {
        return test::nextButton(program->scorePanel())->isHidden()
            && !test::menuItem(program->boardWindow(), "mnuNext")->isVisible();
    }

    QString counters()
    {
        return counterText(test::caption(program->scorePanel(), "lblTurns"),
            test::caption(program->scorePanel(), "lblMatches"));
    }

    static QString counterText(const QString& turns, const QString& matches)
    {
        return QStringLiteral("turns %1, matches %2").arg(turns, matches);
    }

    static QString counterText(int turns, int matches)
    {
        return counterText(QString::number(turns), QString::number(matches));
    }

    // The board as it would look if the card cursor did not exist.
    QImage boardWithoutCursor()
    {
        QWidget* cursor = program->boardWindow().findChild<QWidget*>(QStringLiteral("cardCursor"));
        const bool shown = cursor->isVisible();
        cursor->hide();
        const QImage image = board();
        cursor->setVisible(shown);
        return image;
    }

    QImage board() { return program->boardWindow().centralWidget()->grab().toImage(); }

    // Where the card's back is dark under the cursor's frame, the frame shows
    // both black and white: dashes alone would hardly show there.
    bool frameShowsOnTheDarkBack()
    {
        const QRect frame = program->boardWindow()
                                .findChild<QWidget*>(QStringLiteral("cardCursor"))
                                ->geometry()
                                .adjusted(4, 3, -4, 0);
        const QImage with = board();
        const QImage without = boardWithoutCursor();
        int black = 0;
        int white = 0;
        for (int x = frame.left(); x <= frame.right(); ++x) {
            if (QColor(without.pixel(x, frame.top())).lightness() > 100)
                continue;
            const int lightness = QColor(with.pixel(x, frame.top())).lightness();
            black += lightness < 40;
            white += lightness > 215;
        }
        return black > 4 && white > 4;
    }

    std::optional<test::KeyboardPlayer> keyboard_;
};

QTEST_MAIN(Play)
#include "test_play.moc"
