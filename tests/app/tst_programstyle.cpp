#include "app/programstyle.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>

#include <memory>

using namespace Orvella;

class TestProgramStyle : public QObject
{
    Q_OBJECT

private slots:
    // Runs first: every other case lets the stock style load the plugins.
    void drawsWithoutImagePlugins();
    void groupBoxLooksAsTheStockStyleDrawsIt_data();
    void groupBoxLooksAsTheStockStyleDrawsIt();
    void overflowArrowIsTheStockOne_data();
    void overflowArrowIsTheStockOne();
};

namespace {

QImage drawGroupBox(QStyle *style, const QString &title, bool checkable, bool flat)
{
    QGroupBox box(title);
    box.setStyle(style);
    box.setCheckable(checkable);
    box.setFlat(flat);
    box.resize(320, 121);
    return box.grab().toImage();
}

bool imagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    return maps.readAll().contains("/imageformats/");
}

} // namespace

void TestProgramStyle::drawsWithoutImagePlugins()
{
#ifndef Q_OS_LINUX
    QSKIP("reads the process's mapped files from /proc");
#endif
    QVERIFY(!imagePluginLoaded());
    ProgramStyle style(QStringLiteral("fusion"));
    drawGroupBox(&style, QString(), false, false);
    drawGroupBox(&style, QStringLiteral("Title"), true, false);
    QVERIFY(!style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).isNull());
    QVERIFY2(!imagePluginLoaded(), "an image plugin was loaded to read a stock picture");
}

void TestProgramStyle::groupBoxLooksAsTheStockStyleDrawsIt_data()
{
    QTest::addColumn<QString>("styleName");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("flat");

    for (const QString &name : {QStringLiteral("Fusion"), QStringLiteral("Windows")}) {
        const QByteArray prefix = name.toLatin1() + ": ";
        QTest::newRow(prefix + "no title") << name << QString() << false << false;
        QTest::newRow(prefix + "titled")
            << name << QStringLiteral("Your reading") << false << false;
        QTest::newRow(prefix + "check box, no title") << name << QString() << true << false;
        QTest::newRow(prefix + "titled check box")
            << name << QStringLiteral("Options") << true << false;
        QTest::newRow(prefix + "flat, titled") << name << QStringLiteral("Flat") << false << true;
    }
}

void TestProgramStyle::groupBoxLooksAsTheStockStyleDrawsIt()
{
    QFETCH(QString, styleName);
    QFETCH(QString, title);
    QFETCH(bool, checkable);
    QFETCH(bool, flat);

    std::unique_ptr<QStyle> stock(QStyleFactory::create(styleName));
    QVERIFY(stock);
    ProgramStyle ours(styleName);
    QCOMPARE(drawGroupBox(&ours, title, checkable, flat),
             drawGroupBox(stock.get(), title, checkable, flat));
}

void TestProgramStyle::overflowArrowIsTheStockOne_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<int>("size");
    for (int size : {8, 16, 32, 24}) {
        QTest::newRow(qPrintable(QStringLiteral("left to right, %1").arg(size)))
                      << Qt::LeftToRight << size;
        QTest::newRow(qPrintable(QStringLiteral("right to left, %1").arg(size)))
                      << Qt::RightToLeft << size;
    }
}

void TestProgramStyle::overflowArrowIsTheStockOne()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(int, size);

    std::unique_ptr<QStyle> stock(QStyleFactory::create(QStringLiteral("fusion")));
    ProgramStyle ours(QStringLiteral("fusion"));
    QStyleOption option;
    option.direction = direction;
    const auto picture = [&](const QStyle &style) {
        return style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &option)
            .pixmap(QSize(size, size))
            .toImage()
            .convertToFormat(QImage::Format_ARGB32);
    };
    const QImage expected = picture(*stock);
    QVERIFY(!expected.isNull());
    QCOMPARE(picture(ours), expected);
    const auto sizes = [&](const QStyle &style) {
        return style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &option)
            .availableSizes();
    };
    QCOMPARE(sizes(ours), sizes(*stock));
}

QTEST_MAIN(TestProgramStyle)
#include "tst_programstyle.moc"
