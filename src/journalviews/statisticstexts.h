#pragma once

#include "journal/journalstatistics.h"

#include <QString>

namespace Orvella {

/** The statistics' parts, in the order they are shown and printed. */
enum class StatisticsPart { Deck, OverTime, Spreads, AgainstChance };
/** A part's heading, on screen, on paper and to a screen reader: "Cards of the deck". */
QString statisticsHeading(StatisticsPart part);

/**
 * The share of reversed cards in a line: "38 % of the 412 cards in 120 readings
 * came up reversed.", or "No readings in this period." when there are none.
 */
QString reversedShareText(const JournalStatistics &statistics);

/** A card's name, its count and how many of those were reversed: "The Bear: 12, 3 reversed". */
QString cardCountText(const CardCount &count);
/** The same, and how it stands against chance when it is marked. */
QString cardHeardText(const CardCount &count);

/** How often chance alone would bring a card, to two decimals: "4.25". */
QString expectedText(double expected);

/** A week's or a month's name in full: "December 2026", "Week of 7 December 2026". */
QString timeCountName(const TimeCount &count, JournalStatistics::Step step);
/** Its short label under a bar: "Dec", "7 Dec". */
QString timeCountLabel(const TimeCount &count, JournalStatistics::Step step);
/** "December 2026: 12 readings" */
QString timeCountText(const TimeCount &count, JournalStatistics::Step step);
/** "Pathway Spread: 5 readings" */
QString spreadCountText(const SpreadCount &count);

/** Every card of the deck, its count and mark, as a screen reader should hear the grid. */
QString deckDescription(const JournalStatistics &statistics);
/** Every week or month with its readings: "December 2026: 12 readings; January 2027: ...". */
QString overTimeDescription(const JournalStatistics &statistics);
/** Every spread with its readings. */
QString spreadsDescription(const JournalStatistics &statistics);

/**
 * The one sentence that says what a card marked "more" or "less" means, or
 * why none is marked in readings chosen by their cards.
 */
QString chanceMarkMeaning(const JournalStatistics &statistics);

} // namespace Orvella
