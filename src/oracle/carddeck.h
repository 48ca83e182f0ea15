#pragma once

#include "card.h"

#include <QtGlobal>

#include <optional>

namespace Orvella::CardDeck {

/** Highest slot of the deck's tables; slot 44 is a spare that holds no card. */
inline constexpr qint16 UpperIndex = 44;
/** Number of real cards, indices 0 to 43. */
inline constexpr int CardCount = 44;

/** The card in slot 0..44 (slot 44 is empty); nothing for any other index. */
std::optional<Card> card(int index);

/** The name of the card at @p index ("The Eagle"); empty for an index that names none. */
inline QString cardName(int index)
{
    return card(index).value_or(Card{}).name;
}

/** True for the indices that name a real card (0..43). */
constexpr bool isCard(int index) { return index >= 0 && index < CardCount; }

/** The picture entry of a card; entries are counted from 1. */
constexpr int pictureEntry(int index) { return index + 1; }

} // namespace Orvella::CardDeck
