#include "product/buildconfig.h"
#include "storage/settingsstore.h"
#include "support/fakeplatform.h"
#include "web/updatecheck.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Orvella;
using Orvella::Test::FakePlatform;
using Answer = Orvella::Platform::Answer;

Q_DECLARE_METATYPE(Orvella::UpdateCheckAction)

namespace {

const QString Reminder = QStringLiteral(
    "There maybe an update to this software available\rDo you want to check for an update?");
const QDate Today(2026, 12, 7);

QString iso(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void decision_data();
    void decision();

    void startUp_data();
    void startUp();
    void reminderBoxIsTheInformationYesNoBox();
    void secondStartOnTheSameDayIsQuiet();
    void fortnightCountsFromTheLastReminder();
    void unwritableStoreDoesNotStopStartUp();

private:
    std::unique_ptr<QSettings> freshStore();

    QTemporaryDir m_dir;
    int m_stores = 0;
};

void TestUpdateCheck::init()
{
    QVERIFY(m_dir.isValid());
}

std::unique_ptr<QSettings> TestUpdateCheck::freshStore()
{
    const QString path = m_dir.filePath(QStringLiteral("store%1.ini").arg(++m_stores));
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

void TestUpdateCheck::decision_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<UpdateCheckAction>("expected");
    const auto write = UpdateCheckAction::WriteToday;
    const auto nothing = UpdateCheckAction::Nothing;
    const auto remind = UpdateCheckAction::Remind;
    QTest::newRow("nothing stored") << QString() << Today << write;
    QTest::newRow("today") << iso(Today) << Today << nothing;
    QTest::newRow("14 days ago") << iso(Today.addDays(-14)) << Today << nothing;
    QTest::newRow("15 days ago") << iso(Today.addDays(-15)) << Today << remind;
    QTest::newRow("14 days ahead") << iso(Today.addDays(14)) << Today << nothing;
    QTest::newRow("15 days ahead") << iso(Today.addDays(15)) << Today << remind;
    QTest::newRow("years ago") << QStringLiteral("2003-05-01") << Today << remind;
    QTest::newRow("across new year, 15 days") << QStringLiteral("2026-12-31")
                                                                << QDate(2027, 1, 15) << remind;
    QTest::newRow("across new year, 14 days") << QStringLiteral("2026-12-31")
                                                                << QDate(2027, 1, 14) << nothing;
    QTest::newRow("across a leap day, 15 days") << QStringLiteral("2028-02-20")
                                                                  << QDate(2028, 3, 6) << remind;
    QTest::newRow("across a leap day, 14 days") << QStringLiteral("2028-02-20")
                                                                  << QDate(2028, 3, 5) << nothing;
    QTest::newRow("not a date") << QStringLiteral("soon") << Today << write;
    QTest::newRow("impossible date") << QStringLiteral("2026-02-30") << Today << write;
    QTest::newRow("a locale's short date") << QStringLiteral("12/7/2026") << Today << write;
}

void TestUpdateCheck::decision()
{
    QFETCH(QString, stored);
    QFETCH(QDate, today);
    QFETCH(UpdateCheckAction, expected);
    QCOMPARE(updateCheckAction(stored, today), expected);
}

void TestUpdateCheck::startUp_data()
{
    QTest::addColumn<QString>("stored"); // null: no value at all
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("reminded");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<QStringList>("opened");

    const QString download = QStringLiteral("http://www.medicinecards.orvella.example/download-orvella-free-medicine-cards.html");
    const QString today = iso(Today);
    QTest::newRow("first run: no box, today stored")
        << QString() << Answer::No << false << today << QStringList();
    QTest::newRow("empty value counts as the first run")
        << QStringLiteral("") << Answer::No << false << today << QStringList();
    QTest::newRow("14 days ago: no box, nothing written")
        << iso(Today.addDays(-14)) << Answer::No << false << iso(Today.addDays(-14))
        << QStringList();
    QTest::newRow("15 days ago, answered No: today stored, nothing opened")
        << iso(Today.addDays(-15)) << Answer::No << true << today << QStringList();
    QTest::newRow("15 days ago, answered Yes: today stored, download page opened")
        << iso(Today.addDays(-15)) << Answer::Yes << true << today << QStringList{download};
    QTest::newRow("15 days ahead, answered No: today stored")
        << iso(Today.addDays(15)) << Answer::No << true << today << QStringList();
    QTest::newRow("15 days ahead, answered Yes: download page opened")
        << iso(Today.addDays(15)) << Answer::Yes << true << today << QStringList{download};
    QTest::newRow("unreadable value: no box, the fortnight starts again")
        << QStringLiteral("07.12.26?") << Answer::Yes << false << today << QStringList();
}

void TestUpdateCheck::startUp()
{
    QFETCH(QString, stored);
    QFETCH(Answer, answer);
    QFETCH(bool, reminded);
    QFETCH(QString, storedAfter);
    QFETCH(QStringList, opened);

    if (!opened.isEmpty()
        && QLatin1String(BuildConfig::SoftwareHost)
               != QLatin1String("www.medicinecards.orvella.example"))
        QSKIP("built with other host names");

    auto store = freshStore();
    if (!stored.isNull())
        WriteSetting(*store, QStringLiteral("Duration"), stored);
    FakePlatform platform;
    platform.currentDate = Today;
    platform.answers.enqueue(answer);

    CheckForUpdate(*store, platform);

    QCOMPARE(platform.messages.size(), reminded ? 1 : 0);
    QCOMPARE(ReadSetting(*store, QStringLiteral("Duration")), storedAfter);
    QStringList urls;
    for (const QUrl &url : std::as_const(platform.openedUrls))
        urls << url.toString();
    QCOMPARE(urls, opened);
}

void TestUpdateCheck::reminderBoxIsTheInformationYesNoBox()
{
    auto store = freshStore();
    WriteSetting(*store, QStringLiteral("Duration"), iso(Today.addDays(-30)));
    FakePlatform platform;
    platform.currentDate = Today;
    CheckForUpdate(*store, platform);
    QCOMPARE(platform.messages.size(), 1);
    const FakePlatform::Message &box = platform.messages.first();
    QCOMPARE(box.text, Reminder);
    QVERIFY(!box.text.contains(QLatin1Char('\n')));
    QCOMPARE(box.icon, Platform::Icon::Information);
    QCOMPARE(box.buttons, Platform::Buttons::YesNo);
}

void TestUpdateCheck::secondStartOnTheSameDayIsQuiet()
{
    auto store = freshStore();
    WriteSetting(*store, QStringLiteral("Duration"), iso(Today.addDays(-20)));
    FakePlatform platform;
    platform.currentDate = Today;
    platform.answers << Answer::No << Answer::No;
    CheckForUpdate(*store, platform);
    CheckForUpdate(*store, platform);
    // A fresh handle on the same file stands for a new start of the program.
    const QString path = store->fileName();
    store.reset();
    QSettings reopened(path, QSettings::IniFormat);
    CheckForUpdate(reopened, platform);
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(ReadSetting(reopened, QStringLiteral("Duration")), iso(Today));
}

void TestUpdateCheck::fortnightCountsFromTheLastReminder()
{
    auto store = freshStore();
    FakePlatform platform;
    const QDate firstRun(2026, 3, 1);
    platform.currentDate = firstRun;
    CheckForUpdate(*store, platform); // first run
    // Starting every day leaves the date alone until the 15th day.
    for (int day = 1; day <= 14; ++day) {
        platform.currentDate = firstRun.addDays(day);
        CheckForUpdate(*store, platform);
    }
    QCOMPARE(platform.messages.size(), 0);
    QCOMPARE(ReadSetting(*store, QStringLiteral("Duration")), iso(firstRun));
    platform.currentDate = firstRun.addDays(15);
    CheckForUpdate(*store, platform);
    QCOMPARE(platform.messages.size(), 1);
    QCOMPARE(ReadSetting(*store, QStringLiteral("Duration")), iso(firstRun.addDays(15)));
    platform.currentDate = firstRun.addDays(29);
    CheckForUpdate(*store, platform);
    QCOMPARE(platform.messages.size(), 1);
    platform.currentDate = firstRun.addDays(30);
    CheckForUpdate(*store, platform);
    QCOMPARE(platform.messages.size(), 2);
}

void TestUpdateCheck::unwritableStoreDoesNotStopStartUp()
{
    // A store whose file lies below a plain file can never be written.
    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QSettings store(blocker + QStringLiteral("/store.ini"), QSettings::IniFormat);
    FakePlatform platform;
    CheckForUpdate(store, platform);
    CheckForUpdate(store, platform);
    QVERIFY(platform.messages.isEmpty());
    QVERIFY(platform.openedUrls.isEmpty());
}

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
