#include "journal/journaltexts.h"

#include <QTest>

using namespace Orvella;

class TestJournalTexts : public QObject
{
    Q_OBJECT

private slots:
    void setApartOnlyWhereItWouldTurnTextRound_data();
    void setApartOnlyWhereItWouldTurnTextRound();
    void cutShortNeverHalvesACharacter_data();
    void cutShortNeverHalvesACharacter();
};

void TestJournalTexts::setApartOnlyWhereItWouldTurnTextRound_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("setApart");
    QTest::newRow("none") << "" << false;
    QTest::newRow("left to right, marks, digits and an emoji")
        << "Na\u00efve 12 \U0001F987 \u00e9" << false;
    QTest::newRow("a name in Hebrew") << "\u05e9\u05e8\u05d4" << true;
    QTest::newRow("a mark that turns what follows round") << "Ann \u202eRLO" << true;
    QTest::newRow("an isolate left open") << "Ann \u2067" << true;
    QTest::newRow("a letter written right to left beyond the first plane")
        << "Ann \U00010900" << true;
}

void TestJournalTexts::setApartOnlyWhereItWouldTurnTextRound()
{
    QFETCH(QString, text);
    QFETCH(bool, setApart);
    QCOMPARE(isolated(text),
             setApart ? QStringLiteral("\u2068") + text + QStringLiteral("\u2069") : text);
}

void TestJournalTexts::cutShortNeverHalvesACharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cut");
    QTest::newRow("short enough") << "abc" << "abc";
    QTest::newRow("too long") << "abcd" << "abc\u2026";
    QTest::newRow("a character beyond the first plane at the cut")
        << "ab\U0001F987" << "ab\u2026";
}

void TestJournalTexts::cutShortNeverHalvesACharacter()
{
    QFETCH(QString, text);
    QFETCH(QString, cut);
    QCOMPARE(cutShort(text, 3), cut);
}

QTEST_GUILESS_MAIN(TestJournalTexts)
#include "tst_journaltexts.moc"
