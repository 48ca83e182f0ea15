#include "journal/journaltexts.h"

#include <QTest>

using namespace Orvella;

class TestJournalTexts : public QObject
{
    Q_OBJECT

private slots:
    void setApartOnlyWhereItWouldTurnTextRound_data();
    void setApartOnlyWhereItWouldTurnTextRound();
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

void TestJournalTexts::cutShortNeverHalvesACharacter()
{
    QCOMPARE(cutShort(QStringLiteral("abc"), 3), QStringLiteral("abc"));
    QCOMPARE(cutShort(QStringLiteral("abcd"), 3), QStringLiteral("abc\u2026"));
    QCOMPARE(cutShort(QStringLiteral("ab\U0001F987"), 3), QStringLiteral("ab\u2026"));
}

QTEST_GUILESS_MAIN(TestJournalTexts)
#include "tst_journaltexts.moc"
