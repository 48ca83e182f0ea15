#include <QImage>
#include <QTest>

class TestAppIcons : public QObject
{
    Q_OBJECT

private slots:
    void everyPictureLoads_data();
    void everyPictureLoads();
    void programIconIsShippedAsVector();
    void cursorShowsOnlyTheHand();
};

void TestAppIcons::everyPictureLoads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (int n : {16, 32, 48, 64, 128}) {
        const QString path = QStringLiteral(":/icons/orvella-medicine-cards-%1.png").arg(n);
        QTest::newRow(qPrintable(path)) << path << QSize(n, n);
    }
    QTest::newRow("link cursor") << QStringLiteral(":/icons/linkcursor.png") << QSize(32, 32);
    QTest::newRow("link cursor, double density") << QStringLiteral(":/icons/linkcursor@2x.png") << QSize(64, 64);
    QTest::newRow("exit picture") << QStringLiteral(":/icons/exitpicture.png") << QSize(150, 150);
    QTest::newRow("exit picture, double density") << QStringLiteral(":/icons/exitpicture@2x.png") << QSize(300, 300);
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

QTEST_MAIN(TestAppIcons)
#include "tst_appicons.moc"
