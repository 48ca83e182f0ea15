#pragma once

namespace Orvella {

/** The program's one random generator: values k / 2^24 in [0, 1). */
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    /** The next value of the sequence, uniform over [0, 1) in steps of 2^-24. */
    virtual double next() = 0;
    /** Starts a new sequence from the clock. */
    virtual void seedFromClock() = 0;
};

} // namespace Orvella
