#include "oracle/carddeck.h"

#include <QRegularExpression>
#include <QTest>

using namespace Orvella;

class TestCardDeck : public QObject
{
    Q_OBJECT

private slots:
    void keyTable_data();
    void keyTable();
    void givenTexts_data();
    void givenTexts();
    void spareSlotIsEmpty();
    void outsideTheTablesYieldsNothing_data();
    void outsideTheTablesYieldsNothing();
    void everyTextHasTheStoredForm();
    void cardsAreDistinct();
};

void TestCardDeck::keyTable_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keyword");

    const char *rows[][2] = {
        {"The Eagle", "Spirit"}, {"The Hawk", "Messenger"}, {"The Elk", "Stamina"},
        {"The Deer", "Gentleness"}, {"The Bear", "Introspection"},
        {"The Snake", "Transmutation"}, {"The Skunk", "Reputation"},
        {"The Otter", "Woman Medicine"}, {"The Butterfly", "Transformation"},
        {"The Turtle", "Mother Earth"}, {"The Moose", "Self - Esteem"},
        {"The Porcupine", "Innocence"}, {"The Coyote", "Trickster"}, {"The Dog", "Loyalty"},
        {"The Wolf", "Teacher"}, {"The Raven", "Magic"}, {"The Mountain Lion", "Leadership"},
        {"The Lynx", "Secrets"}, {"The Buffalo", "Prayer & Abundance"},
        {"The Mouse", "Scrutiny"}, {"The Owl", "Deception"}, {"The Beaver", "Builder"},
        {"The Opossum", "Diversion"}, {"The Crow", "Law"}, {"The Fox", "Camouflage"},
        {"The Squirrel", "Gathering"}, {"The Dragonfly", "Illusion"},
        {"The Armadillo", "Boundaries"}, {"The Badger", "Aggressiveness"},
        {"The Rabbit", "Fear"}, {"The Turkey", "Give - Away"}, {"The Ant", "Patience"},
        {"The Weasel", "Stealth"}, {"The Grouse", "Sacred Spiral"}, {"The Horse", "Power"},
        {"The Lizard", "Dreaming"}, {"The Antelope", "Action"}, {"The Frog", "Cleansing"},
        {"The Swan", "Grace"}, {"The Dolphin", "Manna"}, {"The Whale", "Record Keeper"},
        {"The Bat", "Rebirth"}, {"The Spider", "Weaving"}, {"The Hummingbird", "Joy"},
    };
    static_assert(std::size(rows) == CardDeck::CardCount);
    for (int i = 0; i < CardDeck::CardCount; ++i)
        QTest::addRow("%02d %s", i, rows[i][0]) << i << rows[i][0] << rows[i][1];
}

void TestCardDeck::keyTable()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, keyword);

    const auto card = CardDeck::card(index);
    QVERIFY(card);
    QCOMPARE(card->name, name);
    QCOMPARE(card->keyword, keyword);
    QCOMPARE(CardDeck::pictureEntry(index), index + 1);
}

void TestCardDeck::givenTexts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("upright");
    QTest::addColumn<QString>("reverse");
    QTest::addColumn<QString>("medical");

    QTest::newRow("eagle")
        << 0
        << "This is the power of the great spirit. Gather your confidence and embark on your new "
           "journey. Do not let go of opportunities and fight against all your fears."
        << "You have forgotten the power of the great spirit."
        << "Your Chakras maybe blocked.";
    QTest::newRow("mouse")
        << 19
        << "Look at the details before making your final decision. Points that may be "
           "insignificant to others, may matter a lot to you. You are very methodical but people "
           "may think you are hoarding. Learn to scrutinize everything with a magnifying glass "
           "before taking any step."
        << "Do not waste all your time in looking at minute details. Start with the big picture "
           "and then move towards the details. If you don't move now, you will be left behind."
        << "NA";
    QTest::newRow("hummingbird")
        << 43
        << "Learn to love people with your heart. Your life will be filled with love and joy. You "
           "will be a blessing to people and you can help others with your happiness. Learn to "
           "relax and do not judge anyone."
        << "Learn to accept tragedies and move on. There is joy even in the worst circumstances. "
           "Learn to appreciate what you have and stop complaining or craving for what you don't "
           "have."
        << "You may be negatively getting affected by someone else.";
}

void TestCardDeck::givenTexts()
{
    QFETCH(int, index);
    QFETCH(QString, upright);
    QFETCH(QString, reverse);
    QFETCH(QString, medical);

    const auto card = CardDeck::card(index);
    QVERIFY(card);
    QCOMPARE(card->upright, upright);
    QCOMPARE(card->reverse, reverse);
    QCOMPARE(card->medical, medical);
}

void TestCardDeck::spareSlotIsEmpty()
{
    QCOMPARE(CardDeck::UpperIndex, 44);
    const auto spare = CardDeck::card(CardDeck::UpperIndex);
    QVERIFY(spare);
    QVERIFY(spare->name.isEmpty());
    QVERIFY(spare->keyword.isEmpty());
    QVERIFY(spare->upright.isEmpty());
    QVERIFY(spare->reverse.isEmpty());
    QVERIFY(spare->medical.isEmpty());
    QVERIFY(!CardDeck::isCard(44));
}

void TestCardDeck::outsideTheTablesYieldsNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("minus one") << -1;
    QTest::newRow("45") << 45;
    QTest::newRow("int16 max") << 32767;
    QTest::newRow("int16 min") << -32768;
}

void TestCardDeck::outsideTheTablesYieldsNothing()
{
    QFETCH(int, index);
    QVERIFY(!CardDeck::card(index));
}

static int sentenceCount(const QString &text)
{
    // A sentence ends in . ! or ? followed by a blank or the end of the text.
    static const QRegularExpression end(QStringLiteral("[.!?](\\s|$)"));
    return int(text.count(end));
}

void TestCardDeck::everyTextHasTheStoredForm()
{
    for (int i = 0; i < CardDeck::CardCount; ++i) {
        const Card card = *CardDeck::card(i);
        const QString where = QStringLiteral("card %1 (%2)").arg(i).arg(card.name);
        for (const QString &text : {card.name, card.keyword, card.upright, card.reverse, card.medical}) {
            QVERIFY2(!text.isEmpty(), qPrintable(where));
            QVERIFY2(text.length() <= 323, qPrintable(where));
            QVERIFY2(text.trimmed() == text, qPrintable(where));
            for (QChar c : text)
                QVERIFY2(c.unicode() >= 32 && c.unicode() < 127, qPrintable(where));
        }
        const int up = sentenceCount(card.upright);
        const int rev = sentenceCount(card.reverse);
        QVERIFY2(up >= 1 && up <= 6, qPrintable(where + QStringLiteral(": upright sentences")));
        QVERIFY2(rev >= 1 && rev <= 4, qPrintable(where + QStringLiteral(": reverse sentences")));
        if (i == 19)
            continue; // the one card without a medical sentence
        const int med = sentenceCount(card.medical);
        QVERIFY2(med >= 1 && med <= 2, qPrintable(where + QStringLiteral(": medical sentences")));
    }
}

void TestCardDeck::cardsAreDistinct()
{
    QSet<QString> texts;
    for (int i = 0; i < CardDeck::CardCount; ++i) {
        const Card card = *CardDeck::card(i);
        for (const QString &text : {card.name, card.upright, card.reverse})
            QVERIFY2(!texts.contains(text), qPrintable(text));
        texts << card.name << card.upright << card.reverse;
    }
}

QTEST_GUILESS_MAIN(TestCardDeck)
#include "tst_carddeck.moc"
