#include "drawchance.h"

#include "reading/draw.h"

#include <map>
#include <mutex>
#include <vector>

namespace Orvella {

namespace {

constexpr qint64 RandomValues = qint64(1) << 24;

// The first of the 2^24 values that proposes @p card or a later one: the
// draw's own rounding, found by bisection, so its ties count as it breaks them.
qint64 firstValueFor(int card)
{
    qint64 low = 0;
    qint64 high = RandomValues;
    while (low < high) {
        const qint64 middle = (low + high) / 2;
        if (cardCandidate(double(middle) / double(RandomValues)) >= card)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

// Cards of equal weight are alike to the draw; it is followed class by class.
struct WeightClass
{
    qint64 weight = 0;
    int cards = 0;
};

std::vector<WeightClass> weightClasses()
{
    std::map<qint64, int> sizes;
    for (qint64 weight : cardWeights())
        ++sizes[weight];
    std::vector<WeightClass> classes;
    for (const auto &[weight, cards] : sizes)
        classes.push_back({weight, cards});
    return classes;
}

std::array<double, CardDeck::CardCount> computeChance(int cardsDrawn)
{
    const std::vector<WeightClass> classes = weightClasses();
    // How many cards of each class are drawn so far, and the chance of that.
    std::map<std::vector<int>, double> states{{std::vector<int>(classes.size(), 0), 1.0}};
    for (int drawn = 0; drawn < cardsDrawn && drawn < CardDeck::CardCount; ++drawn) {
        std::map<std::vector<int>, double> next;
        for (const auto &[taken, chance] : states) {
            double left = 0;
            for (size_t i = 0; i < classes.size(); ++i)
                left += double(classes[i].cards - taken[i]) * double(classes[i].weight);
            for (size_t i = 0; i < classes.size(); ++i) {
                const int free = classes[i].cards - taken[i];
                if (free == 0)
                    continue;
                std::vector<int> after = taken;
                ++after[i];
                next[after] += chance * double(free) * double(classes[i].weight) / left;
            }
        }
        states = std::move(next);
    }
    std::vector<double> perCard(classes.size(), 0);
    for (const auto &[taken, chance] : states) {
        for (size_t i = 0; i < classes.size(); ++i)
            perCard[i] += chance * taken[i] / classes[i].cards;
    }
    std::array<double, CardDeck::CardCount> chance{};
    for (int card = 0; card < CardDeck::CardCount; ++card) {
        for (size_t i = 0; i < classes.size(); ++i) {
            if (classes[i].weight == cardWeights()[card])
                chance[card] = perCard[i];
        }
    }
    return chance;
}

} // namespace

const std::array<qint64, CardDeck::CardCount> &cardWeights()
{
    static const std::array<qint64, CardDeck::CardCount> weights = [] {
        std::array<qint64, CardDeck::CardCount> counted{};
        for (int card = 0; card < CardDeck::CardCount; ++card)
            counted[card] = firstValueFor(card + 1) - firstValueFor(card);
        return counted;
    }();
    return weights;
}

std::array<double, CardDeck::CardCount> chanceOfCard(int cardsDrawn)
{
    // The spreads draw at most a few cards: each size is worked out once.
    static std::mutex guard;
    static std::map<int, std::array<double, CardDeck::CardCount>> known;
    const std::lock_guard lock(guard);
    auto found = known.find(cardsDrawn);
    if (found == known.end())
        found = known.emplace(cardsDrawn, computeChance(cardsDrawn)).first;
    return found->second;
}

} // namespace Orvella
