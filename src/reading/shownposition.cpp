#include "shownposition.h"

#include "oracle/carddeck.h"
#include "reading/reading.h"

namespace Orvella {

namespace {

QString accessibleNameOf(const ShownPosition &shown)
{
    QString name = shown.numberText();
    if (!shown.title.isEmpty())
        name += QStringLiteral(", ") + shown.title;
    if (!shown.cardName().isEmpty())
        name += QStringLiteral(": ") + shown.cardName();
    name += shown.reversed ? QStringLiteral(", reversed") : QStringLiteral(", upright");
    return name;
}

} // namespace

QString ShownPosition::numberText() const
{
    return QStringLiteral("Card %1").arg(number());
}

QList<ShownPosition> shownPositions(const Reading &reading)
{
    QList<ShownPosition> positions;
    const int count = reading.positionCount();
    positions.reserve(count);
    // Pictures are laid on one work surface: a card without a picture leaves
    // the previous one there, and each reversed position turns what lies there.
    int surfaceCard = -1;
    bool surfaceTurned = false;
    for (int i = 0; i < count; ++i) {
        ShownPosition shown;
        shown.position = i;
        shown.title = reading.positionTitles.value(i);
        shown.card = reading.cards[i];
        shown.text = CardDeck::card(shown.card);
        shown.reversed = reading.isReversed(i);
        if (CardDeck::isCard(shown.card)) {
            surfaceCard = shown.card;
            surfaceTurned = false;
        }
        if (shown.reversed)
            surfaceTurned = !surfaceTurned;
        shown.pictureCard = surfaceCard;
        shown.pictureTurned = surfaceCard >= 0 && surfaceTurned;
        shown.accessibleName = accessibleNameOf(shown);
        positions.append(std::move(shown));
    }
    return positions;
}

ShownPosition shownDeckCard(int index)
{
    ShownPosition shown;
    shown.position = index;
    shown.card = index;
    shown.text = CardDeck::card(index);
    shown.pictureCard = CardDeck::isCard(index) ? index : -1;
    // Named apart from the card's name shown beside the picture.
    shown.accessibleName = QStringLiteral("%1: %2, upright").arg(shown.numberText(),
                                                                 shown.cardName());
    return shown;
}

} // namespace Orvella
