#include "readingfile.h"

#include "oracle/carddeck.h"
#include "oracle/spreadcatalogue.h"
#include "reading/rounding.h"
#include "scramble.h"

#include <QRegularExpression>
#include <QStringList>

namespace Orvella::ReadingFile {

namespace {

constexpr char LineEnd[] = "\r\n";
constexpr QChar Separator = u'|';

template<typename T>
QString entryLine(const QList<T> &table, int count)
{
    QString line;
    for (int i = 0; i < count && i < table.size(); ++i)
        line += QString::number(table[i]) + Separator;
    return line;
}

QByteArray scrambledLine(const QString &plain)
{
    // Every image lies in 0..255, so Latin-1 writes each one as its own byte.
    return ScrambleText(plain).toLatin1() + LineEnd;
}

/** Up to three lines; a line ends at CR LF, a lone CR or a lone LF. */
QList<QByteArrayView> firstLines(QByteArrayView data)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < data.size() && lines.size() < LineCount) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            lines.append(data.sliced(start, i - start));
            i += (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (lines.size() < LineCount && start < data.size())
        lines.append(data.sliced(start)); // the last line may lack its line end
    return lines;
}

QString unscrambledLine(QByteArrayView line)
{
    return UnscrambleText(QString::fromLatin1(line));
}

} // namespace

std::optional<qint16> toInt16(const QString &text)
{
    // Blanks around the number, an optional sign, digits with an optional fraction.
    static const QRegularExpression number(
        QStringLiteral("^[ \\t]*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+))[ \\t]*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = match.captured(1).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return Orvella::toInt16(value);
}

QByteArray encode(const Reading &reading)
{
    QByteArray data = scrambledLine(QString::number(reading.spreadIndex));
    data += scrambledLine(entryLine(reading.orientations, reading.orientationCount()));
    data += scrambledLine(entryLine(reading.cards, reading.positionCount()));
    return data;
}

std::optional<Reading> decode(QByteArrayView data)
{
    if (data.size() > MaxFileSize)
        return std::nullopt;
    const QList<QByteArrayView> lines = firstLines(data);
    if (lines.size() < LineCount)
        return std::nullopt;

    const std::optional<qint16> spreadIndex = toInt16(unscrambledLine(lines[0]));
    if (!spreadIndex || *spreadIndex < 0 || *spreadIndex >= SpreadCatalogue::SpreadCount)
        return std::nullopt;
    const std::optional<Spread> spread = SpreadCatalogue::spread(*spreadIndex);
    if (!spread)
        return std::nullopt;
    const int n = spread->cardCount;

    // Only the first n entries of a line belong to positions; whatever follows
    // them (the empty piece after the last "|", or extra entries) is not read.
    const QStringList orientationPieces = unscrambledLine(lines[1]).split(Separator);
    const QStringList cardPieces = unscrambledLine(lines[2]).split(Separator);
    if (orientationPieces.size() < n || cardPieces.size() < n)
        return std::nullopt;

    Reading reading;
    reading.spreadIndex = *spreadIndex;
    reading.makeTables(n);
    reading.positionTitles = SpreadCatalogue::splitTitles(spread->positionTitles);
    for (int i = 0; i < n; ++i) {
        const std::optional<qint16> orientation = toInt16(orientationPieces[i]);
        const std::optional<qint16> card = toInt16(cardPieces[i]);
        if (!orientation || !card || !CardDeck::isCard(*card))
            return std::nullopt;
        reading.orientations[i] = *orientation;
        reading.cards[i] = *card;
    }
    return reading;
}

} // namespace Orvella::ReadingFile
