// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ExpectedTexts.h"
#include "Game.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace pexaro::test {

// The rules of play written out a second time, apart from Game: after every
// operation its record (state and view) must equal this one. The deal is
// random, so a start takes the dealt table from the game under test; whether
// that deal is a proper one is checked by brokenInvariant().
class ReferenceGame {
public:
    const GameState& state() const { return state_; }
    const GameView& view() const { return view_; }

    void setBoardSize(std::int16_t cards) { state_.gCards = cards; }

    // `unseenStarts` counts starts just before this one that the reference was
    // not shown (the board window's load event runs one): their deals may have
    // moved faces of values this deal leaves out.
    void startGame(const Game& dealt, int unseenStarts = 0)
    {
        GameState& s = state_;
        s.crlf = "\r\n";
        s.msgNoMatch = expected::noMatch;
        s.msgMatch = expected::match;
        s.msgWin = expected::win;
        s.ClickMessage1 = expected::clickMessage;
        s.msgSecondCard = expected::secondCard;
        view_.panelEnabled = false;
        s.Wait = 0;
        s.clickCount = s.firstValue = s.firstIndex = s.secondIndex = 0;
        s.turnCount = s.matchCount = 0;
        view_.statusText = s.ClickMessage1;
        view_.nextTurnShown = false;
        view_.winMessage.reset();
        view_.faceVisible.fill(false);
        const int cells = cellsOf(s.gCards);
        // Only the board's backs: a back left showing by an earlier, larger
        // board would be a card that is not in this deal.
        for (int p = 0; p < kSlots; ++p)
            view_.backVisible[p] = p < cells;
        s.pairCount = s.gCards * s.gCards / 2;
        view_.boardSide = s.gCards;
        if (!isLegalSide(s.gCards))
            return; // nothing is dealt: every table keeps what it held
        s.positionTaken.fill(0);
        s.valueUsed.fill(0);
        for (int p = 0; p < cells; ++p) {
            const int value = dealt.state().cardValue[p];
            if (value < 0 || value >= kSlots)
                continue; // reported by brokenInvariant()
            s.cardValue[p] = value;
            s.positionTaken[p] = 1;
            if (value < kPairOffset)
                s.valueUsed[value] = 1;
            view_.facePosition[value] = p;
        }
        view_.cardValue = s.cardValue;
        if (unseenStarts > 0)
            view_.facePosition = dealt.view().facePosition;
    }

    void newGame()
    {
        state_.positionTaken.fill(0);
        state_.valueUsed.fill(0);
        view_.backVisible.fill(false);
        view_.faceVisible.fill(false);
        view_.turnsCaption = "0";
        view_.matchesCaption = "0";
    }

    void clickCard(int position)
    {
        GameState& s = state_;
        if (position < 0 || position >= kSlots || !view_.backVisible[position] || s.Wait != 0)
            return;
        if (s.clickCount == 2)
            resolveReleasedPair(); // the tick that had not come yet
        const int value = s.cardValue[position];
        view_.faceVisible[value] = true;
        view_.backVisible[position] = false;
        if (s.clickCount == 0) {
            s.clickCount = 1;
            s.firstValue = value;
            s.firstIndex = position;
            view_.nextTurnShown = false;
            view_.statusText = s.msgSecondCard;
        } else {
            s.clickCount = 2;
            s.secondIndex = position;
            const bool match = isPair(s.firstValue, value);
            view_.statusText = match ? s.msgMatch : s.msgNoMatch;
            view_.nextTurnShown = true;
            view_.panelEnabled = true;
            s.Wait = 1;
            if (match)
                view_.matchesCaption = std::to_string(++s.matchCount);
            view_.turnsCaption = std::to_string(++s.turnCount);
        }
        if (s.matchCount == s.pairCount) {
            view_.nextTurnShown = false;
            view_.statusText = s.msgWin;
            view_.winMessage = MessageBoxText {expected::winBox(s.turnCount), expected::winTitle};
        }
    }

    void nextTurn()
    {
        if (state_.Wait == 1)
            view_.statusText = state_.ClickMessage1;
        view_.nextTurnShown = false;
        state_.Wait = 0;
    }

    bool pressEnter()
    {
        if (state_.matchCount == state_.pairCount)
            return false;
        nextTurn();
        return true;
    }

    bool resolveReleasedPair()
    {
        GameState& s = state_;
        if (s.Wait != 0 || s.clickCount != 2)
            return false;
        const int second = s.cardValue[s.secondIndex];
        const bool match = isPair(s.firstValue, second);
        view_.faceVisible[second] = false;
        view_.faceVisible[s.firstValue] = false;
        view_.backVisible[s.secondIndex] = !match;
        view_.backVisible[s.firstIndex] = !match;
        s.firstValue = s.firstIndex = s.clickCount = s.secondIndex = 0;
        return true;
    }

    std::optional<MessageBoxText> takeWinMessage()
    {
        std::optional<MessageBoxText> box;
        box.swap(view_.winMessage);
        return box;
    }

    static bool isLegalSide(int side) { return side == 2 || side == 4 || side == 6 || side == 8; }
    static int cellsOf(int side) { return side > 0 ? std::min(side * side, kSlots) : 0; }

private:
    GameState state_;
    GameView view_;
};

// The first field in which the game's record differs from the reference, or "".
inline std::string firstDifference(const ReferenceGame& expected, const Game& game)
{
    if (expected.state() == game.state() && expected.view() == game.view())
        return {};
    const GameState& e = expected.state();
    const GameState& a = game.state();
    auto number = [](const char* name, long want, long got) {
        return want == got ? std::string()
                           : std::string(name) + " is " + std::to_string(got) + ", expected "
                + std::to_string(want);
    };
    auto text = [](const char* name, const std::string& want, const std::string& got) {
        return want == got ? std::string()
                           : std::string(name) + " is \"" + got + "\", expected \"" + want + "\"";
    };
    for (const std::string& d : {number("Wait", e.Wait, a.Wait),
             number("gCards", e.gCards, a.gCards), number("pairCount", e.pairCount, a.pairCount),
             number("clickCount", e.clickCount, a.clickCount),
             number("firstValue", e.firstValue, a.firstValue),
             number("firstIndex", e.firstIndex, a.firstIndex),
             number("secondIndex", e.secondIndex, a.secondIndex),
             number("turnCount", e.turnCount, a.turnCount),
             number("matchCount", e.matchCount, a.matchCount),
             text("ClickMessage1", e.ClickMessage1, a.ClickMessage1),
             text("msgSecondCard", e.msgSecondCard, a.msgSecondCard),
             text("msgMatch", e.msgMatch, a.msgMatch),
             text("msgNoMatch", e.msgNoMatch, a.msgNoMatch), text("msgWin", e.msgWin, a.msgWin),
             text("crlf", e.crlf, a.crlf)})
        if (!d.empty())
            return d;
    for (int i = 0; i < kSlots; ++i) {
        const std::string at = "(" + std::to_string(i) + ")";
        for (const std::string& d :
            {number(("cardValue" + at).c_str(), e.cardValue[i], a.cardValue[i]),
                number(("valueUsed" + at).c_str(), e.valueUsed[i], a.valueUsed[i]),
                number(("positionTaken" + at).c_str(), e.positionTaken[i], a.positionTaken[i])})
            if (!d.empty())
                return d;
    }
    const GameView& ev = expected.view();
    const GameView& av = game.view();
    for (int i = 0; i < kSlots; ++i) {
        const std::string at = "(" + std::to_string(i) + ")";
        for (const std::string& d : {number(("back imgCard" + at + " visible").c_str(),
                                         ev.backVisible[i], av.backVisible[i]),
                 number(("face imgFlip" + at + " visible").c_str(), ev.faceVisible[i],
                     av.faceVisible[i]),
                 number(("face imgFlip" + at + " position").c_str(), ev.facePosition[i],
                     av.facePosition[i])})
            if (!d.empty())
                return d;
    }
    for (const std::string& d : {text("status", ev.statusText, av.statusText),
             text("turns caption", ev.turnsCaption, av.turnsCaption),
             text("matches caption", ev.matchesCaption, av.matchesCaption),
             number("Next Turn shown", ev.nextTurnShown, av.nextTurnShown),
             number("panel enabled", ev.panelEnabled, av.panelEnabled),
             number("win box due", ev.winMessage.has_value(), av.winMessage.has_value())})
        if (!d.empty())
            return d;
    return "win box says \"" + av.winMessage->text + "\", expected \"" + ev.winMessage->text + "\"";
}

// What the driver knows about the game in hand, beyond the record itself.
struct Tally {
    enum class Phase { BeforeFirstGame, Playing, ChoosingSize };
    Phase phase = Phase::BeforeFirstGame;
    int side = 0; // the board side the running game was started with
    int secondPicks = 0; // clicks of this game that met one card up and a visible back
    int winBoxesTaken = 0; // win boxes of this game already handed out
    // A start leaves the counter labels alone: until this game's first turn
    // (or match) they keep what New Game or the game started over had put there.
    std::string carriedTurns = "0";
    std::string carriedMatches = "0";

    std::string turnsShown(const GameState& s) const
    {
        if (phase != Phase::Playing)
            return phase == Phase::ChoosingSize ? "0" : carriedTurns;
        return s.turnCount > 0 ? std::to_string(s.turnCount) : carriedTurns;
    }
    std::string matchesShown(const GameState& s) const
    {
        if (phase != Phase::Playing)
            return phase == Phase::ChoosingSize ? "0" : carriedMatches;
        return s.matchCount > 0 ? std::to_string(s.matchCount) : carriedMatches;
    }

    // Call before the start, with the game as it was.
    void gameStarting(const GameState& before)
    {
        carriedTurns = turnsShown(before);
        carriedMatches = matchesShown(before);
    }
    void gameStarted(int startedSide)
    {
        phase = Phase::Playing;
        side = startedSide;
        secondPicks = 0;
        winBoxesTaken = 0;
    }
    bool dealt() const { return phase == Phase::Playing && ReferenceGame::isLegalSide(side); }
};

// Counts a click about to be made towards the second picks the game allowed.
inline void noteClick(const Game& game, int position, Tally& tally)
{
    if (position >= 0 && position < kSlots && game.view().backVisible[position]
        && game.state().Wait == 0 && game.state().clickCount == 1)
        ++tally.secondPicks;
}

// The first rule of a sound game that the record breaks, or "".
inline std::string brokenInvariant(const Game& game, const Tally& tally)
{
    const GameState& s = game.state();
    const GameView& v = game.view();
    const PickState pick = game.pickState();

    const bool legalPick = (s.Wait == 0 && s.clickCount >= 0 && s.clickCount <= 2)
        || (s.Wait == 1 && s.clickCount == 2);
    if (!legalPick)
        return "Wait " + std::to_string(s.Wait) + " with clickCount "
            + std::to_string(s.clickCount);
    const std::string turns = tally.turnsShown(s);
    const std::string matches = tally.matchesShown(s);
    if (v.turnsCaption != turns || v.matchesCaption != matches)
        return "captions " + v.turnsCaption + "/" + v.matchesCaption + " for " + turns + " turns, "
            + matches + " matches";
    if (v.nextTurnShown != (pick == PickState::PairPending))
        return std::string("Next Turn ") + (v.nextTurnShown ? "shown" : "hidden")
            + " in pick state " + std::to_string(static_cast<int>(pick));
    if (v.panelEnabled != (s.turnCount > 0))
        return "panel enabled " + std::to_string(v.panelEnabled) + " after "
            + std::to_string(s.turnCount) + " turns";
    if (s.matchCount < 0 || s.matchCount > s.turnCount || s.turnCount > tally.secondPicks)
        return std::to_string(s.matchCount) + " matches, " + std::to_string(s.turnCount)
            + " turns with " + std::to_string(tally.secondPicks) + " second picks made";
    for (int p = ReferenceGame::cellsOf(tally.side); p < kSlots; ++p)
        if (tally.phase == Tally::Phase::Playing && v.backVisible[p])
            return "back " + std::to_string(p) + " shown outside a board of side "
                + std::to_string(tally.side);
    if (!tally.dealt())
        return {};

    const int cells = tally.side * tally.side;
    if (s.pairCount != cells / 2)
        return "pairCount " + std::to_string(s.pairCount) + " on " + std::to_string(cells)
            + " cells";
    std::array<int, kSlots> positionOf;
    positionOf.fill(-1);
    int faceDown = 0, faceUp = 0, removed = 0;
    for (int p = 0; p < cells; ++p) {
        const int value = s.cardValue[p];
        if (value < 0 || value >= kSlots || positionOf[value] >= 0)
            return "value " + std::to_string(value) + " at position " + std::to_string(p)
                + " is out of range or dealt twice";
        positionOf[value] = p;
        if (v.facePosition[value] != p)
            return "face of value " + std::to_string(value) + " lies on "
                + std::to_string(v.facePosition[value]) + ", not on its position "
                + std::to_string(p);
        switch (game.cardState(p)) {
        case CardState::FaceDown: ++faceDown; break;
        case CardState::FaceUp: ++faceUp; break;
        case CardState::Removed: ++removed; break;
        case CardState::Inconsistent:
            return "position " + std::to_string(p) + " shows its back and its face at once";
        }
    }
    for (int value = 0; value < kSlots; ++value) {
        const int partner = pairPartner(value);
        if (positionOf[value] >= 0 && positionOf[partner] < 0)
            return "value " + std::to_string(value) + " is dealt without its partner";
        if (positionOf[value] < 0 && v.faceVisible[value])
            return "face of value " + std::to_string(value) + " shown but not dealt";
    }
    if (faceUp > 2 || faceUp != s.clickCount)
        return std::to_string(faceUp) + " cards face up with clickCount "
            + std::to_string(s.clickCount);
    bool pendingMatch = false;
    if (s.clickCount >= 1
        && (game.cardState(s.firstIndex) != CardState::FaceUp
            || s.cardValue[s.firstIndex] != s.firstValue))
        return "first pick " + std::to_string(s.firstIndex) + " is not the face-up card";
    if (s.clickCount == 2) {
        if (s.secondIndex == s.firstIndex || game.cardState(s.secondIndex) != CardState::FaceUp)
            return "second pick " + std::to_string(s.secondIndex) + " is not a second face-up card";
        pendingMatch = isPair(s.firstValue, s.cardValue[s.secondIndex]);
    }
    if (removed + (pendingMatch ? 2 : 0) != 2 * s.matchCount)
        return std::to_string(removed) + " cards removed for " + std::to_string(s.matchCount)
            + " matches";
    const bool won = s.matchCount == s.pairCount;
    if (won != (faceDown == 0))
        return std::string(won ? "won" : "not won") + " with " + std::to_string(faceDown)
            + " cards face down";
    const int boxes = tally.winBoxesTaken + (v.winMessage ? 1 : 0);
    if (boxes != (won ? 1 : 0))
        return std::to_string(boxes) + " win boxes for a game " + (won ? "won" : "not won");
    if (v.winMessage && v.winMessage->text != expected::winBox(s.turnCount))
        return "win box says \"" + v.winMessage->text + "\" after " + std::to_string(s.turnCount)
            + " turns";
    const std::string* status = nullptr;
    switch (pick) {
    case PickState::Ready:
    case PickState::Released: status = &s.ClickMessage1; break;
    case PickState::OneUp: status = &s.msgSecondCard; break;
    case PickState::PairPending: status = pendingMatch ? &s.msgMatch : &s.msgNoMatch; break;
    case PickState::Won: status = &s.msgWin; break;
    }
    if (v.statusText != *status)
        return "status \"" + v.statusText + "\" in pick state "
            + std::to_string(static_cast<int>(pick));
    return {};
}

} // namespace pexaro::test
