#include "clockrandomsource.h"

#include <chrono>

namespace Orvella {

double ClockRandomSource::next()
{
    // Keep the top 24 bits, so every value is an exact multiple of 2^-24.
    const std::uint32_t k = static_cast<std::uint32_t>(m_engine()) >> 8;
    return k / 16777216.0;
}

void ClockRandomSource::seedFromClock()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    m_engine.seed(seq);
}

} // namespace Orvella
