// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The 8 x 8 deal in the game core, beside a plain shuffle of 64 cards from
// the same kind of generator as the least any deal could cost.
#include "Game.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>

namespace {

// Start Game's share of the core: seed, texts, reset and the deal.
void BM_Deal8x8(benchmark::State& state)
{
    float seed = 0.0f;
    pexaro::Game game(std::make_unique<pexaro::StdRandomSource>(), [&seed] { return seed; });
    game.setBoardSize(8);
    for (auto _ : state) {
        seed += 1.0f; // a different deal each time, as the clock would give
        game.newGame();
        game.startGame();
        benchmark::DoNotOptimize(game.state().cardValue.data());
    }
}
BENCHMARK(BM_Deal8x8);

void BM_ShuffleBaseline(benchmark::State& state)
{
    std::mt19937_64 engine;
    std::array<int, 64> cards {};
    std::iota(cards.begin(), cards.end(), 0);
    for (auto _ : state) {
        engine.seed(static_cast<std::uint64_t>(state.iterations()));
        std::shuffle(cards.begin(), cards.end(), engine);
        benchmark::DoNotOptimize(cards.data());
    }
}
BENCHMARK(BM_ShuffleBaseline);

} // namespace

BENCHMARK_MAIN();
