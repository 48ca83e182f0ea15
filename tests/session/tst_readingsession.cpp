#include "reading/draw.h"
#include "session/readingsession.h"
#include "storage/readingfile.h"
#include "support/fakeplatform.h"
#include "support/files.h"
#include "support/scriptedrandom.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Orvella;
using Orvella::Test::FakePlatform;
using Orvella::Test::ScriptedRandom;

Q_DECLARE_METATYPE(Orvella::ReadingSource)

class TestReadingSession : public QObject
{
    Q_OBJECT

private slots:
    void listenersHearEveryReadingAndWhereItCameFrom_data();
    void listenersHearEveryReadingAndWhereItCameFrom();
};

void TestReadingSession::listenersHearEveryReadingAndWhereItCameFrom_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<ReadingSource>("source");
    QTest::addColumn<bool>("shown");
    QTest::newRow("drawn") << QStringLiteral("draw") << ReadingSource::Drawn << true;
    QTest::newRow("opened from a file") << QStringLiteral("open") << ReadingSource::Opened << true;
    QTest::newRow("handed over") << QStringLiteral("hand over")
                                                   << ReadingSource::HandedOver << true;
    QTest::newRow("a damaged file") << QStringLiteral("open damaged")
                                                      << ReadingSource::Opened << false;
}

void TestReadingSession::listenersHearEveryReadingAndWhereItCameFrom()
{
    QFETCH(QString, how);
    QFETCH(ReadingSource, source);
    QFETCH(bool, shown);

    FakePlatform platform;
    ScriptedRandom random;
    ReadingSession session(platform, random);
    QSignalSpy shownSpy(&session, &ReadingSession::readingShown);
    QSignalSpy receiving(&session, &ReadingSession::receiving);
    QSignalSpy cleared(&session, &ReadingSession::readingCleared);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("moon.mca"));
    Reading moonLodge;
    Draw(moonLodge, 4, random);
    QVERIFY(Test::writeFile(file, how.endsWith(QLatin1String("damaged"))
                                      ? QByteArray("not a reading")
                                      : ReadingFile::encode(moonLodge)));

    if (how == QLatin1String("draw")) {
        random.script({5 / 43.0, 0.9, 6 / 43.0, 0.1, 7 / 43.0, 0.1, 8 / 43.0, 0.1});
        session.draw(QStringLiteral("Ann"), 1);
    } else if (how == QLatin1String("hand over")) {
        session.receive(file);
        QVERIFY(shownSpy.isEmpty()); // opened once the event loop runs
        QTRY_COMPARE(shownSpy.size(), 1);
        QCOMPARE(receiving.size(), 1);
    } else {
        QCOMPARE(session.openFile(file), shown);
    }

    QCOMPARE(shownSpy.size(), shown ? 1 : 0);
    QCOMPARE(session.isShown(), shown);
    QCOMPARE(platform.messageTexts(),
             shown ? QStringList() : QStringList{QStringLiteral("Please Check The File.")});
    if (!shown)
        return;
    QCOMPARE(shownSpy.first().first().value<ReadingSource>(), source);
    QCOMPARE(session.source(), source);
    const bool drawn = source == ReadingSource::Drawn;
    QCOMPARE(session.name(), drawn ? QStringLiteral("Ann") : QString());
    QCOMPARE(session.file(), drawn ? QString() : file);
    QCOMPARE(session.reading().spreadIndex, drawn ? qint16(1) : qint16(4));
    if (!drawn)
        QCOMPARE(session.reading(), moonLodge);
    QCOMPARE(session.positions().size(), session.reading().positionCount());
    QCOMPARE(session.positions().first().accessibleName,
             shownPositions(session.reading()).first().accessibleName);

    // Saved, it is said where it now lies; written into a device, it lies nowhere.
    QSignalSpy saved(&session, &ReadingSession::readingSaved);
    platform.fileNames << dir.filePath(QStringLiteral("saved.mca"));
#ifdef Q_OS_UNIX
    platform.fileNames << QStringLiteral("/dev/null");
#endif
    session.save();
    session.save();
    QCOMPARE(saved.size(), 1);
    QVERIFY(saved.first().first().toString().endsWith(QLatin1String("/saved.mca")));

    // Put away: nothing shown, the spread kept for the next draw.
    const qint16 spread = session.reading().spreadIndex;
    session.clear();
    QCOMPARE(cleared.size(), 1);
    QVERIFY(!session.isShown());
    QVERIFY(session.positions().isEmpty());
    QCOMPARE(session.reading().positionCount(), 0);
    QCOMPARE(session.reading().spreadIndex, spread);
}

QTEST_MAIN(TestReadingSession)
#include "tst_readingsession.moc"
