#include "journal/damagedjournal.h"
#include "journal/journaltexts.h"
#include "journaldb/sqlitejournalstore.h"
#include "journalviews/cardoftheday.h"
#include "journalviews/journal.h"
#include "journalviews/journalcommands.h"
#include "journalviews/journalfigure.h"
#include "journalviews/journalwindow.h"
#include "journalviews/statisticsview.h"
#include "oracle/carddeck.h"
#include "reading/draw.h"
#include "session/readingsession.h"
#include "storage/readingfile.h"
#include "support/files.h"
#include "support/mainwindowdriver.h"
#include "support/scriptedrandom.h"
#include "windows/cardview.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include <sqlite3.h>

#include <chrono>
#include <thread>

using namespace Orvella;
using Orvella::Test::MainWindowDriver;

namespace {

// Set in a child copy of this test: hold a write transaction on this journal until killed,
// begun as the second says (BEGIN IMMEDIATE when it is not set).
const char HoldVariable[] = "ORVELLA_TEST_HOLD_JOURNAL";
const char HoldHowVariable[] = "ORVELLA_TEST_HOLD_HOW";

// A copy of this test holding the journal at @p path, begun by @p how.
bool startHolding(QProcess &holder, const QString &path, const QByteArray &how = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(HoldVariable), path);
    if (!how.isEmpty())
        environment.insert(QLatin1String(HoldHowVariable), QString::fromLatin1(how));
    holder.setProcessEnvironment(environment);
    holder.start(QCoreApplication::applicationFilePath(), {});
    return holder.waitForReadyRead(10000);
}

QStringList keptSources(JournalStore &store)
{
    QStringList sources;
    for (const JournalEntry &entry : store.all())
        sources << journalSourceName(entry.source);
    return sources;
}

QStringList names(const QList<JournalEntry> &entries)
{
    QStringList names;
    for (const JournalEntry &entry : entries)
        names << entry.name;
    return names;
}

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keepsEachReadingShownOnce();
    void readingsAndWordsWaitWhileAnotherProgramHoldsTheJournal();
    void journalOpenedUnfitToKeepIsOpenedAgain_data();
    void journalOpenedUnfitToKeepIsOpenedAgain();
    void journalThatCannotBeKeptIsSaidOnceOrKeptAside_data();
    void journalThatCannotBeKeptIsSaidOnceOrKeptAside();
    void windowFindsWritesShowsAndDeletes();
    void emptyListSaysWhatKeepsNone_data();
    void emptyListSaysWhatKeepsNone();
    void wordsForADamagedJournalAreKeptBesideIt();
    void aJournalReplacedWhileInUseIsFollowed();
    void cardOfTheDayFollowUpsStatisticsAndTransfers();

private:
    JournalStore &store() { return *m_driver->journal()->store(); }
    void draw(const QString &name)
    {
        if (m_driver->resultInFront())
            m_driver->click(QStringLiteral("cmdBack"));
        m_driver->proceed(name, 1);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindowDriver> m_driver;
};

void TestJournal::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_driver = std::make_unique<MainWindowDriver>();
    QVERIFY(m_driver->show());
}

void TestJournal::cleanup()
{
    m_driver.reset();
    m_dir.reset();
}

void TestJournal::keepsEachReadingShownOnce()
{
    Journal &journal = m_driver->attachJournal(m_dir->path());
    draw(QStringLiteral("Ann"));
    const QString file = m_dir->filePath(QStringLiteral("saved.mca"));
    QVERIFY(Test::writeFile(file, ReadingFile::encode(m_driver->window().reading())));
    ReadingSession &session = m_driver->window().session();
    for (int again = 0; again < 2; ++again) // opened twice: kept once
        session.openFile(file);
    session.openFile(file, ReadingSource::HandedOver); // the same file, handed over
#ifdef Q_OS_UNIX
    // ... and through a link to its folder.
    QVERIFY(QFile::link(m_dir->path(), m_dir->filePath(QStringLiteral("link"))));
    session.openFile(m_dir->filePath(QStringLiteral("link/saved.mca")));
#endif
    const JournalEntry ann = store().all().first();
    session.show(readingOf(ann), ReadingSource::Journal, ann.name); // shown again from the journal
    QCOMPARE(keptSources(store()), (QStringList{"drawn", "opened"}));
    QCOMPARE(ann.name, QStringLiteral("Ann"));
    QCOMPARE(store().all().last().file, QFileInfo(file).canonicalFilePath());
    // Saved (twice: the last file counts), a drawn reading is the one its file
    // holds: opened later, it is found kept.
    draw(QStringLiteral("Cy"));
    const QString saved = m_dir->filePath(QStringLiteral("cy.mca"));
    m_driver->platform().fileNames << m_dir->filePath(QStringLiteral("first.mca")) << saved;
    m_driver->click(QStringLiteral("cmdSave"));
    m_driver->click(QStringLiteral("cmdSave"));
    session.openFile(saved);
    QCOMPARE(keptSources(store()), (QStringList{"drawn", "opened", "drawn"}));
    QCOMPARE(store().all().last().name, QStringLiteral("Cy"));
    QCOMPARE(store().all().last().file, QFileInfo(saved).canonicalFilePath());
    // One the draw could never make is shown, and not kept.
    Reading twice = m_driver->window().reading();
    twice.cards[2] = twice.cards[1];
    const QString edited = m_dir->filePath(QStringLiteral("edited.mca"));
    QVERIFY(Test::writeFile(edited, ReadingFile::encode(twice)));
    QVERIFY(session.openFile(edited));
    QCOMPARE(store().all().size(), 3);

    journal.setKeepsNewReadings(false);
    draw(QStringLiteral("Bo"));
    QCOMPARE(store().all().size(), 3);
    QVERIFY(m_driver->platform().messages.isEmpty());
}

void TestJournal::readingsAndWordsWaitWhileAnotherProgramHoldsTheJournal()
{
    Journal &journal = m_driver->attachJournal(m_dir->path());
    draw(QStringLiteral("Ann")); // the journal is made
    draw(QStringLiteral("Cy"));
    QTest::keyClick(&m_driver->window(), Qt::Key_J, Qt::ControlModifier);
    JournalWindow *window = m_driver->journalCommands()->journalWindow();
    auto *list = window->findChild<QListView *>(QStringLiteral("lstReadings"));
    auto *notes = window->findChild<QPlainTextEdit *>(QStringLiteral("txtNotes"));
    const qint64 cy = window->selectedId();
    QProcess holder;
    QVERIFY(startHolding(holder, journalPathIn(m_dir->path())));

    // The window keeps answering; the reading waits in memory...
    QElapsedTimer took;
    took.start();
    draw(QStringLiteral("Bo"));
    QVERIFY2(took.elapsed() < 500, qPrintable(QString::number(took.elapsed())));
    QCOMPARE(m_driver->journal()->waiting(), 1);
    qint64 longest = 0;
    for (QElapsedTimer waited; !waited.isValid() || waited.elapsed() < 600;) {
        if (!waited.isValid())
            waited.start();
        QElapsedTimer pass;
        pass.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        longest = std::max(longest, pass.elapsed());
    }
    QVERIFY2(longest < 500, qPrintable(QString::number(longest)));
    QCOMPARE(m_driver->journal()->waiting(), 1);
    // Told meanwhile to keep no more, it keeps to it.
    journal.setKeepsNewReadings(false);
    draw(QStringLiteral("Dee"));
    QVERIFY(!journal.keepsNewReadings());
    QCOMPARE(m_driver->journal()->waiting(), 1);

    // Words typed wait too: shown as typed when their reading is come back to, not
    // deleted with it meanwhile, and the program asks before it ends without them
    // and the reading.
    QTest::keyClicks(notes, QStringLiteral("Stay"));
    QTest::qWait(400);
    list->setCurrentIndex(list->model()->index(1, 0));
    QVERIFY(notes->toPlainText().isEmpty());
    list->setCurrentIndex(list->model()->index(0, 0));
    QCOMPARE(notes->toPlainText(), QStringLiteral("Stay"));
    // An export has them as typed; a backup, which cannot, says so.
    const QString exported = m_dir->filePath(QStringLiteral("held.json"));
    m_driver->platform().fileNames << exported << m_dir->filePath(QStringLiteral("held.sqlite"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdExport")),
                      Qt::LeftButton);
    QVERIFY(Test::readFile(exported).contains("Stay"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdBackUp")),
                      Qt::LeftButton);
    m_driver->platform().answers << Platform::Answer::Yes << Platform::Answer::No;
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdDelete")),
                      Qt::LeftButton);
    QCOMPARE(list->model()->rowCount(), 2);
    QVERIFY(!journal.mayEnd());
    QCOMPARE(m_driver->platform().messageTexts(),
             (QStringList{"The journal is backed up without the readings and notes it could not "
                          "take yet; they are kept in it as soon as it can take them.",
                          "Delete This Reading From The Journal?\n\n"
                              + dayAndTimeText(store().entry(cy)->time) + ", Cy, Butterfly Spread",
                          "Unable To Delete The Reading From The Journal.",
                          "The Readings And Notes Could Not Be Kept In The Journal. Quit And "
                          "Lose Them?"}));

    // ...and all is kept as soon as the other program lets go.
    holder.kill();
    QVERIFY(holder.waitForFinished(10000));
    QTRY_COMPARE(m_driver->journal()->waiting(), 0);
    QTRY_COMPARE(store().entry(cy)->notes, QStringLiteral("Stay"));
    QCOMPARE(store().all().size(), 3);
    QCOMPARE(store().setting(QStringLiteral("keep-new-readings")), QStringLiteral("no"));
    QVERIFY(journal.mayEnd());
    QCOMPARE(m_driver->platform().messages.size(), 4);
}

void TestJournal::journalOpenedUnfitToKeepIsOpenedAgain_data()
{
    QTest::addColumn<bool>("held");
    QTest::newRow("an older journal held by another program") << true;
    QTest::newRow("a journal that can only be read") << false;
}

void TestJournal::journalOpenedUnfitToKeepIsOpenedAgain()
{
    QFETCH(bool, held);
    const QString path = journalPathIn(m_dir->path());
    m_driver->attachJournal(m_dir->path());
    draw(QStringLiteral("Old"));
    m_driver = std::make_unique<MainWindowDriver>();
    QVERIFY(m_driver->show());
    QProcess holder;
    bool readOnly = !held; // as where nothing can be written
    if (held) {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(path).constData(), &db);
        QCOMPARE(sqlite3_exec(db, "ALTER TABLE reading DROP COLUMN outcome; ALTER TABLE reading "
                                  "DROP COLUMN outcome_date; PRAGMA user_version = 1",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(db);
        QVERIFY(startHolding(holder, path, "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE"));
    }
    // Written, it fails as a file its owner may only read does; read, it is read.
    const QString unwritable = m_dir->filePath(QStringLiteral("plain/journal.sqlite"));
    QVERIFY(Test::writeFile(m_dir->filePath(QStringLiteral("plain")), "a file"));
    Journal &journal = m_driver->attachJournal(
        m_dir->path(), [&](const QString &at, JournalStore::Access access) {
            const bool fails = readOnly && access == JournalStore::Access::ReadWrite;
            return SqliteJournalStore::open(fails ? unwritable : at, access);
        });

    // The reading waits, and the program asks before it ends without it...
    draw(QStringLiteral("Ann"));
    QCOMPARE(journal.waiting(), 1);
    QTest::keyClick(&m_driver->window(), Qt::Key_J, Qt::ControlModifier);
    JournalWindow *window = m_driver->journalCommands()->journalWindow();
    auto *import = window->findChild<QPushButton *>(QStringLiteral("cmdImport"));
    auto *notes = window->findChild<QPlainTextEdit *>(QStringLiteral("txtNotes"));
    QVERIFY(held || (!import->isEnabled() && notes->isReadOnly()));
    // A list that cannot be read now is said so, never shown as an empty journal.
    auto *list = window->findChild<QAbstractItemView *>(QStringLiteral("lstReadings"));
    QCOMPARE(list->accessibleDescription(),
             held ? "No reading can be listed: another program holds the journal; try again in "
                    "a moment."
                  : "");
    QVERIFY(!journal.mayEnd());
    QCOMPARE(m_driver->platform().messageTexts().constLast(),
             QStringLiteral("The Readings Could Not Be Kept In The Journal. Quit And Lose Them?"));
    // ...and is kept once the journal can be written, brought up to date first.
    readOnly = false;
    holder.kill();
    QVERIFY(!holder.isOpen() || holder.waitForFinished(10000));
    QTRY_COMPARE(journal.waiting(), 0);
    QCOMPARE(names(store().all()), (QStringList{"Old", "Ann"}));
    QVERIFY(!store().isReadOnly());
    QVERIFY(import->isEnabled() && !notes->isReadOnly()); // and the window says so
    QTRY_COMPARE(list->model()->rowCount(), 2);
    QVERIFY(store().setOutcome(store().list({}).value(0).id, QStringLiteral("Well"), {}));
}

void TestJournal::journalThatCannotBeKeptIsSaidOnceOrKeptAside_data()
{
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("message");
    QTest::newRow("a folder that cannot be written")
        << "unwritable"
        << "Unable To Keep The Reading In The Journal.\n\nThe journal, or its folder, cannot be "
           "written.";
    QTest::newRow("a damaged journal") << "damaged"
                                       << "The journal was damaged. It is kept as";
    QTest::newRow("a damaged journal, no new one to read it into")
        << "damaged, nowhere to rebuild" << "The journal was damaged. It is kept as";
#ifdef Q_OS_UNIX
    QTest::newRow("a link out of the folder")
        << "link" << "The journal was a link, which is not followed. It is kept as";
#endif
}

void TestJournal::journalThatCannotBeKeptIsSaidOnceOrKeptAside()
{
    QFETCH(QString, found);
    QFETCH(QString, message);
    // Below a plain file no folder can be made, whoever runs the test.
    QString folder = m_dir->filePath(QStringLiteral("plain"));
    QVERIFY(Test::writeFile(folder, "a file"));
    const QByteArray damaged(16384, 'x');
    const bool damagedRow = found.startsWith(QLatin1String("damaged"));
    if (damagedRow) {
        folder = m_dir->path();
        QVERIFY(Test::writeFile(journalPathIn(m_dir->path()), damaged));
#ifdef Q_OS_UNIX // its log a link that leads nowhere: moved aside with it all the same
        QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("nowhere")),
                                            journalPathIn(m_dir->path()) + QStringLiteral("-wal")));
#endif
#ifdef Q_OS_UNIX
    } else if (found == QLatin1String("link")) { // to a journal the link's maker wants read
        folder = m_dir->path();
        const QString other = m_dir->filePath(QStringLiteral("other.sqlite"));
        Test::ScriptedRandom random;
        Reading reading;
        Draw(reading, 0, random);
        QVERIFY(SqliteJournalStore::open(other, JournalStore::Access::ReadWrite)
                    ->keep(journalEntry(reading, m_driver->platform().now(),
                                        JournalSource::Drawn, QStringLiteral("Zed"))));
        QVERIFY(QFile::link(other, journalPathIn(folder)));
#endif
    } else {
        folder += QStringLiteral("/below");
    }
    // The new journal is made beside the damaged one, still in its place: a
    // kill meanwhile leaves it there. One such a kill cut short is not used.
    const QString rebuilt = journalPathIn(folder) + QStringLiteral(".rebuilding");
    QVERIFY(!damagedRow || Test::writeFile(rebuilt, "cut short"));
    bool inPlace = false;
    const bool nowhere = found.endsWith(QLatin1String("nowhere to rebuild"));
    m_driver->attachJournal(folder, [&](const QString &at, JournalStore::Access access) {
        if (at == rebuilt)
            inPlace = Test::readFile(journalPathIn(folder)) == damaged;
        return SqliteJournalStore::open(
            at == rebuilt && nowhere ? m_dir->filePath(QStringLiteral("plain/below")) : at,
            access);
    });
    draw(QStringLiteral("Ann"));
    draw(QStringLiteral("Bo"));

    // Said once; both readings shown all the same.
    QCOMPARE(m_driver->platform().messages.size(), 1);
    QVERIFY2(m_driver->platform().messageTexts().first().startsWith(message),
             qPrintable(m_driver->platform().messageTexts().first()));
    QVERIFY(m_driver->resultInFront());
    QCOMPARE(Test::readFile(m_dir->filePath(QStringLiteral("plain"))), QByteArray("a file"));
    if (found == QLatin1String("link")) // nothing read through it
        QCOMPARE(names(store().all()), (QStringList{"Ann", "Bo"}));
    if (!damagedRow)
        return;
    // Where none could be made, the one set aside still holds them: the user is told so.
    QCOMPARE(m_driver->platform().messageTexts().first().contains(
                 QStringLiteral(". What could still be read from it is not in the new one: the "
                                "journal, or its folder, cannot be written. Import Readings")),
             nowhere);
    // The damaged file kept aside as it was, and a new journal has both readings.
    const QString aside = journalPathIn(m_dir->path())
                          + QStringLiteral(".damaged-")
                                           + m_driver->platform().today().toString(Qt::ISODate);
    QCOMPARE(Test::readFile(aside), damaged);
#ifdef Q_OS_UNIX
    QVERIFY(QFileInfo(aside + QStringLiteral("-wal")).isSymLink());
#endif
    QCOMPARE(store().all().size(), 2);
    QVERIFY(inPlace && !QFileInfo::exists(rebuilt));
}

void TestJournal::windowFindsWritesShowsAndDeletes()
{
    m_driver->attachJournal(m_dir->path());
    draw(QStringLiteral("Ann"));
    draw(QStringLiteral("Bo"));
    const Reading bo = m_driver->window().reading();

    // Ctrl+J opens it, the newest reading listed first and selected.
    QTest::keyClick(&m_driver->window(), Qt::Key_J, Qt::ControlModifier);
    JournalWindow *window = m_driver->journalCommands()->journalWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Journal - Orvella Medicine Cards"));
    // It fits a small screen, its reading's details scrolling, and keys go through them in order.
    QVERIFY(window->minimumSizeHint().height() < 480 && window->minimumSizeHint().width() <= 640);
    // Made as small as it goes, its details scroll up and down, never cut at the side.
    const QSize opened = window->size();
    window->resize(window->minimumSizeHint());
    QCoreApplication::processEvents();
    auto *details = window->findChild<QScrollArea *>(QStringLiteral("scrollReading"));
    QVERIFY(details->widget()->width() <= details->viewport()->width());
    window->resize(opened);
    // Made tall enough for its details at first, before it is shown too.
    QVERIFY(JournalWindow(*m_driver->journal()).minimumSizeHint().height() < 480);
    const auto nextStop = [window](const char *name) {
        QWidget *next = window->findChild<QWidget *>(QLatin1String(name))->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        return next->objectName();
    };
    QCOMPARE(nextStop("lstReadings"), QStringLiteral("txtQuestion"));
    QCOMPARE(nextStop("cmdDelete"), QStringLiteral("chkKeepNew"));
    auto *list = window->findChild<QListView *>(QStringLiteral("lstReadings"));
    // On a small screen, a reading's cards close up rather than run out of
    // sight, under the calendar; on a larger one the list stands beside it.
    const QWidget *month = window->findChild<QWidget *>(QStringLiteral("calDays"));
    for (const auto &[size, beside] : {std::pair{QSize(800, 600), false}, {{1400, 900}, true}}) {
        window->resize(size);
        QCoreApplication::processEvents();
        QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(list->y() < month->geometry().bottom(), beside);
    }
    window->resize(opened);
    QCOMPARE(list->model()->rowCount(), 2);
    QVERIFY(list->model()->index(0, 0).data().toString().contains(
        QStringLiteral("Bo, Butterfly Spread: The ")));
    QCOMPARE(window->selectedId(), store().all().last().id);

    // Its days heard with their date and whether they have readings.
    auto *calendar = window->findChild<QCalendarWidget *>(QStringLiteral("calDays"));
    auto *days = calendar->findChild<QWidget *>(QStringLiteral("qt_calendar_calendarview"));
    const QDate kept = store().all().first().time.date();
    for (const QDate day : {kept, kept.addDays(-1)}) {
        calendar->setSelectedDate(day);
        QCOMPARE(days->accessibleDescription(),
                 calendar->locale().toString(day, QStringLiteral("dddd d MMMM yyyy"))
                     + (day == kept ? QStringLiteral(", with readings")
                                    : QStringLiteral(", no readings")));
    }

    // Searching as one types; Esc clears the search.
    auto *search = window->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    // A day moved to lists its readings, from the keys too.
    QCOMPARE(list->model()->rowCount(), 0);
    QTest::keyClick(days, Qt::Key_Right);
    QCOMPARE(list->model()->rowCount(), 2);
    // The calendar marks the days of what the search keeps, on any day shown.
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClicks(search, QStringLiteral("zzz"));
    QVERIFY(calendar->dateTextFormat().isEmpty());
    auto *nothing = window->findChild<QLabel *>(QStringLiteral("lblNothingListed"));
    QVERIFY(nothing->isVisible());
    QCOMPARE(nothing->text(),
             QStringLiteral("No reading is listed: the search and the day chosen keep none."));
    QTest::keyClick(search, Qt::Key_Escape);
    QVERIFY(calendar->dateTextFormat().contains(kept));
    // A search that listed none, cleared, leaves the reading chosen before it.
    QCOMPARE(list->currentIndex().row(), 1);
    QVERIFY(!nothing->isVisible());
    auto *allDays = window->findChild<QPushButton *>(QStringLiteral("cmdAllDays"));
    allDays->setFocus();
    QVERIFY(allDays->isEnabled());
    QTest::keyClick(allDays, Qt::Key_Space);
    // Nothing more to do, and the keys are not lost with it.
    QVERIFY(!allDays->isEnabled() && window->focusWidget() == list);
    // A new search has its best answer selected, whatever was before.
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClicks(search, QStringLiteral("butterfly"));
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(list->currentIndex().row(), 0);
    search->clear();
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(search, QStringLiteral("an"));
    QCOMPARE(list->model()->rowCount(), 1);
    QTest::keyClick(search, Qt::Key_Escape);
    QCOMPARE(list->model()->rowCount(), 2);

    // Notes are in the journal a moment after they are typed.
    auto *notes = window->findChild<QPlainTextEdit *>(QStringLiteral("txtNotes"));
    QTest::keyClicks(notes, QStringLiteral("Trust the journey"));
    QTRY_COMPARE(store().entry(window->selectedId())->notes, QStringLiteral("Trust the journey"));
    // Come back to, a note goes on where it ended.
    const QModelIndex noted = list->currentIndex();
    list->setCurrentIndex(list->model()->index(1 - noted.row(), 0));
    list->setCurrentIndex(noted);
    // Typed on without a pause, they are kept all the same, once a second at least.
    QTest::keyClicks(notes, QStringLiteral(", always"), Qt::NoModifier, 100);
    QVERIFY(store().entry(window->selectedId())->notes.startsWith(u"Trust the journey, a"));
    QTRY_COMPARE(store().entry(window->selectedId())->notes,
                 QStringLiteral("Trust the journey, always"));
    QVERIFY(list->currentIndex().data().toString().endsWith(QStringLiteral(", with notes")));
    // No longer than an import takes back: what is pasted past that is left out.
    notes->insertPlainText(QString(MaxTextLength - 26, u'x') + QStringLiteral("\U0001F600"));
    QCOMPARE(notes->toPlainText().size(), MaxTextLength - 1); // never half a character
    notes->insertPlainText(QString(MaxTextLength, u'x'));
    QCOMPARE(notes->toPlainText().size(), MaxTextLength);
    QVERIFY(notes->toPlainText().startsWith(u"Trust the journey, alwaysxxx"));
    QTRY_COMPARE(store().entry(window->selectedId())->notes.size(), MaxTextLength);
    // Long words are shown from their start, the notes still going on where they
    // end; a question alone is marked as one, not as notes.
    auto *question = window->findChild<QLineEdit *>(QStringLiteral("txtQuestion"));
    QVERIFY(store().setWords(window->selectedId(), QString(300, u'Q'), QString(80, u'\n')));
    list->setCurrentIndex(list->model()->index(1 - noted.row(), 0));
    window->reload();
    list->setCurrentIndex(noted);
    QVERIFY(question->cursorPosition() == 0 && notes->textCursor().atEnd()
            && notes->verticalScrollBar()->value() == 0);
    QVERIFY(store().setWords(window->selectedId(), QStringLiteral("Move?"), {}));
    window->reload();
    QVERIFY(list->currentIndex().data().toString().endsWith(QStringLiteral(", with a question")));
    // Typed in one field, the others keep what the journal holds as it holds it,
    // though a field would show it otherwise.
    const qint64 id = window->selectedId();
    const QString longQuestion(40'000, u'Q');
    QVERIFY(store().setWords(id, longQuestion, QStringLiteral("20\u00a0%")));
    QVERIFY(store().setOutcome(id, QStringLiteral(" Well "), m_driver->platform().today()));
    window->reload();
    QTest::keyClicks(notes, QStringLiteral("\u00a0!"));
    QTest::keyClick(notes, Qt::Key_Return, Qt::ShiftModifier); // a line break as any other
    QTRY_COMPARE(store().entry(id)->notes, QStringLiteral("20\u00a0%\u00a0!\n"));
    QCOMPARE(store().entry(id)->question, longQuestion);
    QCOMPARE(store().entry(id)->outcome, QStringLiteral(" Well "));
    QVERIFY(store().setOutcome(id, {}, {}));
    QVERIFY(
        store().setWords(window->selectedId(), {}, QStringLiteral("Trust the journey, always")));
    window->reload();

    // The search left Ann's reading selected: shown again in the main window, as it was.
    const JournalEntry ann = *store().entry(window->selectedId());
    QCOMPARE(ann.name, QStringLiteral("Ann"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdShowReading")),
                      Qt::LeftButton);
    QCOMPARE(m_driver->window().reading(), readingOf(ann));
    QVERIFY(m_driver->window().reading() != bo);
    QCOMPARE(store().all().size(), 2);
    // A card of its figure names itself in a tip, and is seen large when clicked.
    auto *figure = window->findChild<JournalFigure *>(QStringLiteral("figReading"));
    const QPoint third = figure->cardRect(2).center();
    QHelpEvent help(QEvent::ToolTip, third, figure->mapToGlobal(third));
    QApplication::sendEvent(figure, &help);
    const QList<ShownPosition> positions = shownPositions(readingOf(ann));
    QCOMPARE(QToolTip::text(), positions[2].accessibleName);
    QTest::mouseClick(figure, Qt::LeftButton, {}, third);
    CardView *view = m_driver->window().cardView();
    QVERIFY(view && view->isVisible());
    QVERIFY(view->mode() == CardView::Mode::Cards && view->currentIndex() == 2
            && view->count() == positions.size());
    view->close();
    // Saved from the main window and opened again, it is the reading kept.
    const QString saved = m_dir->filePath(QStringLiteral("ann.mca"));
    m_driver->platform().fileNames << saved;
    m_driver->click(QStringLiteral("cmdSave"));
    QVERIFY(m_driver->window().session().openFile(saved));
    QCOMPARE(store().all().size(), 2);

    // Deleted after asking, by its button or the Delete key: No keeps it, Yes removes it.
    m_driver->platform().answers.enqueue(Platform::Answer::No);
    auto *deleteButton = window->findChild<QPushButton *>(QStringLiteral("cmdDelete"));
    deleteButton->setFocus();
    QTest::keyClick(deleteButton, Qt::Key_Return); // as buttons are pressed in a dialog
    m_driver->platform().answers.enqueue(Platform::Answer::Yes);
    QTest::keyClick(list, Qt::Key_Delete);
    // Which reading, said in the question.
    const QString asked = QStringLiteral("Delete This Reading From The Journal?\n\n%1, Ann, "
                                         "Butterfly Spread")
                              .arg(dayAndTimeText(ann.time));
    QCOMPARE(m_driver->platform().messageTexts(), QStringList(2, asked));
    QCOMPARE(store().all().size(), 1);
    QCOMPARE(list->model()->rowCount(), 1);
    QVERIFY(list->hasFocus()); // on to the reading that took its place

    // What the command line keeps meanwhile is listed when the window is come back to;
    // a name too long for the details is cut short there and in tips, and heard
    // whole; an imported one in markup is shown as the text it is.
    JournalEntry longer = ann;
    longer.name = QStringLiteral("<h1>") + QString(400, u'W');
    QVERIFY(SqliteJournalStore::open(m_driver->journal()->path(), JournalStore::Access::ReadWrite)
                ->keep(longer));
    QCOMPARE(list->model()->rowCount(), 1);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(list->model()->rowCount(), 2);
    list->setCurrentIndex(list->model()->index(0, 0));
    auto *heading = window->findChild<QLabel *>(QStringLiteral("lblReading"));
    QVERIFY2(heading->text().section(u'\n', 1, 1).endsWith(u'\u2026'),
             qPrintable(QStringLiteral("%1 in %2 px").arg(heading->text()).arg(heading->width())));
    QVERIFY(heading->accessibleName().contains(longer.name));
    QTextDocument tip;
    tip.setHtml(heading->toolTip());
    const QString tipName = longer.name.first(300) + u'\u2026';
    QCOMPARE(tip.toPlainText().replace(QChar::LineSeparator, u'\n').section(u'\n', 1, 1),
             tipName);
    tip.setHtml(list->currentIndex().data(Qt::ToolTipRole).toString()); // and in the list
    QVERIFY(tip.toPlainText().contains(tipName + QStringLiteral(", ")));

    // Opened again, it starts as it did at first: every reading, the newest
    // selected, the keys at the search rather than in the notes left.
    QTest::keyClicks(search, QStringLiteral("an"));
    notes->setFocus();
    const QRect room = window->screen()->availableGeometry();
    window->resize(room.size() * 2);
    QTest::keySequence(window, QKeySequence::Close);
    QVERIFY(!window->isVisible());
    {
        // Its size kept for the next run, within the screen's room, a frame around it included.
        const JournalWindow next(*m_driver->journal());
        QVERIFY(next.width() < room.width() && next.height() + 20 < room.height());
    }
    m_driver->window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_driver->window()));
    QTest::keyClick(&m_driver->window(), Qt::Key_J, Qt::ControlModifier);
    QVERIFY(window->isVisible() && search->text().isEmpty());
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(list->currentIndex().row(), 0);
    QCOMPARE(window->focusWidget(), search);
    // It goes with the main window.
    m_driver->window().close();
    QVERIFY(!window->isVisible());
}

void TestJournal::emptyListSaysWhatKeepsNone_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("show");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("said");
    QTest::newRow("a search") << "zzz" << 0 << 0 << "No reading is listed: the search keeps none.";
    QTest::newRow("a filter") << "" << 1 << 0 << "No reading is listed: the filters keep none.";
    QTest::newRow("a day") << "" << 0 << 1 << "No reading is listed: the day chosen keeps none.";
    QTest::newRow("all of them")
        << "zzz" << 2 << 1
        << "No reading is listed: the search, the filters and the day chosen keep none.";
    QTest::newRow("none of them, and no reading yet")
        << "" << 0 << 0 << "No reading is kept yet: each reading shown is kept here.";
}

void TestJournal::emptyListSaysWhatKeepsNone()
{
    QFETCH(QString, search);
    QFETCH(int, show);
    QFETCH(int, days);
    QFETCH(QString, said);
    m_driver->attachJournal(m_dir->path());
    if (!said.startsWith(QLatin1String("No reading is kept yet")))
        draw(QStringLiteral("Ann")); // today, and not a week old
    QTest::keyClick(&m_driver->window(), Qt::Key_J, Qt::ControlModifier);
    JournalWindow *window = m_driver->journalCommands()->journalWindow();
    window->findChild<QLineEdit *>(QStringLiteral("txtSearch"))->setText(search);
    window->findChild<QComboBox *>(QStringLiteral("cboShow"))->setCurrentIndex(show);
    if (days > 0) // a day before the reading's
        window->findChild<QCalendarWidget *>()->setSelectedDate(
            m_driver->platform().currentDate.addDays(-1));
    auto *nothing = window->findChild<QLabel *>(QStringLiteral("lblNothingListed"));
    QVERIFY(nothing->isVisible());
    QCOMPARE(nothing->text(), said);
}

void TestJournal::wordsForADamagedJournalAreKeptBesideIt()
{
    Journal &journal = m_driver->attachJournal(m_dir->path());
    draw(QStringLiteral("Ann"));
    journal.setKeepsNewReadings(false);
    QTest::keyClick(&m_driver->window(), Qt::Key_J, Qt::ControlModifier);
    JournalWindow *window = m_driver->journalCommands()->journalWindow();
    auto *notes = window->findChild<QPlainTextEdit *>(QStringLiteral("txtNotes"));
    // Another program breaks the journal's make-up while the notes are typed.
    sqlite3 *other = nullptr;
    sqlite3_open(QFile::encodeName(m_driver->journal()->path()).constData(), &other);
    QCOMPARE(sqlite3_exec(other,
                          "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = 'CREATE "
                          "TABLE reading (' WHERE name = 'reading'; PRAGMA schema_version = 99",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(other);
    QTest::keyClicks(notes, QStringLiteral("Stay"));

    // Never written into the new journal, whose readings are others: kept beside the old one.
    const QString aside = journalPathIn(m_dir->path())
                          + QStringLiteral(".damaged-")
                                           + m_driver->platform().today().toString(Qt::ISODate);
    QTRY_VERIFY(QFileInfo::exists(aside + QStringLiteral(".notes.txt")));
    const QByteArray kept = Test::readFile(aside + QStringLiteral(".notes.txt"));
    QVERIFY2(kept.contains(", Ann, Butterfly Spread\nQuestion: \nNotes:\nStay\n"), kept.constData());
    QVERIFY(store().all().isEmpty());
    QVERIFY(notes->toPlainText().isEmpty());
    QVERIFY(!journal.keepsNewReadings()); // as the user chose, in the new journal too
    QVERIFY(m_driver->journal()->mayEnd());
    QCOMPARE(m_driver->platform().messageTexts(),
             QStringList{QStringLiteral("The journal was damaged. It is kept as %1, and a new "
                                        "journal begins. The notes typed but not yet in it are "
                                        "in %1.notes.txt.")
                             .arg(QDir::toNativeSeparators(aside))});
}

void TestJournal::aJournalReplacedWhileInUseIsFollowed()
{
    // As a file syncing tool or a restore by hand does it: the journal moved
    // away, another put in its place, while the program writes notes.
    m_driver->attachJournal(m_dir->path());
    draw(QStringLiteral("Ann"));
    const QString path = journalPathIn(m_dir->path());
    const QString other = m_dir->filePath(QStringLiteral("other.sqlite"));
    Test::ScriptedRandom random;
    Reading reading;
    Draw(reading, 0, random);
    QVERIFY(SqliteJournalStore::open(other, JournalStore::Access::ReadWrite)
                ->keep(journalEntry(reading, m_driver->platform().now(), JournalSource::Drawn,
                                    QStringLiteral("Zed"))));
    QTest::keyClick(&m_driver->window(), Qt::Key_J, Qt::ControlModifier);
    JournalWindow *window = m_driver->journalCommands()->journalWindow();
    QTest::keyClicks(window->findChild<QPlainTextEdit *>(QStringLiteral("txtNotes")),
                     QStringLiteral("Old words"));
    const QString moved = m_dir->filePath(QStringLiteral("moved.sqlite"));
    QVERIFY(QFile::rename(path, moved) && QFile::rename(other, path));

    // The words typed for a reading of the journal moved away are kept beside
    // the new one; readings go on into it, and the one moved away stays whole.
    QTRY_VERIFY(!m_driver->platform().messages.isEmpty());
    const QString notes = damagedJournalNotes(
        path + QStringLiteral(".replaced-") + m_driver->platform().today().toString(Qt::ISODate));
    QVERIFY(m_driver->platform().messageTexts().constLast().startsWith(
        QStringLiteral("The journal %1 was moved, replaced or removed while in use: the journal "
                       "now in its place is used. The notes typed but not yet in it are in %2.")
            .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(notes))));
    QVERIFY(Test::readFile(notes).contains("Old words"));
    QCOMPARE(window->findChild<QListView *>(QStringLiteral("lstReadings"))->model()->rowCount(), 1);
    draw(QStringLiteral("Bo"));
    QCOMPARE(names(store().all()), (QStringList{"Zed", "Bo"}));
    QCOMPARE(names(SqliteJournalStore::open(moved, JournalStore::Access::ReadOnly)->all()),
             QStringList{"Ann"});

    // Moved again while a file is chosen: the readings listed to export (those
    // searched for, as its dialog says) were the other journal's, and none is
    // exported; a backup is of the journal now in place.
    int moves = 0;
    m_driver->platform().whileSaveDialogOpen = [&] {
        QVERIFY(QFile::rename(path, m_dir->filePath(QString::number(++moves))));
        m_driver->journal()->noticeChangesElsewhere();
    };
    const QString exported = m_dir->filePath(QStringLiteral("listed.json"));
    const QString backup = m_dir->filePath(QStringLiteral("backup.sqlite"));
    m_driver->platform().fileNames << exported << backup;
    QTest::keyClicks(window->findChild<QLineEdit *>(QStringLiteral("txtSearch")),
                     QStringLiteral("Bo"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdExport")),
                      Qt::LeftButton);
    QCOMPARE(m_driver->platform().saveRequests.first().title,
             QStringLiteral("Export Journal: The 1 Reading Listed"));
    QVERIFY(!QFile::exists(exported));
    QCOMPARE(m_driver->platform().messageTexts().constLast(),
             QStringLiteral("Unable To Export The Journal.\n\nAnother journal took its place "
                            "while the file was chosen. Export again the readings now listed."));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdBackUp")),
                      Qt::LeftButton);
    QVERIFY(SqliteJournalStore::open(backup, JournalStore::Access::ReadOnly)->all().isEmpty());
    m_driver.reset(); // closed: its log is no other journal's
    const auto reopened = SqliteJournalStore::open(m_dir->filePath(QStringLiteral("1")),
                                                   JournalStore::Access::ReadWrite);
    QCOMPARE(reopened->problem(), JournalStore::Problem::None);
    QCOMPARE(names(reopened->all()), (QStringList{"Zed", "Bo"}));
}

void TestJournal::cardOfTheDayFollowUpsStatisticsAndTransfers()
{
    m_driver->attachJournal(m_dir->path());
    const QDate today = m_driver->platform().currentDate;
    auto *cardOfTheDay = m_driver->child<QAction>(QStringLiteral("mnuCardOfTheDay"));

    // Drawn once a day and kept; asked again, also after a restart, the same card.
    cardOfTheDay->trigger();
    CardView *view = m_driver->window().cardView();
    QVERIFY(view->isVisible());
    QCOMPARE(view->count(), 1);
    // Alone: no number among others, nothing to step to.
    for (const char *among : {"lblPosition", "lblStep", "cmdPrevious", "cmdNext"})
        QVERIFY(view->findChild<QWidget *>(QLatin1String(among))->isHidden());
    // Not the reading: closed, not gone back to, and kept while a reading is drawn.
    QCOMPARE(view->findChild<QPushButton *>(QStringLiteral("cmdClose"))->text(),
             QStringLiteral("&Close"));
    m_driver->journal()->setKeepsNewReadings(false);
    draw(QStringLiteral("Ann"));
    m_driver->journal()->setKeepsNewReadings(true);
    QCOMPARE(view->count(), 1);
    const QList<JournalEntry> kept = store().all();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept[0].spreadName, QStringLiteral("Card of the Day"));
    QCOMPARE(kept[0].time.date(), today);
    m_driver = std::make_unique<MainWindowDriver>();
    QVERIFY(m_driver->show());
    m_driver->attachJournal(m_dir->path());
    m_driver->random().script({0.99, 0.99});
    m_driver->child<QAction>(QStringLiteral("mnuCardOfTheDay"))->trigger();
    QCOMPARE(store().all(), kept);
    const QDate ahead = today.addDays(30); // a day no run of the test is on
    m_driver->platform().currentDate = ahead;
    m_driver->child<QAction>(QStringLiteral("mnuCardOfTheDay"))->trigger();
    QCOMPARE(store().all().size(), 2);
    m_driver->platform().currentDate = today;

    // A reading ten days old waits to hear how it turned out; one a year old is "on this day".
    Test::ScriptedRandom random;
    Reading pathway;
    Draw(pathway, 0, random);
    const qint64 oldId = *store().keep(journalEntry(pathway, today.addDays(-10).startOfDay(),
                                                    JournalSource::Drawn, QStringLiteral("Old")));
    QVERIFY(store().keep(journalEntry(pathway, today.addYears(-1).startOfDay(),
                                      JournalSource::Drawn, QStringLiteral("Year"))));
    m_driver->platform().currentDate = today.addDays(-5); // opened while Old was five days old
    QTest::keyClick(&m_driver->window(), Qt::Key_J, Qt::ControlModifier);
    JournalWindow *window = m_driver->journalCommands()->journalWindow();
    // Its calendar at the reading selected, not on a month without one.
    auto *calendar = window->findChild<QCalendarWidget *>();
    QCOMPARE(calendar->selectedDate(), ahead);
    auto *list = window->findChild<QListView *>(QStringLiteral("lstReadings"));
    auto *show = window->findChild<QComboBox *>(QStringLiteral("cboShow"));
    show->setCurrentIndex(1);
    QCOMPARE(list->model()->rowCount(), 1);
    // Come back to on a later day, it follows the day.
    m_driver->platform().currentDate = today;
    QApplication::setActiveWindow(&m_driver->window());
    QApplication::setActiveWindow(window);
    QCOMPARE(list->model()->rowCount(), 2);
    list->setCurrentIndex(list->model()->index(0, 0));
    QCOMPARE(window->selectedId(), oldId);
    QCOMPARE(calendar->selectedDate(), today.addDays(-10));
    QVERIFY(list->currentIndex().data().toString().endsWith(
        QStringLiteral(", waiting to hear how it turned out")));
    QTest::keyClicks(window->findChild<QLineEdit *>(QStringLiteral("txtOutcome")),
                     QStringLiteral("Went well"));
    QTRY_COMPARE(store().entry(oldId)->outcome, QStringLiteral("Went well"));
    QVERIFY(list->currentIndex().data().toString().endsWith(
        QStringLiteral(", with how it turned out")));
    QCOMPARE(store().entry(oldId)->outcomeDate, today);
    // Told of on a day between the reading's and today.
    auto *told = window->findChild<QDateEdit *>(QStringLiteral("datOutcome"));
    QCOMPARE(qMakePair(told->minimumDate(), told->maximumDate()),
             qMakePair(today.addDays(-10), today));
    window->reload();
    QCOMPARE(list->model()->rowCount(), 1);
    show->setCurrentIndex(2);
    QCOMPARE(list->model()->rowCount(), 1);
    QVERIFY(list->model()->index(0, 0).data().toString().contains(QStringLiteral("Year")));
    show->setCurrentIndex(0);

    // The statistics are counted when looked at, the keys going on into them; a
    // card chosen there lists its readings.
    auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("tabsJournal"));
    QVERIFY(!window->findChild<StatisticsView *>());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    list->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(list, Qt::Key_Tab, Qt::ControlModifier);
    auto *statistics = window->findChild<StatisticsView *>();
    QVERIFY(statistics);
    QCOMPARE(statistics->statistics().readings, 4);
    QVERIFY(window->minimumSizeHint().width() <= 640); // the statistics still fit a small screen
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cboPeriod"));
    // Down in the search goes to the list only where it is in sight.
    auto *search = window->findChild<QLineEdit *>(QStringLiteral("txtSearch"));
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Down);
    QVERIFY(search->hasFocus());
    // From the tab bar to the period first; Tab leaves the table at once.
    QTRY_VERIFY(statistics->isVisible());
    tabs->tabBar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tabs->tabBar(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cboPeriod"));
    // The readings' page left with the keys in the notes, as a card there is chosen.
    tabs->setCurrentIndex(0);
    window->findChild<QPlainTextEdit *>(QStringLiteral("txtNotes"))->setFocus();
    tabs->setCurrentIndex(1);
    auto *table = statistics->findChild<QWidget *>(QStringLiteral("tblChance"));
    table->setFocus(Qt::TabFocusReason);
    QTest::keyClick(table, Qt::Key_Tab);
    QVERIFY(!table->isAncestorOf(QApplication::focusWidget()) && QApplication::focusWidget() != table);
    emit statistics->cardChosen(pathway.cards[1]);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(list->hasFocus()); // at the readings chosen, not in the notes
    QCOMPARE(window->filtersText(),
             QStringLiteral("with ") + CardDeck::cardName(pathway.cards[1]));
    // Its readings listed, and their days alone marked in the calendar.
    int holding = 0;
    QSet<QDate> marked;
    for (const JournalEntry &entry : store().all()) {
        if (std::any_of(entry.cards.cbegin(), entry.cards.cend(), [&](const JournalCard &card) {
                return card.card == pathway.cards[1];
            })) {
            ++holding;
            marked << entry.time.date();
        }
    }
    QCOMPARE(list->model()->rowCount(), holding);
    const QList<QDate> markedDays = calendar->dateTextFormat().keys();
    QCOMPARE(QSet<QDate>(markedDays.cbegin(), markedDays.cend()), marked);
    // Readings chosen by a card are counted, but never set against chance.
    tabs->setCurrentIndex(1);
    QVERIFY(!statistics->statistics().setAgainstChance);
    QVERIFY(std::all_of(statistics->statistics().perCard.cbegin(),
                        statistics->statistics().perCard.cend(),
                        [](const CardCount &count) { return count.mark == ChanceMark::None; }));
    // Another card chosen there lists exactly the readings its count there stands
    // for: those holding both (not the card of the day holding the second alone).
    const int both = statistics->statistics().perCard.at(pathway.cards[0]).count;
    emit statistics->cardChosen(pathway.cards[0]);
    auto *cardFilter = window->findChild<QComboBox *>(QStringLiteral("cboCardFilter"));
    QCOMPARE(list->model()->rowCount(), both);
    QCOMPARE(cardFilter->currentText(),
             CardDeck::cardName(pathway.cards[1])
                 + QStringLiteral(" and ") + CardDeck::cardName(pathway.cards[0]));
    // Chosen together only there: gone once another choice is made, or the window opened afresh.
    cardFilter->setCurrentIndex(0);
    QCOMPARE(cardFilter->count(), CardDeck::CardCount + 1);
    emit statistics->cardChosen(pathway.cards[0]);
    emit statistics->cardChosen(pathway.cards[1]);
    window->close();
    m_driver->journalCommands()->openJournal();
    QCOMPARE(cardFilter->count(), CardDeck::CardCount + 1);
    QCOMPARE(cardFilter->currentIndex(), 0);

    // Backed up while open, and imported back with a file that is refused; the
    // shown reading's notes, lost since, come back into view with it.
    list->setCurrentIndex(list->model()->index(0, 0));
    const qint64 shownId = store().list({}).value(0).id;
    QVERIFY(store().setWords(shownId, {}, QStringLiteral("In the backup")));
    const QString backup = m_dir->filePath(QStringLiteral("backup.sqlite"));
    // Never onto the journal itself, by its name or by a link to it.
    const QString journalFile = journalPathIn(m_dir->path());
    QStringList ontoItself{journalFile};
#ifdef Q_OS_UNIX
    QVERIFY(QFile::link(journalFile, m_dir->filePath(QStringLiteral("link.sqlite"))));
    // A link to a file kept with it that is not there yet: the write would make it.
    QVERIFY(QFile::link(journalFile + QStringLiteral("-journal"),
                        m_dir->filePath(QStringLiteral("nowhere.sqlite"))));
    ontoItself << m_dir->filePath(QStringLiteral("link.sqlite"))
               << m_dir->filePath(QStringLiteral("nowhere.sqlite"));
#endif
    for (const QString &onto : ontoItself) {
        m_driver->platform().fileNames.enqueue(onto);
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdBackUp")),
                          Qt::LeftButton);
        QCOMPARE(m_driver->platform().messageTexts().constLast(),
                 QStringLiteral("Unable To Back Up The Journal.\n\nIt is the journal, or a file "
                                "kept with it: choose another name."));
    }
    m_driver->platform().fileNames.enqueue(backup);
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdBackUp")), Qt::LeftButton);
    QVERIFY(Test::readFile(backup).startsWith("SQLite format 3"));
#ifdef Q_OS_UNIX // a copy of the user's notes, private as the journal is
    QCOMPARE(QFileInfo(backup).permissions() & 0x0077, QFileDevice::Permissions());
#endif
    QVERIFY(store().remove(oldId) && store().setWords(shownId, {}, {}));
    const QString junk = m_dir->filePath(QStringLiteral("junk.mca"));
    QVERIFY(Test::writeFile(junk, "junk"));
    m_driver->platform().fileLists.enqueue({backup, junk});
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("cmdImport")), Qt::LeftButton);
    QVERIFY2(m_driver->platform().messageTexts().constLast().startsWith(
                 QStringLiteral("1 reading kept, 3 already in the journal, 1 of them given "
                                "notes from the import, 1 refused:\n")),
             qPrintable(m_driver->platform().messageTexts().constLast()));
    QCOMPARE(window->findChild<QPlainTextEdit *>(QStringLiteral("txtNotes"))->toPlainText(),
             QStringLiteral("In the backup"));
    QCOMPARE(list->model()->rowCount(), 4);
    const QList<JournalEntry> back = store().all();
    QVERIFY(std::any_of(back.cbegin(), back.cend(), [](const JournalEntry &entry) {
        return entry.name == QLatin1String("Old") && entry.outcome == QLatin1String("Went well");
    }));

    // With readings not kept, the card of the day is still the same all day, after a restart too.
    window->findChild<QCheckBox *>(QStringLiteral("chkKeepNew"))->click();
    window->resize(window->minimumSizeHint().expandedTo(QSize(760, 560)));
    auto *split = window->findChild<QSplitter *>();
    split->setSizes({split->sizes()[0] - 40, split->sizes()[1] + 40});
    const QSize size = window->size();
    const QList<int> shares = split->sizes();
    window->close();
    // So too where the journal can take nothing: a newer program's.
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(journalPathIn(m_dir->path())), &db);
    QCOMPARE(sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const QDate later = today.addDays(2);
    QList<JournalEntry> drawnLater;
    for (const double chance : {0.1, 0.99}) {
        m_driver = std::make_unique<MainWindowDriver>();
        QVERIFY(m_driver->show());
        m_driver->attachJournal(m_dir->path());
        m_driver->platform().currentDate = later;
        m_driver->random().script({chance, chance});
        m_driver->child<QAction>(QStringLiteral("mnuCardOfTheDay"))->trigger();
        drawnLater << CardOfTheDay(*m_driver->journal()).today(); // as a restart finds it
    }
    QCOMPARE(drawnLater[1], drawnLater[0]);
    QCOMPARE(drawnLater[0].time.date(), later);
    QCOMPARE(store().all(), back);
    // All remembered: readings not kept, the window's size and the list's share of it.
    QTest::keyClick(&m_driver->window(), Qt::Key_J, Qt::ControlModifier);
    window = m_driver->journalCommands()->journalWindow();
    QVERIFY(!window->findChild<QCheckBox *>(QStringLiteral("chkKeepNew"))->isChecked());
    QCOMPARE(window->size(), size);
    QCOMPARE(window->findChild<QSplitter *>()->sizes(), shares);
}

int main(int argc, char *argv[])
{
    if (const QByteArray path = qgetenv(HoldVariable); !path.isEmpty()) {
        sqlite3 *db = nullptr;
        sqlite3_open(path.constData(), &db);
        const QByteArray how = qgetenv(HoldHowVariable);
        sqlite3_exec(db, how.isEmpty() ? "BEGIN IMMEDIATE" : how.constData(), nullptr, nullptr,
                     nullptr);
        std::puts("holding");
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::hours(1));
        return 0;
    }
    QApplication app(argc, argv);
    TestJournal test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_journal.moc"
