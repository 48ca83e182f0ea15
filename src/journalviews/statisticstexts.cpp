#include "statisticstexts.h"

#include "journal/journaltexts.h"
#include "oracle/carddeck.h"

#include <QStringList>

#include <algorithm>

namespace Orvella {

namespace {

const QString Separator = QStringLiteral("; ");

} // namespace

QString statisticsHeading(StatisticsPart part)
{
    switch (part) {
    case StatisticsPart::Deck:
        return QStringLiteral("Cards of the deck");
    case StatisticsPart::OverTime:
        return QStringLiteral("Readings over time");
    case StatisticsPart::Spreads:
        return QStringLiteral("Spreads used");
    case StatisticsPart::AgainstChance:
        break;
    }
    return QStringLiteral("Cards against chance");
}

QString reversedShareText(const JournalStatistics &statistics)
{
    if (statistics.readings == 0)
        return QStringLiteral("No readings in this period.");
    if (statistics.cards == 0)
        return QStringLiteral("No cards in the %1 of this period.")
            .arg(readingsText(statistics.readings));
    const QString cards = statistics.cards == 1
        ? QStringLiteral("1 card")
        : QStringLiteral("%1 cards").arg(journalLocale().toString(statistics.cards));
    // Never "0 %" of some, nor "100 %" of not all.
    const int share = std::clamp(qRound(statistics.reversedShare() * 100),
                                 statistics.reversed > 0 ? 1 : 0,
                                 statistics.reversed < statistics.cards ? 99 : 100);
    return QStringLiteral("%1 % of the %2 in %3 came up reversed.") .arg(share).arg(
        cards, readingsText(statistics.readings));
}

QString cardCountText(const CardCount &count)
{
    QString text =
        CardDeck::cardName(count.card) + QStringLiteral(": ") + QString::number(count.count);
    if (count.reversed > 0)
        text += QStringLiteral(", %1 reversed").arg(count.reversed);
    return text;
}

QString cardHeardText(const CardCount &count)
{
    switch (count.mark) {
    case ChanceMark::More:
        return cardCountText(count) + QStringLiteral(", more than chance alone");
    case ChanceMark::Less:
        return cardCountText(count) + QStringLiteral(", less than chance alone");
    case ChanceMark::None:
        break;
    }
    return cardCountText(count);
}

QString expectedText(double expected)
{
    // Two decimals, as the CSV: a few readings' chance (0.05) never reads as none.
    return journalLocale().toString(expected, 'f', 2);
}

QString timeCountName(const TimeCount &count, JournalStatistics::Step step)
{
    return step == JournalStatistics::Step::Week
        ? QStringLiteral("Week of ") + dayText(count.first)
        : journalLocale().toString(count.first, QStringLiteral("MMMM yyyy"));
}

QString timeCountLabel(const TimeCount &count, JournalStatistics::Step step)
{
    return journalLocale().toString(count.first, step == JournalStatistics::Step::Week
                                                      ? QStringLiteral("d MMM")
                                                      : QStringLiteral("MMM"));
}

QString timeCountText(const TimeCount &count, JournalStatistics::Step step)
{
    return timeCountName(count, step) + QStringLiteral(": ") + readingsText(count.readings);
}

QString spreadCountText(const SpreadCount &count)
{
    return count.name + QStringLiteral(": ") + readingsText(count.readings);
}

QString deckDescription(const JournalStatistics &statistics)
{
    QStringList cards;
    for (const CardCount &count : statistics.perCard)
        cards << cardHeardText(count);
    return cards.join(Separator);
}

QString overTimeDescription(const JournalStatistics &statistics)
{
    if (statistics.overTime.isEmpty())
        return QStringLiteral("No readings in this period.");
    QStringList steps;
    for (const TimeCount &count : statistics.overTime)
        steps << timeCountText(count, statistics.step);
    return steps.join(Separator);
}

QString spreadsDescription(const JournalStatistics &statistics)
{
    QStringList spreads;
    for (const SpreadCount &count : statistics.spreads)
        spreads << spreadCountText(count);
    return spreads.join(Separator);
}

QString chanceMarkMeaning(const JournalStatistics &statistics)
{
    const QString order = QStringLiteral(
        " By \"Against chance\", the table lists first the cards whose counts chance alone "
        "would least likely bring.");
    if (!statistics.setAgainstChance) {
        return QStringLiteral(
                   "These readings were chosen by a card, or by words of cards' names, and a "
                   "card chosen is bound to come up more often than chance would bring it: no "
                   "card is marked more or less here.")
            + order;
    }
    const bool marked = std::any_of(
        statistics.perCard.cbegin(), statistics.perCard.cend(),
        [](const CardCount &card) { return card.mark != ChanceMark::None; });
    if (!marked) {
        return QStringLiteral("No card came up more or less often than chance alone would bring "
                              "it in these readings, allowing for all 44 cards being looked at "
                              "at once.")
                              + order;
    }
    return QStringLiteral(
               "A card marked more or less came up more or less often than chance alone would "
               "bring it in these readings, even allowing for all 44 cards being looked at at "
               "once: at most one such mark in twenty would be chance.")
        + order;
}

} // namespace Orvella
