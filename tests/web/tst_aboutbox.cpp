#include "product/buildconfig.h"
#include "support/fakeplatform.h"
#include "support/pointer.h"
#include "web/aboutbox.h"
#include "web/linklabel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Orvella;
using Orvella::Test::FakePlatform;

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void captionSizeAndButtons();
    void texts();
    void closesOnEnterAndEsc_data();
    void closesOnEnterAndEsc();
    void okButtonCloses();
    void linksOpenTheirPagesAndTheBoxStaysOpen();

private:
    template<typename T>
    static T *child(QWidget &box, const char *name)
    {
        T *widget = box.findChild<T *>(QLatin1String(name));
        if (!widget)
            qWarning("missing %s", name);
        return widget;
    }
};

void TestAboutBox::captionSizeAndButtons()
{
    FakePlatform platform;
    AboutBox box(platform);
    QCOMPARE(box.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box.windowTitle(), QStringLiteral("Orvella Medicine Cards v1.0"));
    // 6210 x 3525 twips.
    QCOMPARE(box.size(), QSize(414, 235));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!(box.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(box.windowFlags() & Qt::WindowMaximizeButtonHint));
    auto *ok = child<QPushButton>(box, "cmdOK");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    auto *icon = child<QLabel>(box, "picIcon");
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());
    QVERIFY(child<QWidget>(box, "Line2"));
}

void TestAboutBox::texts()
{
    FakePlatform platform;
    AboutBox box(platform);
    QCOMPARE(child<QLabel>(box, "Label2")->text(), QStringLiteral("Orvella Medicine Cards v1.0"));
    const QString label1 = child<QLabel>(box, "Label1")->text();
    const QString description = QStringLiteral(
        "Orvella Medicine Cards is based on the Native American belief of animal totem. A totem "
        "helps and protects people by spiritually helping one plan his or her life path. ");
    QVERIFY2(label1.startsWith(description), qPrintable(label1));
    const QString rights = label1.mid(description.size());
    QVERIFY(rights.contains(QStringLiteral("Orvella Softwares")));
    QVERIFY(rights.contains(QStringLiteral("rights")));
    QCOMPARE(rights.count(QLatin1Char('.')), 1);
    QCOMPARE(child<QLabel>(box, "Label3")->text(),
             QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                            "money online. Get this software fully branded for your website."));
    QCOMPARE(child<QLabel>(box, "lblCoBrand")->text(),
             QStringLiteral("Click here for more details"));
    const QString homePage = child<QLabel>(box, "lblHomePage")->text();
    QVERIFY(homePage.startsWith(QStringLiteral("Click here to visit ")));
    if (QLatin1String(BuildConfig::MainHost) == QLatin1String("orvella.example"))
        QCOMPARE(homePage, QStringLiteral("Click here to visit http://orvella.example"));
}

void TestAboutBox::closesOnEnterAndEsc_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestAboutBox::closesOnEnterAndEsc()
{
    QFETCH(int, key);
    FakePlatform platform;
    AboutBox box(platform);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.isVisible());
    QTest::keyClick(&box, Qt::Key(key));
    QVERIFY(!box.isVisible());
    QVERIFY(platform.openedUrls.isEmpty());
}

void TestAboutBox::okButtonCloses()
{
    FakePlatform platform;
    AboutBox box(platform);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(child<QPushButton>(box, "cmdOK"), Qt::LeftButton);
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
}

void TestAboutBox::linksOpenTheirPagesAndTheBoxStaysOpen()
{
    if (QLatin1String(BuildConfig::MainHost) != QLatin1String("orvella.example")
        || QLatin1String(BuildConfig::HelpHost) != QLatin1String("help.orvella.example"))
        QSKIP("built with other host names");
    FakePlatform platform;
    AboutBox box(platform);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto *home = child<QLabel>(box, "lblHomePage");
    auto *brand = child<QLabel>(box, "lblCoBrand");
    Test::pointAt(home);
    Test::pointAt(brand);
    QCOMPARE(home->cursor().pixmap().cacheKey(), linkCursor().pixmap().cacheKey());
    QCOMPARE(brand->cursor().pixmap().cacheKey(), linkCursor().pixmap().cacheKey());

    QTest::mouseClick(home, Qt::LeftButton);
    QCOMPARE(platform.openedUrls.size(), 1);
    QCOMPARE(platform.openedUrls.last().toString(), QStringLiteral("http://orvella.example"));
    QVERIFY(box.isVisible());

    QTest::mouseClick(brand, Qt::LeftButton);
    QTest::mouseClick(brand, Qt::LeftButton);
    QCOMPARE(platform.openedUrls.size(), 3);
    QCOMPARE(platform.openedUrls.at(1).toString(),
             QStringLiteral("http://help.orvella.example/fully-branded.html"));
    QCOMPARE(platform.openedUrls.at(2), platform.openedUrls.at(1));
    QVERIFY(box.isVisible());
    QVERIFY(platform.messages.isEmpty());
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
