#pragma once

#include "journalstore.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace Orvella {

/** How a card's count stands against chance, after allowing for the 44 cards looked at. */
enum class ChanceMark { None, More, Less };

/** "more", "less" or an empty text, as the statistics' CSV says it. */
QString chanceMarkName(ChanceMark mark);

/** One card of the deck in the readings counted. */
struct CardCount
{
    int card = 0;
    int count = 0;
    int reversed = 0;
    /** How often chance alone would bring it in those very readings. */
    double expected = 0;
    /** The chance of a count this far from the expected one (two-sided). */
    double pValue = 1;
    ChanceMark mark = ChanceMark::None;
};

/** How many readings used a spread; the card of the day counts apart. */
struct SpreadCount
{
    int spread = 0;
    QString name;
    int readings = 0;
};

/** The readings of a week or a month. */
struct TimeCount
{
    QDate first;
    QDate last;
    int readings = 0;
};

/** What the readings of a period tell, counted and set against chance. */
struct JournalStatistics
{
    enum class Step { Week, Month };

    int readings = 0;
    int cards = 0;
    int reversed = 0;
    /** The 44 cards in deck order. */
    QList<CardCount> perCard;
    /** The spreads of the catalogue in its order, then the card of the day. */
    QList<SpreadCount> spreads;
    /** Weeks for a period of up to three months, months beyond; every one, none left out. */
    Step step = Step::Month;
    QList<TimeCount> overTime;
    /** The days counted: the period's, an open end closed by the readings; null without any. */
    QDate first;
    QDate last;

    /**
     * False when the readings were chosen by their cards or by words (which may
     * be a card's name or keywords): a card chosen is bound to come up more
     * than chance, so no card is marked.
     */
    bool setAgainstChance = true;
    /** The share of reversed cards, 0..1; 0 without cards. */
    double reversedShare() const { return cards ? double(reversed) / cards : 0.0; }
};

/**
 * The statistics of @p readings, over the period from @p from to @p to
 * (a null date: from the first reading's day, or to the last one's).
 */
JournalStatistics journalStatistics(const QList<JournalSummary> &readings, QDate from = {},
                                    QDate to = {});

/**
 * Takes the chance marks off @p statistics of the readings @p filter keeps,
 * when it chose them by their cards, or by words that name cards.
 */
void withholdChanceMarks(JournalStatistics &statistics, const JournalFilter &filter);

/**
 * The per-card table as CSV: a header "card,count,reversed,expected,mark",
 * then one row per card in deck order, the expected count with two decimals.
 */
QByteArray statisticsCsv(const JournalStatistics &statistics);

} // namespace Orvella
