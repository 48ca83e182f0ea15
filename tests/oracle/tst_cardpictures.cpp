#include "oracle/carddeck.h"
#include "oracle/cardpictures.h"

#include <QFile>
#include <QTest>

#include <climits>

using namespace Orvella;

class TestCardPictures : public QObject
{
    Q_OBJECT

private slots:
    void everyCardHasItsPicture_data();
    void everyCardHasItsPicture();
    void picturesAreAllDifferent();
    void decodedOnceAndShared();
    void scaledPictureIsTheFullOneScaled_data();
    void scaledPictureIsTheFullOneScaled();
    void noPictureOutsideTheDeck_data();
    void noPictureOutsideTheDeck();
};

void TestCardPictures::everyCardHasItsPicture_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < CardDeck::CardCount; ++i) {
        const QByteArray row = QByteArray::number(i) + ' ' + CardDeck::card(i)->name.toLatin1();
        QTest::newRow(row.constData()) << i;
    }
}

void TestCardPictures::everyCardHasItsPicture()
{
    QFETCH(int, index);

    // The file is named after the card: its number, then the animal the deck names.
    QString animal = CardDeck::card(index)->name.mid(4).toLower().replace(u' ', u'-');
    if (animal == u"otter")
        animal = QStringLiteral("ottercard");
    const QString file = QStringLiteral("%1_%2.png").arg(index + 1, 2, 10, QChar(u'0')).arg(animal);
    QCOMPARE(cardPicturePath(index), QStringLiteral(":/cards/") + file);

    const QImage picture = cardPicture(index);
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), QSize(260, 400));

    // The resource must hold exactly the committed artwork.
    const QString source = QFINDTESTDATA("../../src/oracle/cards/" + file);
    QVERIFY2(!source.isEmpty(), qPrintable(file));
    QFile onDisk(source);
    QFile inResource(cardPicturePath(index));
    QVERIFY(onDisk.open(QIODevice::ReadOnly));
    QVERIFY(inResource.open(QIODevice::ReadOnly));
    QCOMPARE(inResource.readAll(), onDisk.readAll());
}

void TestCardPictures::picturesAreAllDifferent()
{
    for (int i = 0; i < CardDeck::CardCount; ++i) {
        for (int j = i + 1; j < CardDeck::CardCount; ++j)
            QVERIFY2(cardPicture(i) != cardPicture(j), qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
    }
}

void TestCardPictures::decodedOnceAndShared()
{
    const QImage first = cardPicture(22);
    const QImage again = cardPicture(22);
    QVERIFY(!first.isNull());
    QCOMPARE(again.cacheKey(), first.cacheKey());
}

void TestCardPictures::scaledPictureIsTheFullOneScaled_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size");
    QTest::newRow("first card, screen size") << 0 << QSize(53, 80);
    QTest::newRow("last card, double density") << 43 << QSize(106, 160);
    QTest::newRow("one and a half density") << 20 << QSize(80, 120);
    QTest::newRow("larger than the file") << 7 << QSize(300, 460);
    QTest::newRow("empty size") << 5 << QSize(0, 80);
    QTest::newRow("invalid size") << 5 << QSize();
    QTest::newRow("outside the deck") << 44 << QSize(53, 80);
    QTest::newRow("minus one") << -1 << QSize(53, 80);
}

void TestCardPictures::scaledPictureIsTheFullOneScaled()
{
    QFETCH(int, index);
    QFETCH(QSize, size);
    // Pixel for pixel what the cards always looked like: the full picture, smoothly scaled.
    const QImage full = cardPicture(index);
    const QImage expected = full.isNull() || size.isEmpty()
        ? QImage()
        : full.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage scaled = cardPicture(index, size);
    QCOMPARE(scaled.isNull(), expected.isNull());
    QCOMPARE(scaled, expected);
}

void TestCardPictures::noPictureOutsideTheDeck_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("spare slot 44") << 44;
    QTest::newRow("one past the spare slot") << 45;
    QTest::newRow("minus one") << -1;
    QTest::newRow("16-bit minimum") << -32768;
    QTest::newRow("16-bit maximum") << 32767;
    QTest::newRow("int minimum") << INT_MIN;
    QTest::newRow("int maximum") << INT_MAX;
}

void TestCardPictures::noPictureOutsideTheDeck()
{
    QFETCH(int, index);
    QVERIFY(cardPicturePath(index).isEmpty());
    QVERIFY(cardPicture(index).isNull());
}

QTEST_MAIN(TestCardPictures)
#include "tst_cardpictures.moc"
