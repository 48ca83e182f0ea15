#include "journalentry.h"

#include "oracle/carddeck.h"
#include "oracle/spreadcatalogue.h"
#include "reading/draw.h"
#include "reading/randomsource.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace Orvella {

namespace {

constexpr std::array<std::pair<JournalSource, const char *>, 4> sourceNames{{
    {JournalSource::Drawn, "drawn"},
    {JournalSource::Opened, "opened"},
    {JournalSource::HandedOver, "handed over"},
    {JournalSource::Imported, "imported"},
}};

} // namespace

JournalCard journalCard(int position, const QString &title, int card, bool reversed)
{
    const Card text = CardDeck::card(card).value_or(Card{});
    return {position, title, card, text.name, text.keyword, reversed};
}

QString cardOfTheDayName()
{
    return QStringLiteral("Card of the Day");
}

QList<JournalSpread> journalSpreads()
{
    QList<JournalSpread> spreads;
    for (int index = 0; index < SpreadCatalogue::SpreadCount; ++index) {
        const Spread spread = *SpreadCatalogue::spread(index);
        spreads.append({index, spread.name, spread.cardCount});
    }
    spreads.append({CardOfTheDaySpread, cardOfTheDayName(), 1});
    return spreads;
}

QString journalSourceName(JournalSource source)
{
    for (const auto &[each, name] : sourceNames) {
        if (each == source)
            return QLatin1String(name);
    }
    return {};
}

std::optional<JournalSource> journalSourceFromName(const QString &name)
{
    for (const auto &[each, text] : sourceNames) {
        if (name == QLatin1String(text))
            return each;
    }
    return std::nullopt;
}

QDateTime journalTime(const QDateTime &time)
{
    // A time with an offset stays as it was where it was kept; a local one
    // takes the offset it has here and now. To the second, its offset to the
    // minute as it is written: a local mean time of old (a file's date from 1930,
    // say) has seconds in its offset, and would read back as another moment.
    const QDateTime whole = time.addMSecs(-time.time().msec());
    const int offset = whole.offsetFromUtc();
    const int minutes = int(std::lround(offset / 60.0)) * 60;
    return whole.timeSpec() == Qt::OffsetFromUTC && offset == minutes
        ? whole
        : whole.toOffsetFromUtc(minutes);
}

QString JournalEntry::timeText() const
{
    // Written out by hand: Qt writes an offset of zero as "Z", and a journal
    // kept in London would then read unlike one kept in Paris.
    const QDateTime local = journalTime(time);
    const int offset = local.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
                          + QStringLiteral("%1%2:%3")
                                               .arg(QChar(offset < 0 ? u'-' : u'+'))
                                               .arg(minutes / 60, 2, 10, QChar(u'0'))
                                               .arg(minutes % 60, 2, 10, QChar(u'0'));
}

JournalEntry journalEntry(const Reading &reading, const QDateTime &time, JournalSource source,
                          const QString &name, const QString &file)
{
    JournalEntry entry;
    entry.time = journalTime(time);
    entry.name = name;
    entry.spread = reading.spreadIndex;
    entry.spreadName = SpreadCatalogue::spread(reading.spreadIndex).value_or(Spread{}).name;
    entry.source = source;
    entry.file = file;
    const int count = reading.positionCount();
    for (int i = 0; i < count; ++i) {
        entry.cards.append(journalCard(i + 1, reading.positionTitles.value(i), reading.cards[i],
                                       reading.isReversed(i)));
    }
    return entry;
}

namespace {

JournalEntry cardOfTheDay(const QDateTime &time, int card, bool reversed)
{
    JournalEntry entry;
    entry.time = time;
    entry.spread = CardOfTheDaySpread;
    entry.spreadName = cardOfTheDayName();
    entry.cards.append(journalCard(1, cardOfTheDayName(), card, reversed));
    return entry;
}

} // namespace

JournalEntry cardOfTheDay(RandomSource &random, const QDateTime &time)
{
    const int card = cardCandidate(random.next());
    return cardOfTheDay(journalTime(time), card, orientationFor(random.next()) == Reversed);
}

QString cardOfTheDayLine(const JournalEntry &entry)
{
    const JournalCard card = entry.cards.value(0);
    return QStringLiteral("%1 %2 %3").arg(entry.timeText()).arg(card.card).arg(int(card.reversed));
}

std::optional<JournalEntry> cardOfTheDayFromLine(const QString &line)
{
    const QStringList parts = line.split(u' ');
    bool isCard = false;
    const int card = parts.value(1).toInt(&isCard);
    const QDateTime time = QDateTime::fromString(parts.value(0), Qt::ISODate);
    if (parts.size() != 3 || !time.isValid() || !isCard || card < 0 || card >= CardDeck::CardCount
        || (parts[2] != QLatin1String("0") && parts[2] != QLatin1String("1")))
        return std::nullopt;
    return cardOfTheDay(time, card, parts[2] == QLatin1String("1"));
}

Reading readingOf(const JournalEntry &entry)
{
    Reading reading;
    reading.spreadIndex = qint16(entry.spread);
    reading.makeTables(int(entry.cards.size()));
    for (qsizetype i = 0; i < entry.cards.size(); ++i) {
        reading.cards[i] = qint16(entry.cards[i].card);
        reading.orientations[i] = entry.cards[i].reversed ? Reversed : Upright;
        reading.positionTitles[i] = entry.cards[i].title;
    }
    return reading;
}

} // namespace Orvella
