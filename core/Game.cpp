// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Game.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pexaro {

std::string clickMessage()
{
    return "\r\n\r\n" + std::string(kClickPrompt);
}

GameView::GameView()
    : statusText(clickMessage())
{
    faceVisible.fill(true);
    for (int v = 0; v < kSlots; ++v)
        facePosition[v] = v; // every face starts on the back of the same index
}

int GameView::boardCells() const
{
    return boardSide > 0 ? std::min(boardSide * boardSide, kSlots) : 0;
}

CardState GameView::cardState(int position) const
{
    const bool back = backVisible[position];
    const bool face = faceVisible[cardValue[position]];
    if (back && !face)
        return CardState::FaceDown;
    if (!back && face)
        return CardState::FaceUp;
    if (!back && !face)
        return CardState::Removed;
    return CardState::Inconsistent;
}

Game::Game(std::unique_ptr<RandomSource> random, std::function<float()> clock)
    : random_(std::move(random))
    , clock_(std::move(clock))
{
}

int Game::boardCells() const
{
    const int n = state_.gCards;
    return n > 0 ? std::min(n * n, kSlots) : 0;
}

void Game::startGame()
{
    random_->reseed(clock_());
    buildTexts();
    view_.panelEnabled = false;

    state_.pairCount = 0;
    state_.clickCount = 0;
    state_.firstValue = 0;
    state_.firstIndex = 0;
    state_.secondIndex = 0;
    state_.turnCount = 0;
    state_.matchCount = 0;
    state_.Wait = 0;

    // A new game never opens on the last game's verdict or on a stale Next Turn.
    view_.statusText = state_.ClickMessage1;
    view_.nextTurnShown = false;
    view_.winMessage.reset();

    view_.faceVisible.fill(false);
    // Exactly this board's backs, bounded by the 64 that exist: a pair that the
    // flip timer resolved after New Game, or a larger board started over by a
    // smaller one, must not leave backs of the old deal showing.
    for (int i = 0; i < kSlots; ++i)
        view_.backVisible[i] = i < boardCells();

    state_.pairCount = state_.gCards * state_.gCards / 2;
    deal();
    view_.boardSide = state_.gCards;
    view_.cardValue = state_.cardValue;
}

void Game::buildTexts()
{
    GameState& s = state_;
    s.crlf = "\r\n";
    const std::string& crlf = s.crlf;
    const std::string continueHint = "(Click on the 'Next Turn'" + crlf + "button or press the"
        + crlf + "ENTER key to continue.)";
    s.msgNoMatch = "SORRY..." + crlf + "You didn't find a match." + crlf + crlf + continueHint;
    s.msgMatch = "You found a MATCH!" + crlf + crlf + continueHint;
    s.msgWin = "YOU WIN!!" + crlf + crlf + "You found all the matches!" + crlf + crlf
        + "Press Ctrl-N " + crlf + "to play again.";
    s.ClickMessage1 = crlf + crlf + std::string(kClickPrompt);
    s.msgSecondCard = crlf + crlf + "Now click on another card to try to find a match...";
}

void Game::newGame()
{
    state_.positionTaken.fill(0);
    state_.valueUsed.fill(0);
    view_.backVisible.fill(false);
    view_.faceVisible.fill(false);
    // Not `= "0"`: GCC 12 at -O3 warns falsely (-Wrestrict) on that assignment.
    view_.turnsCaption.assign(1, '0');
    view_.matchesCaption.assign(1, '0');
}

int Game::draw(int range)
{
    const double r = random_->next();
    // Clamped so that a faulty source can never index past the tables.
    return std::clamp(static_cast<int>(std::floor(r * range)), 0, range - 1);
}

void Game::deal()
{
    if (state_.gCards != 2 && state_.gCards != 4 && state_.gCards != 6 && state_.gCards != 8)
        return; // any other size deals nothing, tables untouched
    state_.positionTaken.fill(0);
    state_.valueUsed.fill(0);
    for (int pairIndex = 1; pairIndex <= state_.pairCount; ++pairIndex) {
        int value = 0;
        do {
            value = draw(kPictures);
        } while (state_.valueUsed[value] != 0);
        state_.valueUsed[value] = 1;
        place(value);
        place(value + kPairOffset);
    }
}

// Draws positions of the whole board until a free one comes up.
void Game::place(int value)
{
    for (;;) {
        const int drawnPosition = draw(boardCells());
        if (state_.positionTaken[drawnPosition] == 0) {
            state_.positionTaken[drawnPosition] = 1;
            view_.facePosition[value] = drawnPosition;
            state_.cardValue[drawnPosition] = value;
            return;
        }
    }
}

void Game::clickCard(int position)
{
    // Only a visible back takes clicks.
    if (position < 0 || position >= kSlots || !view_.backVisible[position])
        return;
    if (state_.Wait != 0)
        return;
    // A click between Next Turn and the flip timer's tick would compare the
    // first value with a face-down card and score a phantom pair: resolve the
    // released pair first, as the tick would, and begin a new turn.
    if (state_.clickCount == 2)
        resolveReleasedPair();
    pick(position);
    scorePair(position);
    testForWin();
}

void Game::pick(int position)
{
    GameState& s = state_;
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
    }
}

void Game::scorePair(int position)
{
    GameState& s = state_;
    if (s.clickCount != 2)
        return;
    const bool match = isPair(s.firstValue, s.cardValue[position]);
    view_.statusText = match ? s.msgMatch : s.msgNoMatch;
    view_.nextTurnShown = true;
    view_.panelEnabled = true;
    s.Wait = 1;
    if (match) {
        ++s.matchCount;
        view_.matchesCaption = std::to_string(s.matchCount);
    }
    ++s.turnCount;
    view_.turnsCaption = std::to_string(s.turnCount);
}

void Game::testForWin()
{
    if (!isWon())
        return;
    view_.nextTurnShown = false;
    view_.statusText = state_.msgWin;
    view_.winMessage = MessageBoxText {"Congratulations!!  You found all the matches!!  You took "
            + std::to_string(state_.turnCount) + " turns.",
        "You're a winner!!"};
}

void Game::nextTurn()
{
    if (state_.Wait == 1)
        view_.statusText = state_.ClickMessage1;
    view_.nextTurnShown = false;
    state_.Wait = 0;
}

bool Game::pressEnter()
{
    if (isWon())
        return false;
    nextTurn();
    return true;
}

bool Game::resolveReleasedPair()
{
    GameState& s = state_;
    if (s.Wait != 0 || s.clickCount != 2)
        return false;
    const int second = s.secondIndex;
    const bool match = isPair(s.firstValue, s.cardValue[second]);
    view_.faceVisible[s.cardValue[second]] = false;
    view_.faceVisible[s.firstValue] = false;
    view_.backVisible[second] = !match;
    view_.backVisible[s.firstIndex] = !match;
    s.firstValue = 0;
    s.firstIndex = 0;
    s.clickCount = 0;
    s.secondIndex = 0;
    return true;
}

std::optional<MessageBoxText> Game::takeWinMessage()
{
    return std::exchange(view_.winMessage, std::nullopt);
}

PickState Game::pickState() const
{
    const GameState& s = state_;
    if (s.Wait != 0)
        return isWon() ? PickState::Won : PickState::PairPending;
    switch (s.clickCount) {
    case 1: return PickState::OneUp;
    case 2: return PickState::Released;
    default: return PickState::Ready;
    }
}

CardState Game::cardState(int position) const
{
    return view_.cardState(position);
}

} // namespace pexaro
