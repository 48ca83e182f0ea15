#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace Orvella {

/** One spread: how many cards a reading has and what each position means. */
struct Spread
{
    QString name;
    qint16 cardCount = 0;
    QString description;
    /** Every title followed by "|", so the string ends with the separator. */
    QString positionTitles;
};

namespace SpreadCatalogue {

/** Highest slot of the catalogue's tables; slot 5 is an empty spare. */
inline constexpr qint16 UpperIndex = 5;
inline constexpr int SpreadCount = 5;
inline constexpr QChar TitleSeparator = u'|';

/** The spread in slot 0..5 (slot 5 is empty); nothing for any other index. */
std::optional<Spread> spread(int index);

/** The five spread names in index order, as the spread list shows them. */
QStringList names();

/** Splits a position titles string at every "|": card count + 1 pieces, the last empty. */
QStringList splitTitles(const QString &positionTitles);

} // namespace SpreadCatalogue
} // namespace Orvella
