#include "oracle/carddeck.h"
#include "presentation/cardpictures.h"

#include <QFile>
#include <QTest>

#include <climits>
#include <cstdlib>

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
    void largerDrawingsShowTheSameCard();
    void scaledPictureComesFromTheNearestLargerDrawing_data();
    void scaledPictureComesFromTheNearestLargerDrawing();
    void noPictureOutsideTheDeck_data();
    void noPictureOutsideTheDeck();
    void noPathForOtherSizes_data();
    void noPathForOtherSizes();
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
    for (const QSize drawing :
         {QSize(53, 80), QSize(106, 160), QSize(260, 400), QSize(520, 800), QSize(1040, 1600)}) {
        const QString folder = QStringLiteral("%1x%2/").arg(drawing.width()).arg(drawing.height());
        QVERIFY2(cardPicturePath(index, drawing).endsWith(QStringLiteral("/cards/") + folder + file),
                 qPrintable(cardPicturePath(index, drawing)));
        const QImage picture = cardPicture(index, drawing);
        QVERIFY2(!picture.isNull(), qPrintable(folder + file));
        QCOMPARE(picture.size(), drawing);

        // The file the program reads must hold exactly the committed artwork.
        const QString source = QFINDTESTDATA("../../src/presentation/cards/" + folder + file);
        QVERIFY2(!source.isEmpty(), qPrintable(folder + file));
        QFile onDisk(source);
        QFile inResource(cardPicturePath(index, drawing));
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
            QVERIFY2(cardPicture(i) != cardPicture(j),
                     qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
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
    for (const QSize size : {QSize(53, 80), QSize(106, 160)}) {
        QList<QImage> fromWhole;
        for (int i = 0; i < CardDeck::CardCount; ++i)
            fromWhole.append(
                cardPicture(i).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        for (int i = 0; i < CardDeck::CardCount; ++i) {
            const QImage drawn = cardPicture(i, size);
            const QString where = QStringLiteral("card %1 at %2x%3").arg(i).arg(size.width()).arg(size.height());
            const double own = meanDifference(drawn, fromWhole[i]);
            QVERIFY2(own < 6.0, qPrintable(where + QStringLiteral(": %1").arg(own)));
            for (int j = 0; j < CardDeck::CardCount; ++j) {
                if (j != i)
                    QVERIFY2(own < meanDifference(drawn, fromWhole[j]),
                             qPrintable(where + QStringLiteral(" looks like card %1").arg(j)));
            }
        }
    }
}

void TestCardPictures::largerDrawingsShowTheSameCard()
{
    // The large drawings of the card view and print, brought down to the design.
    for (const QSize size : {QSize(520, 800), QSize(1040, 1600)}) {
        for (int i = 0; i < CardDeck::CardCount; ++i) {
            const QImage down = cardPicture(i, size).scaled(QSize(260, 400), Qt::IgnoreAspectRatio,
                                                            Qt::SmoothTransformation);
            const double own = meanDifference(down, cardPicture(i));
            QVERIFY2(
                own < 6.0,
                qPrintable(QStringLiteral("card %1 at %2x%3: %4") .arg(i).arg(size.width()).arg(size.height()).arg(own)));
            const int other = (i + 1) % CardDeck::CardCount;
            QVERIFY2(own < meanDifference(down, cardPicture(other)),
                     qPrintable(QStringLiteral("card %1 looks like card %2").arg(i).arg(other)));
        }
    }
}

void TestCardPictures::scaledPictureComesFromTheNearestLargerDrawing_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("drawing"); // empty: no picture

    const QSize none;
    QTest::newRow("window place") << 0 << QSize(53, 80) << QSize(53, 80);
    QTest::newRow("smaller than the place") << 0 << QSize(40, 60) << QSize(53, 80);
    QTest::newRow("one pixel wider") << 3 << QSize(54, 80) << QSize(106, 160);
    QTest::newRow("one pixel taller") << 3 << QSize(53, 81) << QSize(106, 160);
    QTest::newRow("one and a quarter density") << 20 << QSize(66, 100) << QSize(106, 160);
    QTest::newRow("one and a half density") << 20 << QSize(80, 120) << QSize(106, 160);
    QTest::newRow("double density") << 43 << QSize(106, 160) << QSize(106, 160);
    QTest::newRow("triple density") << 7 << QSize(159, 240) << QSize(260, 400);
    QTest::newRow("fourfold density") << 7 << QSize(212, 320) << QSize(260, 400);
    QTest::newRow("whole design") << 7 << QSize(260, 400) << QSize(260, 400);
    QTest::newRow("card view, one and a half density") << 7 << QSize(390, 600) << QSize(520, 800);
    QTest::newRow("card view, double density") << 7 << QSize(520, 800) << QSize(520, 800);
    QTest::newRow("card view, triple density") << 12 << QSize(780, 1200) << QSize(1040, 1600);
    QTest::newRow("card view, fourfold density") << 12 << QSize(1040, 1600) << QSize(1040, 1600);
    QTest::newRow("larger than any drawing") << 7 << QSize(1100, 1700) << QSize(1040, 1600);
    QTest::newRow("empty size") << 5 << QSize(0, 80) << none;
    QTest::newRow("invalid size") << 5 << QSize() << none;
    QTest::newRow("outside the deck") << 44 << QSize(53, 80) << none;
    QTest::newRow("minus one") << -1 << QSize(53, 80) << none;
}

void TestCardPictures::scaledPictureComesFromTheNearestLargerDrawing()
{
    QFETCH(int, index);
    QFETCH(QSize, size);
    QFETCH(QSize, drawing);

    QImage expected;
    if (!drawing.isEmpty()) {
        expected = QImage(cardPicturePath(index, drawing), "png");
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

void TestCardPictures::noPathForOtherSizes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("empty") << QSize(0, 0);
    QTest::newRow("invalid") << QSize();
    QTest::newRow("transposed") << QSize(80, 53);
    QTest::newRow("between the drawings") << QSize(212, 320);
}

void TestCardPictures::noPathForOtherSizes()
{
    QFETCH(QSize, size);
    QVERIFY(cardPicturePath(0, size).isEmpty());
}

QTEST_MAIN(TestCardPictures)
#include "tst_cardpictures.moc"
