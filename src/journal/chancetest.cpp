#include "chancetest.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace Orvella {

namespace {

// The exact distribution costs readings^2 / 2 steps; up to here it is quick.
constexpr qsizetype ExactUpTo = 400;

struct Tails
{
    double atMost = 1;  // P(X <= count)
    double atLeast = 1; // P(X >= count)
};

Tails exactTails(int count, const QList<double> &chances)
{
    std::vector<double> mass{1.0};
    for (double chance : chances) {
        mass.push_back(0);
        for (size_t k = mass.size() - 1; k > 0; --k)
            mass[k] = mass[k] * (1 - chance) + mass[k - 1] * chance;
        mass[0] *= 1 - chance;
    }
    Tails tails{0, 0};
    for (size_t k = 0; k < mass.size(); ++k) {
        if (int(k) <= count)
            tails.atMost += mass[k];
        if (int(k) >= count)
            tails.atLeast += mass[k];
    }
    return tails;
}

double normal(double x)
{
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

// Volkova's refined normal approximation of the Poisson binomial distribution:
// the normal one, corrected for its skew.
double approximateAtMost(int count, double mean, double deviation, double skew)
{
    const double x = (count + 0.5 - mean) / deviation;
    const double density = std::exp(-x * x / 2) / std::sqrt(2 * M_PI);
    return std::clamp(normal(x) + skew * (1 - x * x) * density / 6, 0.0, 1.0);
}

Tails approximateTails(int count, const QList<double> &chances)
{
    double mean = 0;
    double variance = 0;
    double third = 0;
    for (double chance : chances) {
        mean += chance;
        variance += chance * (1 - chance);
        third += chance * (1 - chance) * (1 - 2 * chance);
    }
    if (variance <= 0)
        return {count >= mean ? 1.0 : 0.0, count <= mean ? 1.0 : 0.0};
    const double deviation = std::sqrt(variance);
    const double skew = third / (variance * deviation);
    return {approximateAtMost(count, mean, deviation, skew),
            1 - approximateAtMost(count - 1, mean, deviation, skew)};
}

} // namespace

double twoSidedPValue(int count, const QList<double> &chances)
{
    const Tails tails = chances.size() <= ExactUpTo ? exactTails(count, chances)
                                                    : approximateTails(count, chances);
    return std::min(1.0, 2 * std::min(tails.atMost, tails.atLeast));
}

QList<bool> discoveries(const QList<double> &pValues, double rate)
{
    const qsizetype m = pValues.size();
    std::vector<qsizetype> order(m);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return pValues[a] < pValues[b]; });
    // The largest rank whose p-value is within its share of the rate; it and
    // every smaller one stand.
    qsizetype standing = 0;
    for (qsizetype rank = 1; rank <= m; ++rank) {
        if (pValues[order[rank - 1]] <= rate * double(rank) / double(m))
            standing = rank;
    }
    QList<bool> found(m, false);
    for (qsizetype rank = 0; rank < standing; ++rank)
        found[order[rank]] = true;
    return found;
}

} // namespace Orvella
