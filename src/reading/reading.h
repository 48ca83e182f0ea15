#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

namespace Orvella {

/** How a card lies: 1 is reversed, every other value reads as upright. */
using Orientation = qint16;
inline constexpr Orientation Upright = 0;
inline constexpr Orientation Reversed = 1;

/**
 * The current reading. Each table has one spare slot beyond its positions
 * (n + 1 slots for n positions); consumers walk 0 .. upper index - 1.
 */
struct Reading
{
    qint16 spreadIndex = 0;
    QList<qint16> cards;
    QList<Orientation> orientations;
    QStringList positionTitles;

    /** Positions walked by the report and the save: the cards table's upper index. */
    int positionCount() const { return upperIndexPositions(cards.size()); }
    /** Positions walked by the picture steps: the orientations table's upper index. */
    int orientationCount() const { return upperIndexPositions(orientations.size()); }

    bool isReversed(int position) const;

    /**
     * Makes the tables for @p positions positions, each with its spare slot:
     * no card, upright and no title everywhere; the spread index stays.
     */
    void makeTables(int positions);
    /** Empties the three tables; the spread index stays. */
    void clearTables();

    bool operator==(const Reading &) const = default;

private:
    static int upperIndexPositions(qsizetype size) { return size > 0 ? int(size - 1) : 0; }
};

} // namespace Orvella
