#pragma once

#include <QList>

namespace Orvella {

/**
 * How a count that is a sum of independent chances (one per reading, each
 * reading's own chance @p chances) stands against them: the chance of a
 * count this far from what is expected, in either direction (two-sided).
 * Exact for a few hundred readings; beyond, the refined normal
 * approximation where it is far from deciding a mark, and exact again, the
 * readings grouped by their chance, where it may decide one.
 */
double twoSidedPValue(int count, const QList<double> &chances);

/**
 * Which of @p pValues stand after allowing for all of them being looked at
 * at once, at a false discovery rate of @p rate (Benjamini and Hochberg):
 * among the ones said to stand, at most that share would be chance.
 */
QList<bool> discoveries(const QList<double> &pValues, double rate = 0.05);

} // namespace Orvella
