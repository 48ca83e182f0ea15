#pragma once

#include "reading/reading.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace Orvella {

class RandomSource;

/** Where a kept reading came from, as the journal and its exports name it. */
enum class JournalSource { Drawn, Opened, HandedOver, Imported };

/** The spread index of the card of the day, which no spread of the catalogue has. */
inline constexpr int CardOfTheDaySpread = -1;
/** Its name, as the journal and its exports give it, and its one position's title. */
QString cardOfTheDayName();

/** A spread a reading may be kept with: one of the catalogue's, or the card of the day. */
struct JournalSpread
{
    int index = 0;
    QString name;
    int cardCount = 0;
};
/** Every spread a reading may be kept with, the catalogue's in order, the card of the day last. */
QList<JournalSpread> journalSpreads();

/**
 * The years a kept reading's time may lie in: four digits, as an export
 * writes them, and none before the first day a date field can be set to.
 */
inline constexpr int EarliestYear = 100;
inline constexpr int LatestYear = 9999;

/**
 * No name, question, notes or outcome is longer than this, fifty pages of
 * text: the notes take no more as they are typed, and an import no more.
 */
inline constexpr qsizetype MaxTextLength = 100'000;

/** "drawn", "opened", "handed over", "imported". */
QString journalSourceName(JournalSource source);
std::optional<JournalSource> journalSourceFromName(const QString &name);

/** One position of a kept reading, as the reading showed it. */
struct JournalCard
{
    int position = 1; ///< counted from 1
    QString title;
    int card = 0; ///< deck index 0..43
    QString cardName;
    /** The card's keyword, which the journal's search finds it by too. */
    QString keyword;
    bool reversed = false;

    bool operator==(const JournalCard &) const = default;
};

/** Position @p position as the journal keeps it: the card's name and keyword from the deck. */
JournalCard journalCard(int position, const QString &title, int card, bool reversed);

/** A reading kept in the journal, with what the user wrote about it. */
struct JournalEntry
{
    qint64 id = 0; ///< 0 until kept
    /** When it was shown: local time with its offset from UTC. */
    QDateTime time;
    QString name;
    int spread = 0;
    QString spreadName;
    JournalSource source = JournalSource::Drawn;
    /** The file an opened or handed-over reading came from. */
    QString file;
    QString question;
    QString notes;
    /** How it turned out, and when the user said so. */
    QString outcome;
    QDate outcomeDate;
    QList<JournalCard> cards;

    /** The time as kept and exported: "2026-12-08T09:15:02+01:00". */
    QString timeText() const;
    bool isCardOfTheDay() const { return spread == CardOfTheDaySpread; }

    bool operator==(const JournalEntry &) const = default;
};

/**
 * The entry for @p reading shown at @p time: each position's title, card and
 * orientation as the deck and the spreads name them.
 */
JournalEntry journalEntry(const Reading &reading, const QDateTime &time, JournalSource source,
                          const QString &name = {}, const QString &file = {});

/**
 * The card of the day drawn with @p random, as the journal keeps it: one
 * position, its card and orientation drawn as any reading's are.
 */
JournalEntry cardOfTheDay(RandomSource &random, const QDateTime &time);

/** The card of the day as one short line (its time, card and orientation), and read back. */
QString cardOfTheDayLine(const JournalEntry &entry);
std::optional<JournalEntry> cardOfTheDayFromLine(const QString &line);

/** The reading @p entry keeps, as it was shown: its spread, cards, orientations and titles. */
Reading readingOf(const JournalEntry &entry);

/** @p time as kept, to the second, with its offset from UTC: its own, or this place's now. */
QDateTime journalTime(const QDateTime &time);

} // namespace Orvella
