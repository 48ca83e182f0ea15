#include "presentation/rotatehalfturn.h"

#include <QImage>
#include <QRandomGenerator>
#include <QTest>

using namespace Orvella;

namespace {

QImage noise(int width, int height, QImage::Format format, quint32 seed)
{
    QImage image(width, height, format);
    QRandomGenerator generator(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, generator.generate() | 0xff000000u);
    return image;
}

} // namespace

class TestRotateHalfTurn : public QObject
{
    Q_OBJECT

private slots:
    void everyPixelMovesToTheOppositeCorner_data();
    void everyPixelMovesToTheOppositeCorner();
    void twoHalfTurnsGiveTheOriginal();
    void keepsTheDevicePixelRatio();
    void nullPictureStaysNull();
};

void TestRotateHalfTurn::everyPixelMovesToTheOppositeCorner_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("format");
    QTest::newRow("slot size 53x80") << QSize(53, 80) << int(QImage::Format_ARGB32_Premultiplied);
    QTest::newRow("slot size at ratio 2, 106x160") << QSize(106, 160) << int(QImage::Format_ARGB32);
    QTest::newRow("slot size at ratio 1.5, 80x120") << QSize(80, 120) << int(QImage::Format_RGB32);
    QTest::newRow("stored picture 260x400") << QSize(260, 400) << int(QImage::Format_RGB32);
    QTest::newRow("odd 7x3") << QSize(7, 3) << int(QImage::Format_RGB32);
    QTest::newRow("single pixel") << QSize(1, 1) << int(QImage::Format_RGB32);
}

void TestRotateHalfTurn::everyPixelMovesToTheOppositeCorner()
{
    QFETCH(QSize, size);
    QFETCH(int, format);
    const QImage original = noise(size.width(), size.height(), QImage::Format(format), 17);
    QImage turned = original;
    RotateHalfTurn(turned);

    QCOMPARE(turned.size(), original.size());
    const int w = original.width();
    const int h = original.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (turned.pixel(w - 1 - x, h - 1 - y) != original.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 moved wrongly").arg(x).arg(y)));
}

void TestRotateHalfTurn::twoHalfTurnsGiveTheOriginal()
{
    const QImage original = noise(53, 80, QImage::Format_ARGB32_Premultiplied, 3);
    QImage picture = original;
    RotateHalfTurn(picture);
    QVERIFY(picture != original);
    RotateHalfTurn(picture);
    QCOMPARE(picture, original);
}

void TestRotateHalfTurn::keepsTheDevicePixelRatio()
{
    QImage picture = noise(106, 160, QImage::Format_ARGB32_Premultiplied, 5);
    picture.setDevicePixelRatio(2.0);
    RotateHalfTurn(picture);
    QCOMPARE(picture.devicePixelRatio(), 2.0);
}

void TestRotateHalfTurn::nullPictureStaysNull()
{
    QImage picture;
    RotateHalfTurn(picture);
    QVERIFY(picture.isNull());
}

QTEST_GUILESS_MAIN(TestRotateHalfTurn)
#include "tst_rotatehalfturn.moc"
