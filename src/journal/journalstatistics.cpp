#include "journalstatistics.h"

#include "chancetest.h"
#include "drawchance.h"
#include "journalentry.h"
#include "journalsearch.h"

#include <algorithm>

namespace Orvella {

namespace {

// Up to this many days the readings are counted week by week.
constexpr qint64 WeeksUpToDays = 92;

QDate stepStart(QDate day, JournalStatistics::Step step)
{
    return step == JournalStatistics::Step::Week ? day.addDays(1 - day.dayOfWeek())
                                                 : QDate(day.year(), day.month(), 1);
}

QDate nextStep(QDate start, JournalStatistics::Step step)
{
    return step == JournalStatistics::Step::Week ? start.addDays(7) : start.addMonths(1);
}

void countOverTime(JournalStatistics &statistics, const QList<JournalSummary> &readings, QDate from,
                   QDate to)
{
    // The open ends close on the readings themselves.
    QDate first = from;
    QDate last = to;
    for (const JournalSummary &reading : readings) {
        const QDate day = reading.time.date();
        if (!first.isValid() || day < first)
            first = day;
        if (!last.isValid() || day > last)
            last = day;
    }
    if (!first.isValid() || !last.isValid() || last < first)
        return;
    statistics.first = first;
    statistics.last = last;
    statistics.step = first.daysTo(last) < WeeksUpToDays ? JournalStatistics::Step::Week
                                                         : JournalStatistics::Step::Month;
    for (QDate start = stepStart(first, statistics.step); start <= last;
         start = nextStep(start, statistics.step)) {
        statistics.overTime.append(
            TimeCount{start, nextStep(start, statistics.step).addDays(-1), 0});
    }
    for (const JournalSummary &reading : readings) {
        const QDate start = stepStart(reading.time.date(), statistics.step);
        const auto at = std::lower_bound(
            statistics.overTime.begin(), statistics.overTime.end(), start,
            [](const TimeCount &count, const QDate &day) { return count.first < day; });
        if (at != statistics.overTime.end() && at->first == start)
            ++at->readings;
    }
}

} // namespace

QString chanceMarkName(ChanceMark mark)
{
    switch (mark) {
    case ChanceMark::More:
        return QStringLiteral("more");
    case ChanceMark::Less:
        return QStringLiteral("less");
    case ChanceMark::None:
        break;
    }
    return {};
}

JournalStatistics journalStatistics(const QList<JournalSummary> &readings, QDate from, QDate to)
{
    JournalStatistics statistics;
    statistics.readings = int(readings.size());
    for (int card = 0; card < CardDeck::CardCount; ++card)
        statistics.perCard.append(CardCount{card});
    for (const JournalSpread &spread : journalSpreads())
        statistics.spreads.append(SpreadCount{spread.index, spread.name});

    // Each reading's chance of bringing each card, by how many cards it drew.
    std::array<QList<double>, CardDeck::CardCount> chances;
    for (QList<double> &perReading : chances)
        perReading.reserve(readings.size());
    for (const JournalSummary &reading : readings) {
        for (const JournalCardMark &mark : reading.cards) {
            if (!CardDeck::isCard(mark.card))
                continue;
            CardCount &count = statistics.perCard[mark.card];
            ++count.count;
            ++statistics.cards;
            if (mark.reversed) {
                ++count.reversed;
                ++statistics.reversed;
            }
        }
        const auto chance = chanceOfCard(int(reading.cards.size()));
        for (int card = 0; card < CardDeck::CardCount; ++card)
            chances[card].append(chance[card]);
        for (SpreadCount &spread : statistics.spreads) {
            if (spread.spread == reading.spread)
                ++spread.readings;
        }
    }

    QList<double> pValues;
    for (CardCount &count : statistics.perCard) {
        for (double chance : chances[count.card])
            count.expected += chance;
        count.pValue = twoSidedPValue(count.count, chances[count.card]);
        pValues.append(count.pValue);
    }
    const QList<bool> standing = discoveries(pValues);
    for (CardCount &count : statistics.perCard) {
        if (standing[count.card])
            count.mark = count.count > count.expected ? ChanceMark::More : ChanceMark::Less;
    }
    countOverTime(statistics, readings, from, to);
    return statistics;
}

void withholdChanceMarks(JournalStatistics &statistics, const JournalFilter &filter)
{
    if (filter.cards.isEmpty() && !journalSearchChoosesCards(filter.text))
        return;
    statistics.setAgainstChance = false;
    for (CardCount &count : statistics.perCard)
        count.mark = ChanceMark::None;
}

QByteArray statisticsCsv(const JournalStatistics &statistics)
{
    QByteArray out = "card,count,reversed,expected,mark\r\n";
    for (const CardCount &count : statistics.perCard) {
        out += CardDeck::cardName(count.card).toUtf8() + ','
               + QByteArray::number(count.count) + ',' + QByteArray::number(count.reversed) + ','
               + QByteArray::number(count.expected, 'f', 2) + ','
               + chanceMarkName(count.mark).toUtf8() + "\r\n";
    }
    return out;
}

} // namespace Orvella
