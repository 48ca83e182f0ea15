#include "chancetest.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <optional>
#include <vector>

namespace Orvella {

namespace {

// The exact distribution costs readings^2 / 2 steps; up to here it is quick.
constexpr qsizetype ExactUpTo = 400;
// Distinct chances beyond which readings are not grouped by them (a journal
// has four: its readings hold 1, 4, 5 or 7 cards).
constexpr size_t MostGroups = 16;

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

// Beyond the exact walk: the readings' chances take a handful of values (one per
// spread), so the count is a sum of that many binomials, each worked out where
// it has mass and put together, the sum kept where it has mass too. What lies
// beyond eight deviations and two counts from a mean (less than 1e-9 of it) is
// left out. A card's count over 10,000 readings takes a third of a millisecond.
std::optional<Tails> groupedTails(int count, const QList<double> &chances)
{
    std::map<double, int> groups;
    for (double chance : chances)
        ++groups[chance];
    if (groups.size() > MostGroups)
        return std::nullopt;
    const auto reach = [](double variance) {
        return 8 * std::sqrt(variance) + 2;
    };
    int first = 0; // the count mass[0] stands for
    std::vector<double> mass{1.0};
    double mean = 0;
    double variance = 0;
    for (const auto &[chance, trials] : groups) {
        if (chance <= 0)
            continue;
        if (chance >= 1) {
            first += trials;
            mean += trials;
            continue;
        }
        const double groupMean = trials * chance;
        const double groupVariance = groupMean * (1 - chance);
        const int low = std::max(0, int(std::floor(groupMean - reach(groupVariance))));
        const int high = std::min(trials, int(std::ceil(groupMean + reach(groupVariance))));
        // From its lowest count on, each the one before times its ratio.
        std::vector<double> binomial(size_t(high - low + 1));
        binomial[0] = std::exp(std::lgamma(trials + 1.0) - std::lgamma(low + 1.0)
                               - std::lgamma(trials - low + 1.0) + low * std::log(chance)
                               + (trials - low) * std::log1p(-chance));
        const double odds = chance / (1 - chance);
        for (int k = low; k < high; ++k) {
            binomial[size_t(k + 1 - low)] = binomial[size_t(k - low)] * odds * double(trials - k)
                                            / double(k + 1);
        }
        std::vector<double> sum(mass.size() + binomial.size() - 1, 0.0);
        for (size_t i = 0; i < mass.size(); ++i) {
            for (size_t j = 0; j < binomial.size(); ++j)
                sum[i + j] += mass[i] * binomial[j];
        }
        first += low;
        mean += groupMean;
        variance += groupVariance;
        // The sum, too, only where it has mass.
        const int keepFrom = std::max(first, int(std::floor(mean - reach(variance))));
        const int keepTo = std::min(first + int(sum.size()) - 1,
                                    int(std::ceil(mean + reach(variance))));
        mass.assign(sum.begin() + (keepFrom - first), sum.begin() + (keepTo - first) + 1);
        first = keepFrom;
    }
    Tails tails{0, 0};
    for (size_t i = 0; i < mass.size(); ++i) {
        const int k = first + int(i);
        if (k <= count)
            tails.atMost += mass[i];
        if (k >= count)
            tails.atLeast += mass[i];
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
    const auto twoSided = [](const Tails &tails) {
        return std::min(1.0, 2 * std::min(tails.atMost, tails.atLeast));
    };
    if (chances.size() <= ExactUpTo)
        return twoSided(exactTails(count, chances));
    // The refined normal curve first, which is good far from a decision; counted
    // exactly where it may decide a mark (none is made above 0.05), or where a
    // card seldom expected makes the curve a poor guide.
    const double rough = twoSided(approximateTails(count, chances));
    const double expected = std::accumulate(chances.cbegin(), chances.cend(), 0.0);
    if (rough >= 0.2 && expected >= 50)
        return rough;
    const std::optional<Tails> exact = groupedTails(count, chances);
    return exact ? twoSided(*exact) : rough;
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
