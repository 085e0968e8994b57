// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiSupport.h"
#include "PlaySupport.h"
#include "ProgramTest.h"
#include "board/Artwork.h"

#include <QAccessible>
#include <QRegularExpression>

#include <algorithm>
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

// Whole words only: "card" is not the car.
bool mentionsAnyPicture(const QString& text)
{
    for (int drawing = 0; drawing < ui::Artwork::kDrawings; ++drawing) {
        const QRegularExpression word(
            QStringLiteral("\\b%1\\b")
                .arg(QRegularExpression::escape(ui::Artwork::drawingName(drawing))));
        if (text.contains(word))
            return true;
    }
    return false;
}

// Every event passed on to assistive technology: what it said, and for a
// card whether that card was face up just then.
struct Heard {
    QAccessible::Event type;
    QString control;
    QString name;
    bool onCard;
    bool faceUp;
};
std::vector<Heard> g_heard;
const Game* g_watchedGame = nullptr;

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
    g_heard.push_back(
        {event->type(), control, spokenName(event->object()), match.hasMatch(), faceUp});
}

bool announced(const QString& control, const QString& name)
{
    return std::any_of(g_heard.begin(), g_heard.end(), [&](const Heard& heard) {
        return heard.type == QAccessible::NameChanged && heard.control == control
            && heard.name == name;
    });
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

    void pictureNamesAreDistinct()
    {
        QStringList names;
        for (int drawing = 0; drawing < ui::Artwork::kDrawings; ++drawing)
            names << ui::Artwork::drawingName(drawing);
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
    // name changes with the text, which is what a screen reader announces.
    void scoreAndStatusNamesFollowTheirText()
    {
        QVERIFY(test::openAndStart(*program, 4));
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

    void changesAreAnnouncedAsTheyHappen()
    {
        QVERIFY(test::openAndStart(*program, 4));
        QVERIFY2(listenToTheBus(), "no accessibility bus: run under with_accessibility_bus.sh");
        const Game& game = program->game();
        const int first = 0;
        const int other = test::nonPartnerOf(game, first);
        const QString picture = ui::Artwork::drawingName(game.state().cardValue[first] % 32);
        test::clickCard(*program, first);
        QVERIFY(announced(QStringLiteral("lblStatus"),
            QStringLiteral("Status: ") + test::shown::secondCard.simplified()));
        QVERIFY(std::any_of(g_heard.begin(), g_heard.end(), [&](const Heard& heard) {
            return heard.type == QAccessible::NameChanged
                && heard.control == QLatin1String("imgCard(0)") && heard.name.endsWith(picture);
        }));

        g_heard.clear();
        test::clickCard(*program, other);
        QVERIFY(announced(QStringLiteral("lblTurns"), QStringLiteral("Turns: 1")));
        QVERIFY(announced(QStringLiteral("lblStatus"),
            QStringLiteral("Status: ") + test::shown::noMatch.simplified()));
        // Unchanged, so not announced again.
        QVERIFY(!std::any_of(g_heard.begin(), g_heard.end(), [](const Heard& heard) {
            return heard.type == QAccessible::NameChanged
                && heard.control == QLatin1String("lblMatches");
        }));
    }

    // The keyboard's cursor makes the card under it the focus, named as the
    // player sees it; a face not showing is never named, whatever happens.
    void theCursorsCardIsTheFocusAndNoHiddenFaceIsEverNamed()
    {
        QVERIFY(test::openAndStart(*program, 4));
        QVERIFY2(listenToTheBus(), "no accessibility bus: run under with_accessibility_bus.sh");
        const Game& game = program->game();
        test::KeyboardPlayer player;
        const auto focusedLast = [] {
            const auto last = std::find_if(g_heard.rbegin(), g_heard.rend(),
                [](const Heard& heard) { return heard.type == QAccessible::Focus; });
            return last == g_heard.rend() ? QString() : last->name;
        };
        // The focus is the card at `position`, under the name that says `what`.
        const auto focusIsOn = [this, &focusedLast](int position, const QString& what) {
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
        for (const Heard& heard : g_heard)
            QVERIFY2(!heard.onCard || heard.faceUp || !mentionsAnyPicture(heard.name),
                qPrintable(heard.control + QStringLiteral(" said \"") + heard.name
                    + QStringLiteral("\" while its card was not face up")));
    }
};

QTEST_MAIN(Accessibility)
#include "test_accessibility.moc"
