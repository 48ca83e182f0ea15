#include "web/programicon.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>

class TestAppIcons : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureLoads_data();
    void everyPictureLoads();
    void programIconIsShippedAsVector();
    void cursorShowsOnlyTheHand();
    void programIconServesEverySize_data();
    void programIconServesEverySize();
    void programIconOnDenseScreens();
    void programIconGreysOutWhenDisabled();
    void programIconPaintsCentred();
};

namespace {

QImage iconFile(int size)
{
    return QImage(QStringLiteral(":/icons/orvella-medicine-cards-%1.png").arg(size))
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage premultiplied(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

void TestAppIcons::everyPictureLoads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (int n : {16, 32, 48, 64, 128}) {
        const QString path = QStringLiteral(":/icons/orvella-medicine-cards-%1.png").arg(n);
        QTest::newRow(qPrintable(path)) << path << QSize(n, n);
    }
    QTest::newRow("link cursor") << QStringLiteral(":/icons/linkcursor.png") << QSize(32, 32);
    QTest::newRow("link cursor, double density") << QStringLiteral(":/icons/linkcursor@2x.png")
                                                                   << QSize(64, 64);
    QTest::newRow("exit picture") << QStringLiteral(":/icons/exitpicture.png") << QSize(150, 150);
    QTest::newRow("exit picture, double density") << QStringLiteral(":/icons/exitpicture@2x.png")
                                                                    << QSize(300, 300);
}

void TestAppIcons::everyPictureLoads()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QVERIFY2(!image.isNull(), qPrintable(path));
    QCOMPARE(image.size(), size);
    QVERIFY(image.hasAlphaChannel());
}

void TestAppIcons::programIconIsShippedAsVector()
{
    QFile svg(QStringLiteral(":/icons/orvella-medicine-cards.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));
}

void TestAppIcons::cursorShowsOnlyTheHand()
{
    // Around the hand the cursor must be see-through; the finger tip at the
    // hot spot (12, 1) must be drawn, or clicks would seem to miss the link.
    const QImage cursor(QStringLiteral(":/icons/linkcursor.png"));
    QVERIFY(!cursor.isNull());
    QCOMPARE(qAlpha(cursor.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(cursor.pixel(31, 0)), 0);
    QCOMPARE(qAlpha(cursor.pixel(31, 31)), 0);
    QVERIFY(qAlpha(cursor.pixel(12, 1)) > 128);
}

void TestAppIcons::programIconServesEverySize_data()
{
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<int>("file"); // the picture it comes from; 0: none
    QTest::addColumn<QSize>("given");

    for (int n : {16, 32, 48, 64, 128})
        QTest::newRow(qPrintable(QStringLiteral("%1, as drawn").arg(n)))
                      << QSize(n, n) << n << QSize(n, n);
    QTest::newRow("8, from 16") << QSize(8, 8) << 16 << QSize(8, 8);
    QTest::newRow("24, from 32") << QSize(24, 24) << 32 << QSize(24, 24);
    QTest::newRow("100, from 128") << QSize(100, 100) << 128 << QSize(100, 100);
    QTest::newRow("256, never enlarged") << QSize(256, 256) << 128 << QSize(128, 128);
    QTest::newRow("wide box, the smaller side") << QSize(32, 20) << 32 << QSize(20, 20);
    QTest::newRow("empty") << QSize(0, 0) << 0 << QSize();
}

void TestAppIcons::programIconServesEverySize()
{
    QFETCH(QSize, asked);
    QFETCH(int, file);
    QFETCH(QSize, given);

    const QIcon icon = Orvella::programIcon();
    QCOMPARE(icon.availableSizes(),
             (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
    QCOMPARE(icon.actualSize(asked), given);
    const QPixmap pixmap = icon.pixmap(asked, 1.0);
    QCOMPARE(pixmap.isNull(), file == 0);
    if (file == 0)
        return;
    QCOMPARE(pixmap.size(), given);
    QImage expected = iconFile(file);
    if (expected.size() != given)
        expected = expected.scaled(given, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QCOMPARE(premultiplied(pixmap), expected);
}

void TestAppIcons::programIconOnDenseScreens()
{
    // The about box asks for 32 at the screen's density: twice as many pixels, drawn for it.
    const QPixmap pixmap = Orvella::programIcon().pixmap(QSize(32, 32), 2.0);
    QCOMPARE(pixmap.size(), QSize(64, 64));
    QCOMPARE(pixmap.devicePixelRatio(), 2.0);
    QImage pixels = premultiplied(pixmap);
    pixels.setDevicePixelRatio(1.0);
    QCOMPARE(pixels, iconFile(64));
}

void TestAppIcons::programIconGreysOutWhenDisabled()
{
    const QIcon icon = Orvella::programIcon();
    const QImage normal = premultiplied(icon.pixmap(QSize(32, 32), 1.0, QIcon::Normal));
    const QImage disabled = premultiplied(icon.pixmap(QSize(32, 32), 1.0, QIcon::Disabled));
    QCOMPARE(disabled.size(), normal.size());
    QVERIFY(disabled != normal);
}

void TestAppIcons::programIconPaintsCentred()
{
    QImage canvas(60, 40, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        Orvella::programIcon().paint(&painter, canvas.rect());
    }
    // A square as large as the box is high (the 48 picture scaled down), in the middle.
    QImage expected(60, 40, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    {
        QPainter painter(&expected);
        painter.drawImage(QPoint(10, 0), iconFile(48).scaled(40, 40, Qt::KeepAspectRatio,
                                                             Qt::SmoothTransformation));
    }
    QCOMPARE(canvas, expected);
}

QTEST_MAIN(TestAppIcons)
#include "tst_appicons.moc"
