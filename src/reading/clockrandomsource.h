#pragma once

#include "randomsource.h"

#include <cstdint>
#include <random>

namespace Orvella {

class ClockRandomSource : public RandomSource
{
public:
    double next() override;
    void seedFromClock() override;
    /** Fixed seed, for benchmarks and reproducible runs. */
    void seed(std::uint32_t value) { m_engine.seed(value); }

private:
    std::mt19937 m_engine;
};

} // namespace Orvella
