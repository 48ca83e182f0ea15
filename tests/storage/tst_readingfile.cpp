#include "oracle/spreadcatalogue.h"
#include "reading/draw.h"
#include "storage/readingfile.h"
#include "storage/scramble.h"
#include "support/scriptedrandom.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace Orvella;
using Orvella::Test::ScriptedRandom;

Q_DECLARE_METATYPE(std::optional<qint16>)

namespace {

/** A drawn reading with exactly these cards and orientations (one per position). */
Reading drawn(qint16 spread, const QList<int> &cards, const QList<int> &orientations)
{
    QList<double> script;
    for (qsizetype i = 0; i < cards.size(); ++i)
        script << cards[i] / 43.0 << (orientations[i] == 1 ? 0.9 : 0.1);
    ScriptedRandom random(script);
    Reading reading;
    Draw(reading, spread, random);
    return reading;
}

/** File bytes with each plain line scrambled and ended by @p lineEnd. */
QByteArray fileOf(const QStringList &plainLines, const QByteArray &lineEnd = "\r\n")
{
    QByteArray data;
    for (const QString &line : plainLines)
        data += ScrambleText(line).toLatin1() + lineEnd;
    return data;
}

QStringList plainLinesOf(const QByteArray &data)
{
    QStringList lines;
    for (const QByteArray &line : data.split('\n'))
        lines << UnscrambleText(QString::fromLatin1(line.chopped(line.endsWith('\r') ? 1 : 0)));
    return lines;
}

const QStringList butterflyLines{QStringLiteral("1"), QStringLiteral("0|1|1|0|"),
                                                                     QStringLiteral("12|3|40|7|")};

} // namespace

class TestReadingFile : public QObject
{
    Q_OBJECT

private slots:
    void savedPathwayIsThreeScrambledLines();
    void butterflyExamples();
    void fileFromAnEarlierBuildStillOpens();
    void roundTripForEverySpread_data();
    void roundTripForEverySpread();
    void orientationLineComesBeforeCardLine();
    void lineEnds_data();
    void lineEnds();
    void numbersAsTheDesktopConvertsThem_data();
    void numbersAsTheDesktopConvertsThem();
    void blanksAndFractionsInAFile();
    void otherOrientationsAreKeptAsRead();
    void extraEntriesAreIgnoredWhateverTheyHold();
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void sizeLimitIsInclusive();
};

void TestReadingFile::savedPathwayIsThreeScrambledLines()
{
    const Reading reading = drawn(0, {5, 17, 0, 43, 22, 9, 31}, {0, 1, 1, 0, 0, 1, 0});
    QCOMPARE(reading.cards.size(), 8);

    const QByteArray data = ReadingFile::encode(reading);
    QVERIFY(data.endsWith("\r\n"));
    QCOMPARE(data.count("\r\n"), 3);
    QCOMPARE(data.count('\r'), 3);
    QCOMPARE(data.count('\n'), 3);
    // Nothing in plain text.
    QVERIFY(!data.contains('|'));
    QVERIFY(!data.contains("17"));

    const QStringList lines = plainLinesOf(data);
    QCOMPARE(lines, QStringList({QStringLiteral("0"), QStringLiteral("0|1|1|0|0|1|0|"),
                                             QStringLiteral("5|17|0|43|22|9|31|"), QString()}));
}

void TestReadingFile::butterflyExamples()
{
    const Reading reading = drawn(1, {12, 3, 40, 7}, {0, 1, 1, 0});
    const QByteArray data = ReadingFile::encode(reading);
    QCOMPARE(data, fileOf(butterflyLines));

    const std::optional<Reading> opened = ReadingFile::decode(data);
    QVERIFY(opened);
    QCOMPARE(opened->cards, QList<qint16>({12, 3, 40, 7, 0}));
    QCOMPARE(opened->orientations, QList<Orientation>({0, 1, 1, 0, 0}));
}

void TestReadingFile::fileFromAnEarlierBuildStillOpens()
{
    // Written once and kept, so a change of the offset or the layout shows up here.
    QFile file(QFINDTESTDATA("../data/storage/butterfly.mca"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray stored = file.readAll();

    const Reading expected = drawn(1, {12, 3, 40, 7}, {0, 1, 1, 0});
    QCOMPARE(ReadingFile::decode(stored), std::optional<Reading>(expected));
    QCOMPARE(ReadingFile::encode(expected), stored);
}

void TestReadingFile::roundTripForEverySpread_data()
{
    QTest::addColumn<int>("spread");
    for (int s = 0; s < SpreadCatalogue::SpreadCount; ++s)
        QTest::newRow(qPrintable(SpreadCatalogue::names().at(s))) << s;
}

void TestReadingFile::roundTripForEverySpread()
{
    QFETCH(int, spread);
    ScriptedRandom random({0.0, 0.9, 1.0 - 1.0 / (1 << 24), 0.6, 0.5, 0.2});
    Reading reading;
    Draw(reading, qint16(spread), random);
    QVERIFY(reading.positionCount() >= 4);

    const std::optional<Reading> opened = ReadingFile::decode(ReadingFile::encode(reading));
    QVERIFY(opened);
    QCOMPARE(*opened, reading);
    QCOMPARE(opened->positionTitles.size(), reading.cards.size());
    QCOMPARE(opened->positionTitles.constLast(), QString());
}

void TestReadingFile::orientationLineComesBeforeCardLine()
{
    const std::optional<Reading> opened = ReadingFile::decode(
        fileOf({QStringLiteral("1"), QStringLiteral("1|1|0|1|"), QStringLiteral("40|41|42|43|")}));
    QVERIFY(opened);
    QCOMPARE(opened->orientations, QList<Orientation>({1, 1, 0, 1, 0}));
    QCOMPARE(opened->cards, QList<qint16>({40, 41, 42, 43, 0}));
}

void TestReadingFile::lineEnds_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("cr lf") << fileOf(butterflyLines, "\r\n");
    QTest::newRow("lone cr") << fileOf(butterflyLines, "\r");
    QTest::newRow("lone lf") << fileOf(butterflyLines, "\n");
    QTest::newRow("last line without line end") << fileOf(butterflyLines).chopped(2);
    const QStringList scrambled{ScrambleText(butterflyLines[0]), ScrambleText(butterflyLines[1]),
                                ScrambleText(butterflyLines[2])};
    QTest::newRow("mixed") << (scrambled[0].toLatin1() + "\n" + scrambled[1].toLatin1() + "\r"
                               + scrambled[2].toLatin1() + "\r\n");
    QTest::newRow("anything after the third line")
        << fileOf(butterflyLines + QStringList{QStringLiteral("junk"), QStringLiteral("x|y|")});
}

void TestReadingFile::lineEnds()
{
    QFETCH(QByteArray, data);
    const std::optional<Reading> opened = ReadingFile::decode(data);
    QVERIFY(opened);
    QCOMPARE(*opened, drawn(1, {12, 3, 40, 7}, {0, 1, 1, 0}));
}

void TestReadingFile::numbersAsTheDesktopConvertsThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint16>>("value");
    const std::optional<qint16> none;
    QTest::newRow("plain") << QStringLiteral("17") << std::optional<qint16>(17);
    QTest::newRow("blanks around") << QStringLiteral("  17 ") << std::optional<qint16>(17);
    QTest::newRow("tab before") << QStringLiteral("\t17") << std::optional<qint16>(17);
    QTest::newRow("leading zeros") << QStringLiteral("0043") << std::optional<qint16>(43);
    QTest::newRow("plus sign") << QStringLiteral("+3") << std::optional<qint16>(3);
    QTest::newRow("negative") << QStringLiteral("-3") << std::optional<qint16>(-3);
    QTest::newRow("half down to even") << QStringLiteral("2.5") << std::optional<qint16>(2);
    QTest::newRow("half up to even") << QStringLiteral("3.5") << std::optional<qint16>(4);
    QTest::newRow("zero point five") << QStringLiteral("0.5") << std::optional<qint16>(0);
    QTest::newRow("negative half") << QStringLiteral("-1.5") << std::optional<qint16>(-2);
    QTest::newRow("fraction below half") << QStringLiteral("6.49") << std::optional<qint16>(6);
    QTest::newRow("fraction above half") << QStringLiteral(" 6.51 ") << std::optional<qint16>(7);
    QTest::newRow("bare fraction") << QStringLiteral(".7") << std::optional<qint16>(1);
    QTest::newRow("trailing point") << QStringLiteral("7.") << std::optional<qint16>(7);
    QTest::newRow("largest") << QStringLiteral("32767") << std::optional<qint16>(32767);
    QTest::newRow("smallest") << QStringLiteral("-32768") << std::optional<qint16>(-32768);
    QTest::newRow("rounds to largest") << QStringLiteral("32767.4") << std::optional<qint16>(32767);
    QTest::newRow("rounds past largest") << QStringLiteral("32767.5") << none;
    QTest::newRow("just above range") << QStringLiteral("32768") << none;
    QTest::newRow("just below range") << QStringLiteral("-32769") << none;
    QTest::newRow("far out of range") << QStringLiteral("99999999999999999999999") << none;
    QTest::newRow("empty") << QString() << none;
    QTest::newRow("only blanks") << QStringLiteral("   ") << none;
    QTest::newRow("blank inside") << QStringLiteral("1 2") << none;
    QTest::newRow("letters") << QStringLiteral("ab") << none;
    QTest::newRow("digits then letters") << QStringLiteral("12a") << none;
    QTest::newRow("lone sign") << QStringLiteral("-") << none;
    QTest::newRow("lone point") << QStringLiteral(".") << none;
    QTest::newRow("two points") << QStringLiteral("1.2.3") << none;
    QTest::newRow("exponent") << QStringLiteral("1e2") << none;
    QTest::newRow("hexadecimal") << QStringLiteral("0x10") << none;
    QTest::newRow("decimal comma") << QStringLiteral("2,5") << none;
    QTest::newRow("not a number") << QStringLiteral("nan") << none;
    QTest::newRow("infinity") << QStringLiteral("inf") << none;
}

void TestReadingFile::numbersAsTheDesktopConvertsThem()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint16>, value);
    QCOMPARE(ReadingFile::toInt16(text), value);
}

void TestReadingFile::blanksAndFractionsInAFile()
{
    const std::optional<Reading> opened = ReadingFile::decode(fileOf({QStringLiteral(" 0.5 "), QStringLiteral(" 0 |1.5| 0.5|1|2.5|1.49|-0.5|"),
                                 QStringLiteral("12.5 | 13.5|0.4|42.6|  7|8.0|40.50|")}));
    QVERIFY(opened);
    QCOMPARE(opened->spreadIndex, qint16(0));
    QCOMPARE(opened->orientations, QList<Orientation>({0, 2, 0, 1, 2, 1, 0, 0}));
    QCOMPARE(opened->cards, QList<qint16>({12, 14, 0, 43, 7, 8, 40, 0}));
}

void TestReadingFile::otherOrientationsAreKeptAsRead()
{
    const std::optional<Reading> opened = ReadingFile::decode(
        fileOf({QStringLiteral("1"), QStringLiteral("7|-3|32767|1|"), QStringLiteral("1|2|3|4|")}));
    QVERIFY(opened);
    QCOMPARE(opened->orientations, QList<Orientation>({7, -3, 32767, 1, 0}));
    QVERIFY(!opened->isReversed(0));
    QVERIFY(!opened->isReversed(1));
    QVERIFY(opened->isReversed(3));
    // Written back with whatever it holds.
    QCOMPARE(plainLinesOf(ReadingFile::encode(*opened)).at(1), QStringLiteral("7|-3|32767|1|"));
}

void TestReadingFile::extraEntriesAreIgnoredWhateverTheyHold()
{
    const std::optional<Reading> opened = ReadingFile::decode(fileOf({QStringLiteral("1"), QStringLiteral("0|1|1|0|1|zz|99999|"), QStringLiteral("12|3|40|7|44|-1|abc")}));
    QVERIFY(opened);
    QCOMPARE(*opened, drawn(1, {12, 3, 40, 7}, {0, 1, 1, 0}));

    // The separator after the last entry is not needed either.
    QVERIFY(ReadingFile::decode(
        fileOf({QStringLiteral("1"), QStringLiteral("0|1|1|0"), QStringLiteral("12|3|40|7")})));
}

void TestReadingFile::damagedFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    const QString orientations = butterflyLines[1];
    const QString cards = butterflyLines[2];

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one line") << fileOf({QStringLiteral("1")});
    QTest::newRow("two lines") << fileOf({QStringLiteral("1"), orientations});
    QTest::newRow("third line empty") << fileOf({QStringLiteral("1"), orientations, QString()});
    QTest::newRow("three empty lines") << QByteArray("\r\n\r\n\r\n");
    QTest::newRow("spread 5") << fileOf({QStringLiteral("5"), orientations, cards});
    QTest::newRow("spread -1") << fileOf({QStringLiteral("-1"), orientations, cards});
    QTest::newRow("spread out of 16 bits")
        << fileOf({QStringLiteral("65537"), orientations, cards});
    QTest::newRow("spread not a number") << fileOf({QStringLiteral("one"), orientations, cards});
    QTest::newRow("spread with separator") << fileOf({QStringLiteral("1|"), orientations, cards});
    QTest::newRow("card 44") << fileOf(
        {QStringLiteral("1"), orientations, QStringLiteral("12|3|44|7|")});
    QTest::newRow("card -1") << fileOf(
        {QStringLiteral("1"), orientations, QStringLiteral("-1|3|40|7|")});
    QTest::newRow("card 99999") << fileOf(
        {QStringLiteral("1"), orientations, QStringLiteral("12|3|40|99999|")});
    QTest::newRow("card letters") << fileOf(
        {QStringLiteral("1"), orientations, QStringLiteral("12|x|40|7|")});
    QTest::newRow("orientation letters")
        << fileOf({QStringLiteral("1"), QStringLiteral("0|up|1|0|"), cards});
    QTest::newRow("orientation 99999")
        << fileOf({QStringLiteral("1"), QStringLiteral("0|1|99999|0|"), cards});
    QTest::newRow("empty entry") << fileOf({QStringLiteral("1"), QStringLiteral("0||1|0|"), cards});
    QTest::newRow("too few orientations")
        << fileOf({QStringLiteral("1"), QStringLiteral("0|1|1|"), cards});
    QTest::newRow("too few cards")
        << fileOf({QStringLiteral("1"), orientations, QStringLiteral("12|3|40|")});
    QTest::newRow("too few for pathway") << fileOf(
        {QStringLiteral("0"), QStringLiteral("0|1|1|0|0|1|"), QStringLiteral("1|2|3|4|5|6|7|")});
    QTest::newRow("lines swapped into the spread line")
        << fileOf({orientations, cards, QStringLiteral("1")});
    QTest::newRow("plain text, not scrambled") << QByteArray("1\r\n0|1|1|0|\r\n12|3|40|7|\r\n");
    QTest::newRow("very long line") << fileOf({QString(60000, u'7'), orientations, cards});
    QTest::newRow("very long line without line end") << QByteArray(60000, char(0xB7));
    QTest::newRow("larger than 64 KiB")
        << fileOf(butterflyLines) + QByteArray(ReadingFile::MaxFileSize, char(0xB0));

    QByteArray noise(4096, '\0');
    QRandomGenerator noiseSource(20261207);
    for (char &byte : noise)
        byte = char(noiseSource.bounded(256));
    QTest::newRow("binary noise") << noise;
    QTest::newRow("zero bytes") << QByteArray(300, '\0');
}

void TestReadingFile::damagedFilesAreRefused()
{
    QFETCH(QByteArray, data);
    QCOMPARE(ReadingFile::decode(data), std::nullopt);
}

void TestReadingFile::sizeLimitIsInclusive()
{
    QByteArray data = fileOf(butterflyLines);
    data += QByteArray(ReadingFile::MaxFileSize - data.size(), '\n');
    QCOMPARE(data.size(), ReadingFile::MaxFileSize);
    QVERIFY(ReadingFile::decode(data));
    data += '\n';
    QVERIFY(!ReadingFile::decode(data));
}

QTEST_GUILESS_MAIN(TestReadingFile)
#include "tst_readingfile.moc"
