#include "storage/scramble.h"

#include <QTest>

using namespace Orvella;

class TestScramble : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void digitsAndSeparatorStayOnOneLine();
    void everyImageIsAPrintableLatin1Character();
    void nothingIsLeftInPlainText();
    void charactersWithoutImageAreDropped_data();
    void charactersWithoutImageAreDropped();
    void unscramblingDropsWhatScramblingCannotGive();
};

void TestScramble::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("digits") << QStringLiteral("0123456789");
    QTest::newRow("orientation line") << QStringLiteral("0|1|1|0|");
    QTest::newRow("card line") << QStringLiteral("12|3|40|7|");
    QTest::newRow("negative numbers") << QStringLiteral("-32768|-1|");
    QTest::newRow("upper-case letters") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    QTest::newRow("lower-case letters") << QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    QTest::newRow("blanks") << QStringLiteral("  Duration  ");
    QTest::newRow("iso date") << QStringLiteral("2026-12-07");
    QTest::newRow("slashed date") << QStringLiteral("07/12/2026");
    QTest::newRow("dotted date") << QStringLiteral("7.12.26");
    QTest::newRow("date with month name") << QStringLiteral("07-Dec-2026");

    QString printable;
    for (char16_t c = 32; c < 127; ++c)
        printable.append(QChar(c));
    QTest::newRow("all printable ascii") << printable;
}

void TestScramble::roundTrip()
{
    QFETCH(QString, text);
    const QString scrambled = ScrambleText(text);
    QCOMPARE(scrambled.size(), text.size());
    QCOMPARE(UnscrambleText(scrambled), text);
}

void TestScramble::digitsAndSeparatorStayOnOneLine()
{
    const QString stored = QStringLiteral("0123456789|-");
    for (const QChar ch : stored) {
        const QString image = ScrambleText(QString(ch));
        QCOMPARE(image.size(), 1);
        QVERIFY2(image[0] != u'\r' && image[0] != u'\n', qPrintable(QString(ch)));
    }
}

void TestScramble::everyImageIsAPrintableLatin1Character()
{
    // Printable in Latin-1 and Windows-1252 alike, and never a key separator
    // of the settings store.
    for (char16_t c = 32; c < 127; ++c) {
        const QString image = ScrambleText(QString(QChar(c)));
        QCOMPARE(image.size(), 1);
        const char16_t code = image[0].unicode();
        QVERIFY2(code >= 160 && code <= 255, qPrintable(QString::number(c)));
        QVERIFY(image[0] != u'/' && image[0] != u'\\');
    }
}

void TestScramble::nothingIsLeftInPlainText()
{
    const QString text = QStringLiteral("Duration 2026-12-07 0|1|");
    const QString scrambled = ScrambleText(text);
    for (qsizetype i = 0; i < text.size(); ++i)
        QVERIFY(scrambled[i] != text[i]);
}

void TestScramble::charactersWithoutImageAreDropped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::newRow("outside latin-1") << QStringLiteral("1\u20AC2\u5E743") << QStringLiteral("123");
    QTest::newRow("raised above 255") << QStringLiteral("a\u00E9b\u00FFc") << QStringLiteral("abc");
    QTest::newRow("only characters without image") << QStringLiteral("\u00E9\u20AC") << QString();
}

void TestScramble::charactersWithoutImageAreDropped()
{
    QFETCH(QString, text);
    QFETCH(QString, kept);
    const QString scrambled = ScrambleText(text);
    QVERIFY(scrambled.size() <= text.size());
    QCOMPARE(scrambled, ScrambleText(kept));
    QCOMPARE(UnscrambleText(scrambled), kept);
}

void TestScramble::unscramblingDropsWhatScramblingCannotGive()
{
    // Plain text read back as if scrambled has no image below the offset.
    QCOMPARE(UnscrambleText(QStringLiteral("0|1|")), QString());
    QCOMPARE(UnscrambleText(ScrambleText(QStringLiteral("7")) + QStringLiteral("x\u20AC")),
                            QStringLiteral("7"));
}

QTEST_GUILESS_MAIN(TestScramble)
#include "tst_scramble.moc"
