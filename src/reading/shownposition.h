#pragma once

#include "oracle/card.h"

#include <QList>
#include <QString>

#include <optional>

namespace Orvella {

struct Reading;

/**
 * What every view of a reading shows of one position: the main window's card
 * places, the card view and the printed page all take it from here.
 */
struct ShownPosition
{
    /** 0-based; the report and the places number it from 1. */
    int position = 0;
    /** The position's title as the report gives it; empty when the reading has none. */
    QString title;
    /** The card index the reading holds, and its texts when that index is in the deck. */
    int card = -1;
    std::optional<Card> text;
    bool reversed = false;
    /**
     * The card whose picture is drawn: this position's, or for a card without a
     * picture the last one before it; -1 when there is none.
     */
    int pictureCard = -1;
    /** The picture is drawn turned a half turn. */
    bool pictureTurned = false;
    /** "Card 3, your Future: The Otter, reversed". */
    QString accessibleName;

    int number() const { return position + 1; }
    /** "Card 3". */
    QString numberText() const;
    /** The card's name, or an empty text for an index outside the deck. */
    QString cardName() const { return text ? text->name : QString(); }
};

/** The positions of @p reading that its report lists, in order. */
QList<ShownPosition> shownPositions(const Reading &reading);

/**
 * Card @p index of the deck as the card meanings show it: upright, drawn as
 * it is, numbered as the deck numbers it ("Card 8: The Otter, upright").
 */
ShownPosition shownDeckCard(int index);

} // namespace Orvella
