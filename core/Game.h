// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RandomSource.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pexaro {

inline constexpr int kSlots = 64; // card values and board positions 0..63
inline constexpr int kPairOffset = 32; // value v pairs with v + 32
inline constexpr int kPictures = 32; // values 0..31 are drawn by the deal

// The pair rule: two card values match when they differ by exactly 32.
constexpr bool isPair(int a, int b)
{
    return a - b == kPairOffset || b - a == kPairOffset;
}

// The value that pairs with `value` (0..63).
constexpr int pairPartner(int value)
{
    return (value + kPairOffset) % kSlots;
}

// The start-of-turn prompt's words; the score panel shows them before any game.
inline constexpr std::string_view kClickPrompt = "Click on a card...";

using FlagTable = std::array<std::uint8_t, kSlots>;

// Every variable of one game, under the names the windows know them by.
struct GameState {
    std::int16_t Wait = 0; // 1 while a scored pair waits for Next Turn
    std::int16_t gCards = 0; // board side N; 0 until a size is chosen
    std::string ClickMessage1;
    int pairCount = 0;
    int clickCount = 0; // cards turned face up in this turn, 0..2
    int firstValue = 0;
    int firstIndex = 0;
    int secondIndex = 0;
    int turnCount = 0;
    int matchCount = 0;
    std::array<int, kSlots> cardValue {}; // by board position; only 0..N*N-1 are dealt
    FlagTable valueUsed {}; // by card value
    FlagTable positionTaken {}; // by board position
    std::string crlf;
    std::string msgSecondCard;
    std::string msgMatch;
    std::string msgNoMatch;
    std::string msgWin;

    bool operator==(const GameState&) const = default;
};

struct MessageBoxText {
    std::string text;
    std::string title;
    bool operator==(const MessageBoxText&) const = default;
};

enum class PickState { Ready, OneUp, PairPending, Released, Won };
enum class CardState { FaceDown, FaceUp, Removed, Inconsistent };

// What the windows show; they read it and decide nothing.
struct GameView {
    int boardSide = 0; // N of the N x N board shown
    std::array<bool, kSlots> backVisible {}; // imgCard, by board position
    std::array<bool, kSlots> faceVisible {}; // imgFlip, by card value
    std::array<int, kSlots> facePosition {}; // board position imgFlip(v) lies on
    std::array<int, kSlots> cardValue {}; // the face dealt to each position, as the deal left it
    std::string statusText; // lblStatus
    std::string turnsCaption = "0"; // lblTurns
    std::string matchesCaption = "0"; // lblMatches
    bool nextTurnShown = false; // cmdNext and mnuNext together
    bool panelEnabled = false; // the score panel (frmStats) as a whole
    std::optional<MessageBoxText> winMessage; // due, not yet shown

    GameView();
    bool operator==(const GameView&) const = default;
    // The positions of the board shown: N x N, at most 64.
    int boardCells() const;
    // Meaningful for 0 <= position < boardCells().
    CardState cardState(int position) const;
};

// The start-of-turn prompt as the status shows it; the score panel opens with it.
std::string clickMessage();

class Game {
public:
    explicit Game(std::unique_ptr<RandomSource> random = std::make_unique<StdRandomSource>(),
        std::function<float()> clock = secondsSinceMidnight);

    const GameState& state() const { return state_; }
    const GameView& view() const { return view_; }

    // The size dialog's choice; stores it and nothing else.
    void setBoardSize(std::int16_t cards) { state_.gCards = cards; }

    // Game side of the board window's start-up: seed, texts, reset, cards, deal.
    void startGame();
    // Game side of New Game: clears the deal tables and hides every card.
    void newGame();
    // A click on the back at `position`; ignored unless that back is visible.
    void clickCard(int position);
    // The Next Turn action (the board window's focus is the caller's business).
    void nextTurn();
    // ENTER in the board window: Next Turn unless the game is won. True if it ran.
    bool pressEnter();
    // One flip-timer tick. True if a released pair was resolved.
    bool resolveReleasedPair();
    // The win box due after the last click, at most once.
    std::optional<MessageBoxText> takeWinMessage();

    PickState pickState() const;
    bool isWon() const { return state_.matchCount == state_.pairCount; }
    // Meaningful for 0 <= position < N*N.
    CardState cardState(int position) const;
    int boardCells() const;

private:
    void buildTexts();
    void deal();
    int draw(int range);
    // Puts card `value` on a free position of the N x N board.
    void place(int value);
    void pick(int position);
    void scorePair(int position);
    void testForWin();

    std::unique_ptr<RandomSource> random_;
    std::function<float()> clock_;
    GameState state_;
    GameView view_;
};

} // namespace pexaro
