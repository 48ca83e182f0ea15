#include "storage/readingfile.h"
#include "support/fakeplatform.h"
#include "support/scriptedrandom.h"
#include "windows/mainwindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace Orvella;
using Orvella::Test::FakePlatform;
using Orvella::Test::ScriptedRandom;

namespace {

/** Everything the window shows of a reading, to compare before and after. */
struct Shown
{
    Reading reading;
    QString report;
    QList<QImage> pictures;
    QList<bool> pictureShown;
    QList<QPoint> picturePlaces;
    bool resultInFront = false;
    int selectedSpread = -1;
};

template<typename T>
T *child(QWidget &window, const QString &name)
{
    T *widget = window.findChild<T *>(name);
    if (!widget)
        qFatal("no widget %s", qPrintable(name));
    return widget;
}

QLabel *picture(MainWindow &window, int slot)
{
    return child<QLabel>(window, QStringLiteral("picCard%1").arg(slot));
}

Shown shownBy(MainWindow &window)
{
    Shown shown;
    shown.reading = window.reading();
    shown.report = child<QTextBrowser>(window, QStringLiteral("RTB"))->toHtml();
    for (int slot = 0; slot < 7; ++slot) {
        QLabel *label = picture(window, slot);
        shown.pictures << label->pixmap().toImage();
        shown.pictureShown << label->isVisibleTo(label->parentWidget());
        shown.picturePlaces << label->pos();
    }
    QWidget *result = child<QWidget>(window, QStringLiteral("fraResult"));
    QWidget *selection = child<QWidget>(window, QStringLiteral("fraMain"));
    const QObjectList stack = result->parent()->children();
    shown.resultInFront = stack.indexOf(result) > stack.indexOf(selection) && result->isEnabled();
    shown.selectedSpread = child<QComboBox>(window, QStringLiteral("cboSpread"))->currentIndex();
    return shown;
}

void click(MainWindow &window, const char *button)
{
    QPushButton *target = child<QPushButton>(window, QLatin1String(button));
    QVERIFY2(target->isEnabled(), button);
    QTest::mouseClick(target, Qt::LeftButton);
}

/** Picks a spread the way a user does: from the top of the list, down with the keys. */
void selectSpread(MainWindow &window, int index)
{
    QComboBox *list = child<QComboBox>(window, QStringLiteral("cboSpread"));
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex(), index);
}

void drawReading(MainWindow &window, int spread)
{
    QTest::keyClicks(child<QLineEdit>(window, QStringLiteral("txtName")), QStringLiteral("Ada"));
    selectSpread(window, spread);
    click(window, "cmdProceed");
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

class TestSavedReadingsGui : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void saveThenOpenShowsTheSameReading_data();
    void saveThenOpenShowsTheSameReading();
    void damagedFileLeavesTheWindowAlone_data();
    void damagedFileLeavesTheWindowAlone();
    void cancelInEitherDialogChangesNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSavedReadingsGui::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSavedReadingsGui::saveThenOpenShowsTheSameReading_data()
{
    QTest::addColumn<int>("spread");
    QTest::addColumn<QList<double>>("script");
    // Each script reverses some cards and keeps others upright.
    QTest::newRow("pathway") << 0 << QList<double>{0.0, 0.9, 0.5, 0.1, 1.0 - 1.0 / (1 << 24), 0.7};
    QTest::newRow("butterfly") << 1 << QList<double>{12 / 43.0, 0.1, 3 / 43.0, 0.9,
                                                     40 / 43.0, 0.9, 7 / 43.0, 0.1};
    QTest::newRow("medicine wheel") << 2 << QList<double>{0.3, 0.8, 0.6, 0.2};
    QTest::newRow("sun lodge") << 3 << QList<double>{0.95, 0.6, 0.05, 0.6};
    QTest::newRow("moon lodge") << 4 << QList<double>{0.42, 0.4, 0.17, 0.9};
}

void TestSavedReadingsGui::saveThenOpenShowsTheSameReading()
{
    QFETCH(int, spread);
    QFETCH(QList<double>, script);
    FakePlatform platform;
    ScriptedRandom random(script);
    MainWindow window(platform, random);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy opened(&window, &MainWindow::readingOpened);

    drawReading(window, spread);
    const Shown drawn = shownBy(window);
    QVERIFY(drawn.resultInFront);
    QCOMPARE(drawn.reading.spreadIndex, qint16(spread));
    QVERIFY(drawn.reading.orientations.contains(Reversed));
    QVERIFY(drawn.reading.orientations.mid(0, drawn.reading.orientationCount()).contains(Upright));
    for (int i = 0; i < drawn.reading.positionCount(); ++i)
        QVERIFY(!drawn.pictures[i].isNull());
    const QString reportText = child<QTextBrowser>(window, QStringLiteral("RTB"))->toPlainText();
    QVERIFY(reportText.contains(drawn.reading.positionTitles.constFirst()));

    const QString file = m_dir->filePath(QStringLiteral("reading.mca"));
    platform.fileNames.enqueue(file);
    click(window, "cmdSave");
    QVERIFY(platform.messageTexts().isEmpty());
    QVERIFY(QFile::exists(file));

    // Back to the selection, another spread picked, then the file opened.
    click(window, "cmdBack");
    const int otherSpread = (spread + 2) % 5;
    selectSpread(window, otherSpread);
    QVERIFY(window.reading().cards.isEmpty());
    platform.fileNames.enqueue(file);
    click(window, "cmdOpen");

    QVERIFY(platform.messageTexts().isEmpty());
    QCOMPARE(opened.size(), 1);
    const Shown reopened = shownBy(window);
    QCOMPARE(reopened.reading, drawn.reading);
    QCOMPARE(reopened.report, drawn.report);
    QCOMPARE(reopened.pictureShown, drawn.pictureShown);
    QCOMPARE(reopened.picturePlaces, drawn.picturePlaces);
    for (int i = 0; i < drawn.reading.positionCount(); ++i)
        QVERIFY2(reopened.pictures[i] == drawn.pictures[i], qPrintable(QString::number(i)));
    QVERIFY(reopened.resultInFront);
    // The spread list stays as the user left it.
    QCOMPARE(reopened.selectedSpread, otherSpread);
}

void TestSavedReadingsGui::damagedFileLeavesTheWindowAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty file") << QStringLiteral("empty.mca") << QByteArray("");
    QTest::newRow("two lines") << QStringLiteral("two.mca") << QByteArray(
        "\xB1\r\n\xB0\xFC\xB1\xFC\xB1\xFC\xB0\xFC\r\n");
    QTest::newRow("spread 5") << QStringLiteral("five.mca")
                                                << QByteArray("\xB5\r\n\xB0\xFC\r\n\xB0\xFC\r\n");
    QTest::newRow("card 44") << QStringLiteral("card44.mca") << QByteArray(
        "\xB1\r\n\xB0\xFC\xB1\xFC\xB1\xFC\xB0\xFC\r\n"
        "\xB1\xB2\xFC\xB3\xFC\xB4\xB4\xFC\xB7\xFC\r\n");
    QTest::newRow("plain text") << QStringLiteral("plain.mca")
                                                  << QByteArray("1\r\n0|1|1|0|\r\n12|3|40|7|\r\n");
    QTest::newRow("sound file named MCA") << QStringLiteral("sound.MCA") << QByteArray(
        "\xB1\r\n\xB0\xFC\xB1\xFC\xB1\xFC\xB0\xFC\r\n"
        "\xB1\xB2\xFC\xB3\xFC\xB4\xB0\xFC\xB7\xFC\r\n");
}

void TestSavedReadingsGui::damagedFileLeavesTheWindowAlone()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString file = m_dir->filePath(name);
    QVERIFY(writeFile(file, content));

    FakePlatform platform;
    ScriptedRandom random;
    MainWindow window(platform, random);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy opened(&window, &MainWindow::readingOpened);

    drawReading(window, 2);
    click(window, "cmdBack");
    selectSpread(window, 3);
    const Shown before = shownBy(window);
    QVERIFY(!before.resultInFront);

    platform.fileNames.enqueue(file);
    click(window, "cmdOpen");

    QCOMPARE(platform.messageTexts(), QStringList{QStringLiteral("Please Check The File.")});
    QCOMPARE(platform.messages[0].icon, Platform::Icon::Critical);
    QCOMPARE(opened.size(), 0);
    const Shown after = shownBy(window);
    QCOMPARE(after.reading, before.reading);
    QCOMPARE(after.report, before.report);
    QCOMPARE(after.pictures, before.pictures);
    QCOMPARE(after.pictureShown, before.pictureShown);
    QCOMPARE(after.resultInFront, false);
    QCOMPARE(after.selectedSpread, 3);
}

void TestSavedReadingsGui::cancelInEitherDialogChangesNothing()
{
    FakePlatform platform;
    ScriptedRandom random;
    MainWindow window(platform, random);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    drawReading(window, 1);
    const Shown drawn = shownBy(window);
    click(window, "cmdSave"); // no file name queued: Cancel
    QCOMPARE(platform.saveRequests.size(), 1);
    QVERIFY(QDir(m_dir->path()).isEmpty());
    QCOMPARE(shownBy(window).reading, drawn.reading);
    QCOMPARE(shownBy(window).report, drawn.report);

    click(window, "cmdBack");
    const Shown back = shownBy(window);
    click(window, "cmdOpen");
    QCOMPARE(platform.openRequests.size(), 1);
    const Shown after = shownBy(window);
    QCOMPARE(after.reading, back.reading);
    QCOMPARE(after.report, back.report);
    QCOMPARE(after.resultInFront, false);
    QVERIFY(platform.messages.isEmpty());
}

QTEST_MAIN(TestSavedReadingsGui)
#include "tst_savedreadings_gui.moc"
