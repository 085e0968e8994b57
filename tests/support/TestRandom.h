// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RandomSource.h"

#include <deque>
#include <memory>
#include <stdexcept>
#include <vector>

namespace pexaro::test {

// Hands out a fixed script of draws; running past its end is a test fault.
class ScriptedRandom final : public RandomSource {
public:
    struct Log {
        std::vector<float> seeds;
        std::size_t drawsLeft = 0;
    };

    ScriptedRandom(std::vector<double> draws, std::shared_ptr<Log> log)
        : draws_(draws.begin(), draws.end())
        , log_(std::move(log))
    {
        log_->drawsLeft = draws_.size();
    }

    void reseed(float seed) override { log_->seeds.push_back(seed); }

    double next() override
    {
        if (draws_.empty())
            throw std::logic_error("random script exhausted");
        const double r = draws_.front();
        draws_.pop_front();
        log_->drawsLeft = draws_.size();
        return r;
    }

private:
    std::deque<double> draws_;
    std::shared_ptr<Log> log_;
};

} // namespace pexaro::test
