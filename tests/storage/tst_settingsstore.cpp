#include "storage/settingsstore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Orvella;

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void neverWrittenNameIsEmpty();
    void writtenDateComesBackExactly_data();
    void writtenDateComesBackExactly();
    void storeOnDiskHoldsNothingInPlainText();
    void valuesLiveInSectionSettings();
    void laterWriteReplacesEarlier();
    void survivesReopening();
    void userStoreIsNamedAfterTheExecutable();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString iniPath() const { return m_dir->filePath(QStringLiteral("store.ini")); }
};

void TestSettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSettingsStore::neverWrittenNameIsEmpty()
{
    QSettings store(iniPath(), QSettings::IniFormat);
    QCOMPARE(ReadSetting(store, QStringLiteral("Duration")), QString());
    WriteSetting(store, QStringLiteral("Other"), QStringLiteral("x"));
    QCOMPARE(ReadSetting(store, QStringLiteral("Duration")), QString());
}

void TestSettingsStore::writtenDateComesBackExactly_data()
{
    QTest::addColumn<QString>("date");
    QTest::newRow("iso") << QStringLiteral("2026-12-07");
    QTest::newRow("day first with slashes") << QStringLiteral("07/12/2026");
    QTest::newRow("dots and short year") << QStringLiteral("7.12.26");
    QTest::newRow("month name and blanks") << QStringLiteral("7 Dec 2026");
    QTest::newRow("empty") << QString();
}

void TestSettingsStore::writtenDateComesBackExactly()
{
    QFETCH(QString, date);
    QSettings store(iniPath(), QSettings::IniFormat);
    WriteSetting(store, QStringLiteral("Duration"), date);
    QCOMPARE(store.status(), QSettings::NoError);
    QCOMPARE(ReadSetting(store, QStringLiteral("Duration")), date);
}

void TestSettingsStore::storeOnDiskHoldsNothingInPlainText()
{
    const QString date = QStringLiteral("07/12/2026");
    {
        QSettings store(iniPath(), QSettings::IniFormat);
        WriteSetting(store, QStringLiteral("Duration"), date);
    }
    QFile file(iniPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    QVERIFY(onDisk.contains("[Settings]"));
    QVERIFY(!onDisk.contains("Duration"));
    QVERIFY(!onDisk.toLower().contains("duration"));
    QVERIFY(!onDisk.contains(date.toLatin1()));
    QVERIFY(!onDisk.contains("2026"));
}

void TestSettingsStore::valuesLiveInSectionSettings()
{
    QSettings store(iniPath(), QSettings::IniFormat);
    WriteSetting(store, QStringLiteral("Duration"), QStringLiteral("2026-12-07"));
    QCOMPARE(store.childGroups(), QStringList{QStringLiteral("Settings")});
    store.beginGroup(QStringLiteral("Settings"));
    QCOMPARE(store.childKeys().size(), 1);
    QVERIFY(store.childKeys().constFirst() != QLatin1String("Duration"));
    store.endGroup();
}

void TestSettingsStore::laterWriteReplacesEarlier()
{
    QSettings store(iniPath(), QSettings::IniFormat);
    WriteSetting(store, QStringLiteral("Duration"), QStringLiteral("2026-12-07"));
    WriteSetting(store, QStringLiteral("Duration"), QStringLiteral("2026-12-21"));
    QCOMPARE(ReadSetting(store, QStringLiteral("Duration")), QStringLiteral("2026-12-21"));
}

void TestSettingsStore::survivesReopening()
{
    {
        QSettings store(iniPath(), QSettings::IniFormat);
        WriteSetting(store, QStringLiteral("Duration"), QStringLiteral("21.12.2026"));
    }
    QSettings reopened(iniPath(), QSettings::IniFormat);
    QCOMPARE(ReadSetting(reopened, QStringLiteral("Duration")), QStringLiteral("21.12.2026"));
}

void TestSettingsStore::userStoreIsNamedAfterTheExecutable()
{
    // The harness gives every test a private home, so this never reaches the
    // real user's store.
    const std::unique_ptr<QSettings> store = openUserSettings();
    QCOMPARE(store->format(), QSettings::NativeFormat);
    QCOMPARE(store->scope(), QSettings::UserScope);
    QCOMPARE(store->applicationName(), QStringLiteral("tst_settingsstore"));
    QCOMPARE(settingsApplicationName(), QStringLiteral("tst_settingsstore"));
    QCOMPARE(ReadSetting(*store, QStringLiteral("Duration")), QString());
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
