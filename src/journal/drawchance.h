#pragma once

#include "oracle/carddeck.h"

#include <array>

namespace Orvella {

/**
 * How many of the draw's 2^24 random values propose each card: the first and
 * the last card of the deck get about half as many as the others.
 */
const std::array<qint64, CardDeck::CardCount> &cardWeights();

/**
 * The chance that each card is among the cards of a reading of
 * @p cardsDrawn positions, drawn as the program draws: each position by
 * the weights above, a card already drawn proposed again until another comes.
 * Exact, not simulated.
 */
std::array<double, CardDeck::CardCount> chanceOfCard(int cardsDrawn);

} // namespace Orvella
