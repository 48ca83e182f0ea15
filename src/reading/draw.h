#pragma once

#include "reading.h"

namespace Orvella {

class RandomSource;

/** The card a random value u proposes: round(u * 43), ties to even. */
qint16 cardCandidate(double u);
/** The orientation a random value v gives: round(v), so 0.5 is upright. */
Orientation orientationFor(double v);

/**
 * Replaces @p reading by a fresh draw for @p spreadIndex: one card per position,
 * no card twice. Never seeds @p random. For an index outside the catalogue only
 * the spread index is stored.
 */
void Draw(Reading &reading, qint16 spreadIndex, RandomSource &random);

} // namespace Orvella
