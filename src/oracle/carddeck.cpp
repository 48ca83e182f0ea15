#include "carddeck.h"

#include "cardtexts.h"

namespace Orvella::CardDeck {

std::optional<Card> card(int index)
{
    if (index == UpperIndex)
        return Card{};
    if (!isCard(index))
        return std::nullopt;
    const CardText &t = cardTexts()[index];
    return Card{QString::fromLatin1(t.name), QString::fromLatin1(t.keyword),
                QString::fromLatin1(t.upright), QString::fromLatin1(t.reverse),
                QString::fromLatin1(t.medical)};
}

} // namespace Orvella::CardDeck
