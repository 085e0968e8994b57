// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Random play through the game's whole surface: after every single call the
// game's record must equal the reference rules and must describe a sound
// game. A run prints its seed when it fails; PEXARO_SEED=<seed> replays it.
// The RapidCheck property below shrinks a failing sequence to a short one;
// replay it with RC_PARAMS="reproduce=<string it printed>".

#include "Game.h"
#include "ReferenceGame.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <iostream>
#include <random>
#include <sstream>

using namespace pexaro;
using test::ReferenceGame;
using test::Tally;

namespace {

enum class Op {
    Click,
    NextTurn,
    PressEnter,
    Tick,
    NewGame,
    SetBoardSize,
    StartGame,
    TakeWinMessage
};

struct Event {
    Op op;
    int arg = 0;
};

std::string describe(const Event& event)
{
    switch (event.op) {
    case Op::Click: return "clickCard(" + std::to_string(event.arg) + ")";
    case Op::NextTurn: return "nextTurn()";
    case Op::PressEnter: return "pressEnter()";
    case Op::Tick: return "resolveReleasedPair()";
    case Op::NewGame: return "newGame()";
    case Op::SetBoardSize: return "setBoardSize(" + std::to_string(event.arg) + ")";
    case Op::StartGame: return "startGame()";
    case Op::TakeWinMessage: return "takeWinMessage()";
    }
    return "?";
}

// A game under test next to the reference, fed the same calls one at a time.
class Referee {
public:
    explicit Referee(std::function<float()> clock)
        : game_(std::make_unique<StdRandomSource>(), std::move(clock))
    {
    }

    const Game& game() const { return game_; }
    const Tally& tally() const { return tally_; }
    int gamesWon() const { return gamesWon_; }

    // Plays one call; returns what went wrong, or "".
    std::string play(const Event& event)
    {
        const bool wasWon = tally_.dealt() && game_.isWon();
        std::string wrongResult;
        auto compare = [&](bool want, bool got) {
            if (want != got)
                wrongResult = std::string("returned ") + (got ? "true" : "false");
        };
        switch (event.op) {
        case Op::Click:
            test::noteClick(game_, event.arg, tally_);
            game_.clickCard(event.arg);
            reference_.clickCard(event.arg);
            break;
        case Op::NextTurn:
            game_.nextTurn();
            reference_.nextTurn();
            break;
        case Op::PressEnter: compare(reference_.pressEnter(), game_.pressEnter()); break;
        case Op::Tick:
            compare(reference_.resolveReleasedPair(), game_.resolveReleasedPair());
            break;
        case Op::NewGame:
            game_.newGame();
            reference_.newGame();
            if (tally_.phase == Tally::Phase::Playing)
                tally_.phase = Tally::Phase::ChoosingSize;
            break;
        case Op::SetBoardSize:
            game_.setBoardSize(static_cast<std::int16_t>(event.arg));
            reference_.setBoardSize(static_cast<std::int16_t>(event.arg));
            break;
        case Op::StartGame:
            tally_.gameStarting(game_.state());
            game_.startGame();
            reference_.startGame(game_);
            tally_.gameStarted(game_.state().gCards);
            break;
        case Op::TakeWinMessage: {
            const auto want = reference_.takeWinMessage();
            const auto got = game_.takeWinMessage();
            if (want != got)
                wrongResult
                    = got ? "handed out the box \"" + got->text + "\"" : "handed out no box";
            if (got)
                ++tally_.winBoxesTaken;
            break;
        }
        }
        if (!wrongResult.empty())
            return wrongResult;
        if (std::string difference = test::firstDifference(reference_, game_); !difference.empty())
            return "unlike the rules: " + difference;
        if (std::string broken = test::brokenInvariant(game_, tally_); !broken.empty())
            return "unsound game: " + broken;
        if (tally_.dealt() && !wasWon && game_.isWon())
            ++gamesWon_;
        return {};
    }

private:
    Game game_;
    ReferenceGame reference_;
    Tally tally_;
    int gamesWon_ = 0;
};

// A player who mostly turns face-down cards and often remembers where a
// partner lies, with every other call, and clicks anywhere, mixed in.
class RandomPlayer {
public:
    explicit RandomPlayer(std::uint64_t seed)
        : random_(seed)
        , referee_([this] { return std::uniform_real_distribution<float>(0, 86400)(random_); })
    {
    }

    const Referee& referee() const { return referee_; }

    // Chooses and plays one call; returns what went wrong, or "".
    std::string step(Event& event)
    {
        event = choose();
        if (event.op == Op::NewGame)
            sizeChosen_ = !percent(50); // the dialog still holds the last size
        return referee_.play(event);
    }

private:
    Event choose()
    {
        const Game& game = referee_.game();
        const Tally& tally = referee_.tally();
        if (percent(8))
            return noise();
        if (tally.phase != Tally::Phase::Playing) {
            if (!sizeChosen_ || percent(5)) {
                sizeChosen_ = true;
                return {Op::SetBoardSize, randomSide()};
            }
            return {Op::StartGame};
        }
        if (!tally.dealt()) // a size that deals nothing: poke at it for a while
            return ++undealtEvents_ % 60 == 0 ? Event {Op::NewGame} : noise();
        switch (game.pickState()) {
        case PickState::Ready: return {Op::Click, faceDown()};
        case PickState::OneUp:
            return {Op::Click, percent(55) ? partnerOf(game.state().firstIndex) : faceDown()};
        case PickState::PairPending:
            if (percent(10))
                return {Op::Click, faceDown()};
            return {percent(50) ? Op::NextTurn : Op::PressEnter};
        case PickState::Released:
            if (percent(30))
                return {Op::Click, faceDown()};
            return {percent(85) ? Op::Tick : Op::PressEnter};
        case PickState::Won:
            if (game.view().winMessage && percent(90))
                return {Op::TakeWinMessage};
            return {percent(75) ? Op::NewGame : Op::StartGame};
        }
        return noise();
    }

    bool percent(int chance) { return std::uniform_int_distribution<int>(0, 99)(random_) < chance; }
    int between(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    int randomSide()
    {
        static constexpr int odd[] = {0, 1, 3, 5, 7, 9, 10, -2, -8, 64, 32767, -32768};
        if (percent(4))
            return odd[between(0, std::size(odd) - 1)];
        const int pick = between(0, 99);
        return pick < 25 ? 2 : pick < 60 ? 4 : pick < 85 ? 6 : 8;
    }

    Event noise()
    {
        const int pick = between(0, 99);
        if (pick < 40)
            return {Op::Click, between(-5, 70)};
        if (pick < 52)
            return {Op::NextTurn};
        if (pick < 64)
            return {Op::PressEnter};
        if (pick < 80)
            return {Op::Tick};
        if (pick < 90)
            return {Op::TakeWinMessage};
        if (pick < 96)
            return {Op::SetBoardSize, randomSide()};
        return {pick < 98 ? Op::NewGame : Op::StartGame};
    }

    // A face-down card of the board, or any position when there is none.
    int faceDown()
    {
        const Game& game = referee_.game();
        const int cells = game.boardCells();
        int candidates[kSlots];
        int count = 0;
        for (int p = 0; p < cells; ++p)
            if (game.cardState(p) == CardState::FaceDown)
                candidates[count++] = p;
        return count ? candidates[between(0, count - 1)] : between(-5, 70);
    }

    int partnerOf(int position)
    {
        const Game& game = referee_.game();
        const int partner = pairPartner(game.state().cardValue[position]);
        for (int p = 0; p < game.boardCells(); ++p)
            if (game.state().cardValue[p] == partner)
                return p;
        return faceDown();
    }

    std::mt19937_64 random_;
    Referee referee_;
    bool sizeChosen_ = false;
    int undealtEvents_ = 0;
};

std::uint64_t runSeed()
{
    if (const char* given = std::getenv("PEXARO_SEED"))
        return std::strtoull(given, nullptr, 0);
    return std::random_device {}() * 0x100000000ull + std::random_device {}();
}

} // namespace

TEST(RandomPlay, aMillionRandomCallsNeverBreakTheGame)
{
    constexpr long kEvents = 1'000'000;
    constexpr int kWonGames = 10'000;
    const std::uint64_t seed = runSeed();
    SCOPED_TRACE("replay with PEXARO_SEED=" + std::to_string(seed));
    RandomPlayer player(seed);
    std::deque<std::string> lastEvents;
    const auto started = std::chrono::steady_clock::now();
    long events = 0;
    while (events < kEvents || player.referee().gamesWon() < kWonGames) {
        ASSERT_LT(events, 20 * kEvents) << "the player stopped winning games";
        Event event {Op::Tick};
        const std::string failure = player.step(event);
        ++events;
        lastEvents.push_back(describe(event));
        if (lastEvents.size() > 16)
            lastEvents.pop_front();
        if (!failure.empty()) {
            std::ostringstream trail;
            for (const std::string& e : lastEvents)
                trail << "\n  " << e;
            FAIL() << "seed " << seed << ", event " << events << " (" << describe(event)
                   << "): " << failure << "\nlast calls:" << trail.str();
        }
    }
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "[ random play ] seed " << seed << ": " << events << " calls, "
              << player.referee().gamesWon() << " games won in " << seconds << " s\n";
}

// Short sequences for RapidCheck, which shrinks a failing one. Each step is an
// intention read against the game in hand ("the k-th face-down card", "the
// partner of the face-up card"), so a shrunk sequence still plays sensibly.
RC_GTEST_PROP(RandomPlay, anyShortSequenceOfCallsKeepsTheGameSound,
    (const std::vector<std::pair<int, int>>& steps))
{
    const float clock = *rc::gen::inRange(0, 86400);
    const int side = *rc::gen::element(2, 4, 6, 8, 0, 3);
    Referee referee([clock] { return clock; });
    const Game& game = referee.game();
    std::string calls;
    auto play = [&](const Event& event) {
        calls += "\n  " + describe(event);
        if (const std::string failure = referee.play(event); !failure.empty())
            RC_FAIL(failure + "\nafter the calls:" + calls);
    };
    auto faceDown = [&](int k) {
        int seen = 0;
        for (int p = 0; p < game.boardCells(); ++p)
            if (game.cardState(p) == CardState::FaceDown && seen++ == k % 64)
                return p;
        return k;
    };
    auto partnerOfFirst = [&] {
        const int partner = pairPartner(game.state().cardValue[game.state().firstIndex]);
        for (int p = 0; p < game.boardCells(); ++p)
            if (game.state().cardValue[p] == partner)
                return p;
        return 0;
    };
    play({Op::SetBoardSize, side});
    play({Op::StartGame});
    for (const auto& [intention, arg] : steps) {
        switch (std::abs(intention) % 10) {
        case 0: play({Op::Click, faceDown(std::abs(arg))}); break;
        case 1: play({Op::Click, partnerOfFirst()}); break;
        case 2: play({Op::Click, std::abs(arg) % 76 - 5}); break;
        case 3: play({Op::NextTurn}); break;
        case 4: play({Op::PressEnter}); break;
        case 5: play({Op::Tick}); break;
        case 6: play({Op::TakeWinMessage}); break;
        case 7: play({Op::NewGame}); break;
        case 8: play({Op::SetBoardSize, std::abs(arg) % 10}); break;
        default: play({Op::StartGame}); break;
        }
    }
}

// Found by random play: a pair released by Next Turn and resolved by the flip
// timer after New Game showed its backs again on the hidden board, and the
// next, smaller board kept them beyond its edge as cards outside the deal.
TEST(NewBoard, showsOnlyItsOwnCardsAfterAPairWasReleasedJustBeforeNewGame)
{
    Game game(std::make_unique<StdRandomSource>(), [] { return 4321.5f; });
    game.setBoardSize(8);
    game.startGame();
    int first = 63, second = 62;
    if (isPair(game.state().cardValue[first], game.state().cardValue[second]))
        second = 61;
    game.clickCard(first);
    game.clickCard(second);
    game.nextTurn();
    game.newGame();
    EXPECT_TRUE(game.resolveReleasedPair());
    game.setBoardSize(2);
    game.startGame();
    for (int p = 0; p < kSlots; ++p)
        EXPECT_EQ(game.view().backVisible[p], p < 4) << "back " << p;
}
