// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "RandomSource.h"

#include <bit>
#include <chrono>
#include <ctime>

namespace pexaro {

void StdRandomSource::reseed(float secondsSinceMidnight)
{
    engine_.seed(std::bit_cast<std::uint32_t>(secondsSinceMidnight));
}

double StdRandomSource::next()
{
    // 53 random bits scaled by 2^-53: exactly representable, so never 1.0
    // (unlike uniform_real_distribution, which may round up to its bound).
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

float secondsSinceMidnight()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t wall = system_clock::to_time_t(now);
    std::tm local {};
    localtime_r(&wall, &local);
    const auto fraction
        = duration<double>(now.time_since_epoch()) - duration<double>(seconds(wall));
    return static_cast<float>(
        local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction.count());
}

} // namespace pexaro
