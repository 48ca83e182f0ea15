#include "oracle/carddeck.h"
#include "oracle/cardpictures.h"

#include <QFile>
#include <QTest>

#include <climits>
#include <cstdlib>
#include <utility>

using namespace Orvella;

class TestCardPictures : public QObject
{
    Q_OBJECT

private slots:
    void everyCardHasItsPicture_data();
    void everyCardHasItsPicture();
    void picturesAreAllDifferent();
    void decodedOnceAndShared();
    void smallerDrawingsShowTheSameCard();
    void scaledPictureComesFromTheNearestLargerDrawing_data();
    void scaledPictureComesFromTheNearestLargerDrawing();
    void noPictureOutsideTheDeck_data();
    void noPictureOutsideTheDeck();
    void noPathForOtherDensities_data();
    void noPathForOtherDensities();
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

    // The files are named after the card: its number, then the animal the deck names.
    QString animal = CardDeck::card(index)->name.mid(4).toLower().replace(u' ', u'-');
    if (animal == u"otter")
        animal = QStringLiteral("ottercard");
    const QString file = QStringLiteral("%1_%2.png").arg(index + 1, 2, 10, QChar(u'0')).arg(animal);
    for (int density : {1, 2, 4}) {
        const QString folder = QStringLiteral("%1x/").arg(density);
        QCOMPARE(cardPicturePath(index, density), QStringLiteral(":/cards/") + folder + file);
        const QImage picture = cardPicture(index, QSize(65, 100) * density);
        QVERIFY2(!picture.isNull(), qPrintable(file));
        QCOMPARE(picture.size(), QSize(65, 100) * density);

        // The resource must hold exactly the committed artwork.
        const QString source = QFINDTESTDATA("../../src/oracle/cards/" + folder + file);
        QVERIFY2(!source.isEmpty(), qPrintable(file));
        QFile onDisk(source);
        QFile inResource(cardPicturePath(index, density));
        QVERIFY(onDisk.open(QIODevice::ReadOnly));
        QVERIFY(inResource.open(QIODevice::ReadOnly));
        QCOMPARE(inResource.readAll(), onDisk.readAll());
    }
    QCOMPARE(cardPicture(index).size(), QSize(260, 400));
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

namespace {

// Mean difference per colour channel, 0..255, of two pictures of the same size.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar *p = x.constScanLine(row);
        const uchar *q = y.constScanLine(row);
        for (qsizetype i = 0; i < x.bytesPerLine(); ++i)
            sum += std::abs(int(p[i]) - int(q[i]));
    }
    return double(sum) / double(x.sizeInBytes());
}

} // namespace

void TestCardPictures::smallerDrawingsShowTheSameCard()
{
    // Each size is drawn on its own; a slip in the drawing script would show
    // another animal on ordinary screens than on dense ones.
    for (int density : {1, 2}) {
        const QSize size = QSize(65, 100) * density;
        QList<QImage> fromLargest;
        for (int i = 0; i < CardDeck::CardCount; ++i)
            fromLargest.append(cardPicture(i).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        for (int i = 0; i < CardDeck::CardCount; ++i) {
            const QImage drawn = cardPicture(i, size);
            const double own = meanDifference(drawn, fromLargest[i]);
            QVERIFY2(own < 6.0, qPrintable(QStringLiteral("card %1 at %2x: %3").arg(i).arg(density).arg(own)));
            for (int j = 0; j < CardDeck::CardCount; ++j) {
                if (j != i)
                    QVERIFY2(own < meanDifference(drawn, fromLargest[j]),
                             qPrintable(QStringLiteral("card %1 at %2x looks like card %3").arg(i).arg(density).arg(j)));
            }
        }
    }
}

void TestCardPictures::scaledPictureComesFromTheNearestLargerDrawing_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("drawnAt"); // 0: no picture

    QTest::newRow("shown size") << 0 << QSize(65, 100) << 1;
    QTest::newRow("smaller than shown") << 0 << QSize(53, 80) << 1;
    QTest::newRow("one pixel wider") << 3 << QSize(66, 100) << 2;
    QTest::newRow("one pixel taller") << 3 << QSize(65, 101) << 2;
    QTest::newRow("one and a quarter density") << 20 << QSize(81, 125) << 2;
    QTest::newRow("one and a half density") << 20 << QSize(98, 150) << 2;
    QTest::newRow("double density") << 43 << QSize(130, 200) << 2;
    QTest::newRow("triple density") << 7 << QSize(195, 300) << 4;
    QTest::newRow("fourfold density") << 7 << QSize(260, 400) << 4;
    QTest::newRow("larger than any drawing") << 7 << QSize(300, 460) << 4;
    QTest::newRow("empty size") << 5 << QSize(0, 80) << 0;
    QTest::newRow("invalid size") << 5 << QSize() << 0;
    QTest::newRow("outside the deck") << 44 << QSize(65, 100) << 0;
    QTest::newRow("minus one") << -1 << QSize(65, 100) << 0;
}

void TestCardPictures::scaledPictureComesFromTheNearestLargerDrawing()
{
    QFETCH(int, index);
    QFETCH(QSize, size);
    QFETCH(int, drawnAt);

    QImage expected;
    if (drawnAt != 0) {
        expected = QImage(cardPicturePath(index, drawnAt), "png");
        QVERIFY(!expected.isNull());
        // Shown as drawn when the size matches, else smoothly scaled.
        if (expected.size() != size) {
            expected = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                           .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
    }
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

void TestCardPictures::noPathForOtherDensities_data()
{
    QTest::addColumn<int>("density");
    QTest::newRow("zero") << 0;
    QTest::newRow("three") << 3;
    QTest::newRow("eight") << 8;
    QTest::newRow("minus one") << -1;
}

void TestCardPictures::noPathForOtherDensities()
{
    QFETCH(int, density);
    QVERIFY(cardPicturePath(0, density).isEmpty());
}

QTEST_MAIN(TestCardPictures)
#include "tst_cardpictures.moc"
