// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <random>

namespace pexaro {

// The one uniform generator every draw of a game comes from.
class RandomSource {
public:
    RandomSource() = default;
    RandomSource(const RandomSource&) = delete;
    RandomSource& operator=(const RandomSource&) = delete;
    virtual ~RandomSource() = default;
    // Called at every game start with the time of day in seconds since midnight.
    virtual void reseed(float secondsSinceMidnight) = 0;
    // 0 <= result < 1
    virtual double next() = 0;
};

class StdRandomSource final : public RandomSource {
public:
    void reseed(float secondsSinceMidnight) override;
    double next() override;

private:
    std::mt19937_64 engine_;
};

// Local time of day, with its fraction, as the single-precision seed of a game.
float secondsSinceMidnight();

} // namespace pexaro
