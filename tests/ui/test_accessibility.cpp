// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"
#include "board/Artwork.h"

#include <QAccessible>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

using namespace pexaro;

namespace {

QString spokenName(QObject* object)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name) : QString();
}

QString spokenText(QObject* object)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face
        ? face->text(QAccessible::Name) + QLatin1Char('|') + face->text(QAccessible::Description)
        : QString();
}

// The pictures `text` names, in whole words only: "card" is not the car.
QStringList picturesNamedIn(const QString& text)
{
    QStringList named;
    for (int drawing = 0; drawing < ui::Artwork::kDrawings; ++drawing) {
        const QString picture = ui::Artwork::drawingName(drawing);
        const QRegularExpression word(
            QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(picture)));
        if (text.contains(word))
            named << picture;
    }
    return named;
}

bool mentionsAnyPicture(const QString& text)
{
    return !picturesNamedIn(text).isEmpty();
}

// What an event has a screen reader say at once, wherever its focus is: an
// announcement (Qt 6.8 on) or a notification coming into view; else nothing.
QString announcementOf(QAccessibleEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        return static_cast<QAccessibleAnnouncementEvent*>(event)->message();
#endif
    QAccessibleInterface* face = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && face
        && face->role() == QAccessible::Notification)
        return face->text(QAccessible::Name);
    return {};
}

// Every event passed on to assistive technology: what it said, and for a
// card whether that card was face up just then; for an announcement, the
// pictures face up just then.
struct Heard {
    QAccessible::Event type;
    QString control;
    QString name;
    bool onCard;
    bool faceUp;
    QString announced;
    QStringList picturesUp;
};
std::vector<Heard> g_heard;
const Game* g_watchedGame = nullptr;

QStringList picturesUp(const Game& game)
{
    QStringList pictures;
    for (int p = 0; p < game.boardCells(); ++p)
        if (game.cardState(p) == CardState::FaceUp)
            pictures << ui::Artwork::drawingName(game.state().cardValue[p] % 32);
    return pictures;
}

void record(QAccessibleEvent* event)
{
    if (!event->object())
        return;
    static const QRegularExpression card(QStringLiteral("^img(Card|Flip)\\((\\d+)\\)$"));
    const QString control = event->object()->objectName();
    const QRegularExpressionMatch match = card.match(control);
    bool faceUp = false;
    if (match.hasMatch()) {
        const int index = match.captured(2).toInt();
        const int position = match.captured(1) == QLatin1String("Card")
            ? index
            : g_watchedGame->view().facePosition[index];
        faceUp = position < g_watchedGame->boardCells()
            && g_watchedGame->cardState(position) == CardState::FaceUp;
    }
    g_heard.push_back({event->type(), control, spokenName(event->object()), match.hasMatch(),
        faceUp, announcementOf(event), picturesUp(*g_watchedGame)});
}

// Announced since the log was last cleared, word for word.
bool announced(const QString& message)
{
    return std::any_of(g_heard.begin(), g_heard.end(),
        [&](const Heard& heard) { return heard.announced == message; });
}

int announcements()
{
    return static_cast<int>(std::count_if(g_heard.begin(), g_heard.end(),
        [](const Heard& heard) { return !heard.announced.isEmpty(); }));
}

// The last card a focus event went to, by its spoken name.
QString focusedLast()
{
    const auto last = std::find_if(g_heard.rbegin(), g_heard.rend(),
        [](const Heard& heard) { return heard.type == QAccessible::Focus; });
    return last == g_heard.rend() ? QString() : last->name;
}

// No event named a picture that was not face up as it was sent.
bool noHiddenPictureWasNamed()
{
    for (const Heard& heard : g_heard) {
        if (heard.onCard && !heard.faceUp && mentionsAnyPicture(heard.name)) {
            qWarning() << heard.type << heard.control << "said" << heard.name
                       << "while its card was not face up";
            return false;
        }
        // The status texts have words such as "key": only what a card is
        // said to show counts.
        static const QRegularExpression saidOfACard(QStringLiteral("card \\d+, ([^.]+)\\."));
        for (auto match = saidOfACard.globalMatch(heard.announced); match.hasNext();) {
            const QString what = match.next().captured(1);
            if (what != QLatin1String("face down") && what != QLatin1String("removed")
                && !heard.picturesUp.contains(what)) {
                qWarning() << "announced" << heard.announced << "with no" << what << "face up";
                return false;
            }
        }
    }
    return true;
}

} // namespace

class Accessibility : public test::ProgramTest {
    Q_OBJECT

    // Run on an accessibility bus (see the test's registration), where Qt
    // passes changes on to screen readers.
    bool listenToTheBus()
    {
        if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 5000))
            return false;
        g_watchedGame = &program->game();
        g_heard.clear();
        QAccessible::installUpdateHandler(record);
        return true;
    }

    void tearDownProgram() override
    {
        QAccessible::installUpdateHandler(nullptr);
        g_watchedGame = nullptr;
    }

private slots:
    void everyControlAndMenuItemHasASpokenName()
    {
        QVERIFY(test::openAndStart(*program, 4));
        const QList<QWidget*> windows {
            &program->sizeDialog(), &program->boardWindow(), &program->scorePanel()};
        int checked = 0;
        for (QWidget* window : windows) {
            QVERIFY2(!spokenName(window).isEmpty(), qPrintable(window->objectName()));
            for (QWidget* control : window->findChildren<QWidget*>()) {
                const QString id = control->objectName();
                if (id.isEmpty() || id.startsWith(QLatin1String("qt_")))
                    continue;
                QVERIFY2(!spokenName(control).trimmed().isEmpty(), qPrintable(id));
                ++checked;
            }
        }
        QVERIFY2(checked > 128 + 20, qPrintable(QString::number(checked)));
        for (QAction* item : program->boardWindow().findChildren<QAction*>()) {
            if (item->objectName().startsWith(QLatin1String("mnu")) && !item->isSeparator())
                QVERIFY2(!item->text().remove(QLatin1Char('&')).isEmpty(),
                    qPrintable(item->objectName()));
        }
    }

    void optionsSayWhatTheDigitMeans()
    {
        program->start();
        QCOMPARE(spokenName(test::sizeOption(program->sizeDialog(), 2)),
            QStringLiteral("6 rows by 6 columns"));
    }

    // Fault: with the names in a list apart from the drawings, two swapped
    // names had the key spoken as "umbrella". A name is its drawing's title.
    void pictureNamesAreDistinctAndTravelWithTheirDrawings()
    {
        QStringList names;
        for (int drawing = 0; drawing < ui::Artwork::kDrawings; ++drawing) {
            QFile svg(QStringLiteral(":/faces/face%1.svg").arg(drawing, 2, 10, QLatin1Char('0')));
            QVERIFY(svg.open(QIODevice::ReadOnly));
            static const QRegularExpression title(QStringLiteral("<title>([^<]+)</title>"));
            const QString own = title.match(QString::fromUtf8(svg.readAll())).captured(1);
            QCOMPARE(ui::Artwork::drawingName(drawing), own);
            names << own;
        }
        names.removeDuplicates();
        QCOMPARE(names.size(), ui::Artwork::kDrawings);
        // No name may contain another, or a hidden card could seem to be named.
        for (const QString& a : names)
            for (const QString& b : names)
                QVERIFY2(a == b || !a.contains(b), qPrintable(a + QLatin1String(" / ") + b));
    }

    // Cards are numbered as a player reads the board: left to right, top to bottom.
    void cardsAreNumberedInReadingOrder()
    {
        QVERIFY(test::openAndStart(*program, 4));
        ui::BoardWindow& board = program->boardWindow();
        std::vector<QWidget*> cards;
        for (int p = 0; p < 16; ++p)
            cards.push_back(test::card(board, p));
        std::sort(cards.begin(), cards.end(), [](QWidget* a, QWidget* b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        for (int k = 0; k < 16; ++k) {
            QCOMPARE(spokenName(cards[k]), QStringLiteral("card %1, face down").arg(k + 1));
            QCOMPARE(cards[k]->accessibleDescription(),
                QStringLiteral("row %1, column %2").arg(k / 4 + 1).arg(k % 4 + 1));
        }
    }

    void cardNamesFollowTheCardsWithoutRevealingFaceDownOnes()
    {
        QVERIFY(test::openAndStart(*program, 4));
        ui::BoardWindow& board = program->boardWindow();
        const Game& game = program->game();
        const auto nameOf = [&](int position) { return spokenName(test::card(board, position)); };
        const auto numberOf = [&](int position) { return nameOf(position).section(u',', 0, 0); };
        const auto pictureOf = [&](int position) {
            return ui::Artwork::drawingName(game.state().cardValue[position] % 32);
        };
        // No face-down card, and no face that is not showing, names a picture.
        const auto nothingRevealed = [&] {
            for (int p = 0; p < 16; ++p)
                if (game.cardState(p) == CardState::FaceDown
                    && mentionsAnyPicture(spokenText(test::card(board, p))))
                    return false;
            for (int v = 0; v < 64; ++v) {
                QWidget* f = test::face(board, v);
                if (!f->isVisible() && mentionsAnyPicture(spokenText(f)))
                    return false;
            }
            return true;
        };
        QVERIFY(nothingRevealed());

        const int first = 0;
        const int partner = test::partnerOf(game, first);
        const QString firstNumber = numberOf(first);
        const QString partnerNumber = numberOf(partner);
        test::clickCard(*program, first);
        QCOMPARE(nameOf(first), firstNumber + QStringLiteral(", ") + pictureOf(first));
        const int value = game.state().cardValue[first];
        QCOMPARE(spokenName(test::face(board, value)), nameOf(first));
        QVERIFY(nothingRevealed());

        test::clickCard(*program, partner);
        QCOMPARE(nameOf(partner), partnerNumber + QStringLiteral(", ") + pictureOf(partner));
        QTest::keyClick(&board, Qt::Key_Return);
        QVERIFY(test::waitForReady(*program));
        QCOMPARE(nameOf(first), firstNumber + QStringLiteral(", removed"));
        QCOMPARE(nameOf(partner), partnerNumber + QStringLiteral(", removed"));
        QVERIFY(!mentionsAnyPicture(spokenText(test::face(board, value))));
        QVERIFY(nothingRevealed());

        // A pair that does not match turns face down again, and so do its names.
        const int third = test::nonPartnerOf(game, first);
        const int fourth = test::nonPartnerOf(game, third);
        test::clickCard(*program, third);
        test::clickCard(*program, fourth);
        QVERIFY(nameOf(fourth).endsWith(pictureOf(fourth)));
        QTest::keyClick(&board, Qt::Key_Return);
        QVERIFY(test::waitForReady(*program));
        QVERIFY(nameOf(third).endsWith(QStringLiteral(", face down")));
        QVERIFY(nameOf(fourth).endsWith(QStringLiteral(", face down")));
        QVERIFY(nothingRevealed());
    }

    // The counters and the status carry their heading in their name, and the
    // name changes with the text, as a screen reader's review reads them. It
    // reads what the windows list: no heading twice, and no decoration such as
    // the panel's frame lines or the card cursor.
    void scoreAndStatusNamesFollowTheirText()
    {
        QVERIFY(test::openAndStart(*program, 4));
        test::KeyboardPlayer::press(Qt::Key_Right); // the card cursor shows
        QStringList listed;
        const std::function<void(QAccessibleInterface*)> list = [&](QAccessibleInterface* face) {
            for (int i = 0; i < face->childCount(); ++i) {
                listed << face->child(i)->object()->objectName();
                list(face->child(i));
            }
        };
        list(QAccessible::queryAccessibleInterface(&program->scorePanel()));
        list(QAccessible::queryAccessibleInterface(&program->boardWindow()));
        QVERIFY(listed.contains(QStringLiteral("lblTurns")));
        QVERIFY(listed.contains(QStringLiteral("imgCard(1)")));
        for (const QString& control : listed)
            QVERIFY2(!control.startsWith(QLatin1String("lblLabel"))
                    && !control.startsWith(QLatin1String("Line"))
                    && control != QLatin1String("cardCursor"),
                qPrintable(control));

        ui::ScorePanel& panel = program->scorePanel();
        const auto nameOf = [&](const char* label) {
            return spokenName(panel.findChild<QLabel*>(QLatin1String(label)));
        };
        QCOMPARE(nameOf("lblStatus"),
            "Status: " + test::onLabel(test::expected::clickMessage).trimmed());
        QCOMPARE(nameOf("lblTurns"), QStringLiteral("Turns: 0"));
        const Game& game = program->game();
        test::clickCard(*program, 0);
        QCOMPARE(
            nameOf("lblStatus"), QStringLiteral("Status: ") + test::shown::secondCard.simplified());
        test::clickCard(*program, test::nonPartnerOf(game, 0));
        QCOMPARE(nameOf("lblTurns"), QStringLiteral("Turns: 1"));
        QCOMPARE(nameOf("lblMatches"), QStringLiteral("Matches: 0"));
        QCOMPARE(
            nameOf("lblStatus"), QStringLiteral("Status: ") + test::shown::noMatch.simplified());
        QTest::keyClick(&program->boardWindow(), Qt::Key_Return);
        QVERIFY(test::waitForReady(*program));
        test::clickCard(*program, 0);
        test::clickCard(*program, test::partnerOf(game, 0));
        QCOMPARE(nameOf("lblTurns"), QStringLiteral("Turns: 2"));
        QCOMPARE(nameOf("lblMatches"), QStringLiteral("Matches: 1"));
        QCOMPARE(nameOf("lblStatus"), QStringLiteral("Status: ") + test::shown::match.simplified());
    }

    void nextTurnFromEveryTriggerFocusesTheCursorsCard_data()
    {
        QTest::addColumn<int>("trigger");
        QTest::newRow("ENTER") << 0;
        QTest::newRow("keypad ENTER") << 1;
        QTest::newRow("Alt+N") << 2;
        QTest::newRow("the button") << 3;
        QTest::newRow("the menu-bar command") << 4;
    }

    // The screen reader's focus was on a face that is hidden now: it goes to
    // the card's back, so that its new name is read, and the prompt follows.
    // Alt+N must not focus the menu-bar item it hides (read as refused).
    void nextTurnFromEveryTriggerFocusesTheCursorsCard()
    {
        QFETCH(int, trigger);
        QVERIFY(test::openAndStart(*program, 4));
        QVERIFY2(listenToTheBus(),
            "no accessibility bus: run under scripts/private-display --accessibility");
        const Game& game = program->game();
        ui::BoardWindow& board = program->boardWindow();
        test::KeyboardPlayer player;
        player.turn(2);
        const int second = test::nonPartnerOf(game, 2);
        player.turn(second);
        g_heard.clear();
        switch (trigger) {
        case 0: QTest::keyClick(&board, Qt::Key_Return); break;
        case 1: QTest::keyClick(&board, Qt::Key_Enter, Qt::KeypadModifier); break;
        case 2: QTest::keyClick(&board, Qt::Key_N, Qt::AltModifier); break;
        case 3: QTest::mouseClick(test::nextButton(program->scorePanel()), Qt::LeftButton); break;
        default: test::menuItem(board, "mnuNext")->trigger(); break;
        }
        QTRY_VERIFY(announced(test::onLabel(test::expected::clickMessage).simplified()));
        QCOMPARE(game.cardState(second), CardState::FaceDown);
        QCOMPARE(focusedLast(), spokenName(test::card(board, second)));
        QVERIFY(focusedLast().endsWith(QStringLiteral(", face down")));
        QVERIFY(std::none_of(g_heard.begin(), g_heard.end(), [&](const Heard& heard) {
            return heard.type == QAccessible::Focus && heard.control == QLatin1String("menuBar");
        }));
    }

    // A game's start says where the cursor is; Space on a card that cannot be
    // turned says which card and what to do instead; a turn's result follows
    // the picture of its second card, even for a click, which moves no focus
    // (renamed labels are not spoken unless they are the focus).
    void aTurnIsHeardFromTheStartToItsResult()
    {
        program->start();
        QVERIFY2(listenToTheBus(),
            "no accessibility bus: run under scripts/private-display --accessibility");
        test::chooseAndStart(*program, 4);
        QTRY_VERIFY(announced(QStringLiteral("card 1, face down. row 1, column 1. ")
            + test::onLabel(test::expected::clickMessage).simplified()));
        // Only the 16 cards dealt are renamed, each with its row and column:
        // a flood of renames has a screen reader drop what it was saying.
        QCOMPARE(std::count_if(g_heard.begin(), g_heard.end(),
                     [](const Heard& heard) {
                         return heard.onCard
                             && (heard.type == QAccessible::NameChanged
                                 || heard.type == QAccessible::DescriptionChanged);
                     }),
            2 * 16);

        const Game& game = program->game();
        ui::BoardWindow& board = program->boardWindow();
        const auto readOut = [&](QWidget* card) {
            return spokenName(card) + QStringLiteral(". ") + card->accessibleDescription()
                + QStringLiteral(". ");
        };
        const int partner = test::partnerOf(game, 1);
        test::KeyboardPlayer player;
        g_heard.clear();
        player.turn(1); // its picture is read as it takes the focus, and nothing is said over it
        QCOMPARE(focusedLast(), spokenName(test::face(board, game.state().cardValue[1])));
        QCOMPARE(announcements(), 0);
        test::KeyboardPlayer::press(Qt::Key_Space);
        QVERIFY(announced(readOut(test::face(board, game.state().cardValue[1]))
            + test::shown::secondCard.simplified()));
        player.turn(partner);
        QCOMPARE(focusedLast(), spokenName(test::face(board, game.state().cardValue[partner])));
        QVERIFY(
            announced(test::shown::match.simplified() + QStringLiteral(" Turns: 1, Matches: 1")));
        const int waiting = test::firstFaceDown(game);
        player.turn(waiting); // refused: the pair waits for Next Turn
        QCOMPARE(game.cardState(waiting), CardState::FaceDown);
        QVERIFY(announced(readOut(test::card(board, waiting)) + test::shown::match.simplified()));

        QTest::keyClick(&board, Qt::Key_Return);
        QVERIFY(test::waitForReady(*program));
        const int miss = test::nonPartnerOf(game, waiting);
        test::clickCard(*program, waiting);
        test::clickCard(*program, miss);
        QVERIFY(announced(spokenName(test::card(board, miss)) + QStringLiteral(". ")
            + test::shown::noMatch.simplified() + QStringLiteral(" Turns: 2, Matches: 1")));
        g_heard.clear(); // a click refused while the pair waits turns nothing, and says nothing
        test::clickCard(*program, test::firstFaceDown(game));
        QCOMPARE(announcements(), 0);
        QVERIFY(noHiddenPictureWasNamed());
    }

    // The keyboard's cursor makes the card under it the focus, named as the
    // player sees it; a face not showing is never named, whatever happens.
    void theCursorsCardIsTheFocusAndNoHiddenFaceIsEverNamed()
    {
        QVERIFY(test::openAndStart(*program, 4));
        QVERIFY2(listenToTheBus(),
            "no accessibility bus: run under scripts/private-display --accessibility");
        const Game& game = program->game();
        test::KeyboardPlayer player;
        // The focus is the card at `position`, under the name that says `what`.
        const auto focusIsOn = [this](int position, const QString& what) {
            const QString name = spokenName(test::card(program->boardWindow(), position));
            return focusedLast() == name && name.endsWith(QStringLiteral(", ") + what);
        };

        const int first = 5;
        const int partner = test::partnerOf(game, first);
        const int miss = test::nonPartnerOf(game, first);
        const auto isFocused = [this](QWidget* card) {
            return QAccessible::queryAccessibleInterface(card)->state().focused;
        };
        player.moveTo(first);
        QVERIFY(focusIsOn(first, QStringLiteral("face down")));
        QVERIFY(isFocused(test::card(program->boardWindow(), first)));
        player.turn(first);
        const QString picture = ui::Artwork::drawingName(game.state().cardValue[first] % 32);
        QVERIFY(focusIsOn(first, picture));
        QVERIFY(isFocused(test::face(program->boardWindow(), game.state().cardValue[first])));
        QVERIFY(!isFocused(test::card(program->boardWindow(), first)));
        player.turn(miss);
        test::KeyboardPlayer::press(Qt::Key_Return);
        QVERIFY(test::waitForReady(*program));
        player.moveTo(first);
        QVERIFY(focusIsOn(first, QStringLiteral("face down")));

        player.turn(first);
        player.turn(partner);
        test::KeyboardPlayer::press(Qt::Key_Return);
        QVERIFY(test::waitForReady(*program));
        player.moveTo(first);
        QVERIFY(focusIsOn(first, QStringLiteral("removed")));

        QVERIFY(std::count_if(g_heard.begin(), g_heard.end(), [](const Heard& h) {
            return h.onCard;
        }) > 10);
        QVERIFY(noHiddenPictureWasNamed());

        // A click hides the cursor, and a new game starts without it: then no
        // card, not even one that has left the board, reports the focus.
        const auto noCardFocused = [&] {
            for (int i = 0; i < 64; ++i)
                if (isFocused(test::card(program->boardWindow(), i))
                    || isFocused(test::face(program->boardWindow(), i)))
                    return false;
            return true;
        };
        player.moveTo(miss);
        test::clickCard(*program, miss);
        QVERIFY(noCardFocused());
        // New Game at once after Next Turn: neither the prompt then due nor
        // the last announcement is said over the size dialog or as the board
        // comes back.
        const int waiting = test::firstFaceDown(game);
        test::clickCard(*program, waiting);
        test::clickCard(*program, test::nonPartnerOf(game, waiting));
        const QString lastMessage
            = std::find_if(g_heard.rbegin(), g_heard.rend(), [](const Heard& heard) {
                  return !heard.announced.isEmpty();
              })->announced;
        player.moveTo(first); // the cursor is back, on a removed card
        g_heard.clear();
        program->session().nextTurn();
        program->session().onFlipTick();
        test::menuItem(program->boardWindow(), "mnuNewGame")->trigger();
        // On a real desktop the board is still the active window until the
        // window manager tells otherwise, after what was due has run.
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(&program->boardWindow());
        QT_WARNING_POP
        QCoreApplication::sendPostedEvents();
        QVERIFY(!announced(test::onLabel(test::expected::clickMessage).simplified()));
        QTRY_COMPARE(QApplication::activeWindow(), &program->sizeDialog());
        test::chooseAndStart(*program, 2);
        QVERIFY(noCardFocused());
        QTRY_VERIFY(announced(QStringLiteral("card 1, face down. row 1, column 1. ")
            + test::onLabel(test::expected::clickMessage).simplified()));
        QCOMPARE(announcements(), 1);
        QVERIFY(!lastMessage.isEmpty() && !announced(lastMessage));
    }
};

QTEST_MAIN(Accessibility)
#include "test_accessibility.moc"
