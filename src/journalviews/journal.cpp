#include "journal.h"

#include "journal/damagedjournal.h"
#include "journal/journalimport.h"
#include "journal/journaltexts.h"
#include "platform/fileaccess.h"
#include "platform/platform.h"
#include "session/readingsession.h"

#include <QCursor>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>

#include <utility>

namespace Orvella {

namespace {

const QString KeepSetting = QStringLiteral("keep-new-readings");
// Long enough for another program to finish, short enough not to be noticed.
constexpr int RetryMs = 250;
// A full disk or a folder that cannot be written is not put right in moments.
constexpr int RetryUnableMs = 2000;
// Typing pauses this long before what was typed is kept: a note is in the
// journal a moment after the hand leaves the keyboard...
constexpr int KeepWordsAfterMs = 300;
// ...and at least this often while the typing goes on without a pause.
constexpr int KeepWordsAtLeastEveryMs = 1000;

// A journal opened while another program held it (not brought up to date, say),
// or where nothing could be written then (opened for reading only, or not at
// all): opened again to keep.
bool needsOpeningAgain(const JournalStore &store)
{
    return store.problem() == JournalStore::Problem::Busy
           || store.problem() == JournalStore::Problem::NotWritable
           || store.problem() == JournalStore::Problem::Full
           || (store.isReadOnly() && store.whyReadOnly() != JournalStore::Problem::Newer);
}

// A journal file that is not to be used as it is, but kept aside for a new one.
bool isSetAside(JournalStore::Problem problem)
{
    return problem == JournalStore::Problem::Damaged || problem == JournalStore::Problem::NotYours;
}

// Why the journal at @p path took nothing, as a sentence; empty when not known.
QString whyNotKept(const JournalStore *journal, const QString &path)
{
    if (!journal) {
        // Without a folder of the user's own there is none, and that was said at start.
        if (path.isEmpty())
            return {};
        return QStringLiteral("The part of the program that keeps the journal could not be "
                              "loaded; installing the program again puts it back.");
    }
    const JournalStore::Problem problem = problemWriting(*journal);
    if (problem != JournalStore::Problem::Full && problem != JournalStore::Problem::NotWritable
        && problem != JournalStore::Problem::Newer)
        return {};
    QString words = journalProblemText(problem);
    words[0] = words[0].toUpper();
    return words + QLatin1Char('.');
}

std::optional<JournalSource> journalSource(ReadingSource source)
{
    switch (source) {
    case ReadingSource::Drawn:
        return JournalSource::Drawn;
    case ReadingSource::Opened:
        return JournalSource::Opened;
    case ReadingSource::HandedOver:
        return JournalSource::HandedOver;
    case ReadingSource::Journal:
        break;
    }
    return std::nullopt;
}

} // namespace

Journal::Journal(ReadingSession &session, Platform &platform, const QString &folder, Opener opener,
                 QObject *parent)
    : QObject(parent), m_session(session), m_platform(platform), m_folder(folder),
      m_opener(std::move(opener))
{
    if (!m_opener)
        m_opener = openJournalStore;
    m_retry = new QTimer(this);
    m_retry->setSingleShot(true);
    m_retry->setInterval(RetryMs);
    connect(m_retry, &QTimer::timeout, this, &Journal::keepWaiting);
    m_keepWordsSoon = new QTimer(this);
    m_keepWordsSoon->setSingleShot(true);
    m_keepWordsSoon->setInterval(KeepWordsAfterMs);
    connect(m_keepWordsSoon, &QTimer::timeout, this, &Journal::keepWaiting);
    m_keepWordsAtLatest = new QTimer(this);
    m_keepWordsAtLatest->setSingleShot(true);
    m_keepWordsAtLatest->setInterval(KeepWordsAtLeastEveryMs);
    connect(m_keepWordsAtLatest, &QTimer::timeout, this, &Journal::keepWaiting);
    connect(&m_session, &ReadingSession::readingShown, this, &Journal::readingShown);
    connect(&m_session, &ReadingSession::readingSaved, this, &Journal::readingSaved);
    if (!m_folder.isEmpty())
        neverReplaceJournal(path());
}

Journal::~Journal() = default;

QString Journal::path() const
{
    return m_folder.isEmpty() ? QString() : journalPathIn(m_folder);
}

JournalStore *Journal::store()
{
    if (!m_opened) {
        m_opened = true;
        open();
    }
    return m_store.get();
}

void Journal::open()
{
    if (m_folder.isEmpty())
        return;
    openStore();
    if (!m_store)
        return;
    if (isSetAside(m_store->problem())) {
        reopenAfterDamage(m_store->problem());
    } else if (m_store->whyReadOnly() == JournalStore::Problem::Newer) {
        m_platform.showMessage(
            m_dialogParent,
            QStringLiteral("The journal was written by a newer version of this program. It is "
                           "shown as it is, and nothing is kept in it or changed."),
            Platform::Icon::Information);
    }
}

void Journal::openStore()
{
    m_store = openJournal(path(), m_opener);
    m_openAgain = m_store && needsOpeningAgain(*m_store);
}

void Journal::openAgainForWriting()
{
    // For writing only: a journal read from a copy is not copied again at every try.
    std::unique_ptr<JournalStore> writable = m_opener(path(), JournalStore::Access::ReadWrite);
    if (!writable || writable->problem() != JournalStore::Problem::None
        || needsOpeningAgain(*writable))
        return;
    m_store = std::move(writable);
    m_openAgain = false;
    emit changed(); // and what could not be edited now can
}

void Journal::noticeChangesElsewhere()
{
    if (!m_store || !m_store->changedElsewhere())
        return;
    if (m_store->problem() == JournalStore::Problem::Moved)
        reopenAfterMove();
    else
        emit changed();
}

bool Journal::reopenAfterMove()
{
    // Closed first: it lets go of its log, which the file now in its place must not read.
    m_store.reset();
    // Words typed about its readings name them by numbers that the journal now
    // in its place gives to others: kept beside it instead.
    const QString notes = keepWordsAside(
        journalAsideName(path(), QStringLiteral("replaced"), m_platform.today()));
    openStore();
    emit reopened();
    m_platform.showMessage(m_dialogParent,
                           QStringLiteral("The journal %1 was moved, replaced or removed while in "
                                          "use: the journal now in its place is used.")
                                   .arg(QDir::toNativeSeparators(path()))
                               + notes,
                           Platform::Icon::Information);
    emit changed();
    return m_store && m_store->problem() == JournalStore::Problem::None;
}

bool Journal::reopenAfterDamage(JournalStore::Problem why)
{
    const bool notYours = why == JournalStore::Problem::NotYours;
    const bool link = QFileInfo(path()).isSymLink(); // never followed out of the folder
    m_store.reset(); // closed before its file is moved
    // What can still be read of a damaged one of the user's begins the new one,
    // made under another name first: a kill meanwhile leaves the damaged one
    // in its place, to be read again. Made once, and kept while it waits to be
    // put in place, not made again at every retry.
    const QString rebuilt = rebuiltJournalName(path());
    if (!m_rebuilt) {
        discardRebuiltJournal(rebuilt); // one a kill cut short
        // Neither another's journal nor one a link leads to is read.
        m_rebuilt = notYours || link ? Rebuilt{} : rebuildJournal(rebuilt);
    }
    const QString aside = setDamagedJournalAside(path(), m_platform.today());
    if (aside.isEmpty()) {
        // Tried again as readings and words wait: a folder is not read-only for ever.
        if (!std::exchange(m_setAsidePending, why)) {
            const QString found = notYours ? QStringLiteral("belongs to another account")
                                           : QStringLiteral("is damaged");
            m_platform.showMessage(m_dialogParent,
                                   QStringLiteral("The journal %1 %2 and could not be moved "
                                                  "aside; no reading is kept until it is.")
                                       .arg(QDir::toNativeSeparators(path()), found),
                                   Platform::Icon::Critical);
        }
        return false;
    }
    m_setAsidePending.reset();
    Rebuilt recovered = *std::exchange(m_rebuilt, std::nullopt);
    if (anythingAt(rebuilt) && !moveJournal(rebuilt, path())) {
        discardRebuiltJournal(rebuilt); // what it holds is in the journal set aside
        recovered = {0, JournalStore::Problem::Failed};
    }
    // All in place before anything is said: a message's own event loop may run a retry.
    const QString notes = keepWordsAside(aside);
    openStore();
    if (!m_keepsNew) // the user's choice, not the new journal's default
        setKeepsNewReadings(false);
    emit reopened();
    const QString where = QDir::toNativeSeparators(aside);
    QString said = notYours ? QStringLiteral("The journal belonged to another account.")
                   : link   ? QStringLiteral("The journal was a link, which is not followed.")
                            : QStringLiteral("The journal was damaged.");
    said += QStringLiteral(" It is kept as %1, and a new journal begins").arg(where);
    if (recovered.readings > 0) {
        const QString readings = readingsText(recovered.readings);
        said += QStringLiteral(" with the %1 that could still be read from it").arg(readings);
    }
    said += u'.';
    // Nothing lost: the readings are still in the one set aside, for the user to take in.
    if (recovered.problem != JournalStore::Problem::None) {
        said += QStringLiteral(" What could still be read from it is not in the new one: %1. "
                               "Import Readings, in the journal window, can take it in later.")
                    .arg(journalProblemText(recovered.problem));
    }
    m_platform.showMessage(m_dialogParent, said + notes, Platform::Icon::Information);
    emit changed();
    return m_store && !isSetAside(m_store->problem());
}

Journal::Rebuilt Journal::rebuildJournal(const QString &rebuilt)
{
    const std::unique_ptr<JournalStore> store = m_opener(rebuilt, JournalStore::Access::ReadWrite);
    if (!store || store->problem() != JournalStore::Problem::None)
        return {0, store ? store->problem() : JournalStore::Problem::Failed};
    // Seconds for a journal of years: the pointer says the program is at work.
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    const ImportResult result = importReadings(*store, {path()});
    return {result.kept, result.failed ? result.problem : JournalStore::Problem::None};
}

bool Journal::keepsNewReadings()
{
    // Read from the journal, unless the user's own choice could not be written in it yet.
    JournalStore *journal = store();
    if (journal && !m_keepsNewUnsaved && journal->problem() == JournalStore::Problem::None)
        m_keepsNew = journal->setting(KeepSetting, QStringLiteral("yes")) != QLatin1String("no");
    return m_keepsNew;
}

void Journal::setKeepsNewReadings(bool keep)
{
    m_keepsNew = keep;
    m_keepsNewUnsaved = true;
    saveKeepsNew();
}

void Journal::saveKeepsNew()
{
    JournalStore *journal = m_keepsNewUnsaved ? store() : nullptr;
    if (!journal || journal->isReadOnly())
        return;
    if (journal->setSetting(KeepSetting, m_keepsNew ? QStringLiteral("yes") : QStringLiteral("no")))
        m_keepsNewUnsaved = false;
    else
        retryAfter(journal->problem());
}

void Journal::readingShown(ReadingSource source)
{
    m_shownKept.reset();
    const std::optional<JournalSource> kept = journalSource(source);
    if (!kept || !keepsNewReadings())
        return;
    JournalEntry entry = journalEntry(m_session.reading(), m_platform.now(), *kept,
                                      m_session.name(), m_session.file());
    // One the draw could never make (a file edited by hand, with a card twice)
    // is shown, not kept: the journal's own import, which a damaged journal's
    // rebuild goes through too, would refuse it.
    if (!entryProblem(entry).isEmpty())
        return;
    if (entry.file.isEmpty())
        m_shownKept = entry;
    keep(entry);
}

void Journal::showKept(const JournalEntry &entry)
{
    m_session.show(readingOf(entry), ReadingSource::Journal, entry.name, entry.file);
    // After the show, which forgets the one before.
    if (entry.file.isEmpty() || entry.source == JournalSource::Drawn)
        m_shownKept = entry;
}

void Journal::readingSaved(const QString &file)
{
    // A reading not from a file, saved, is the one its file holds: opened
    // later, it is found kept. The journal takes it now, or as soon as it can.
    if (m_shownKept)
        m_savedAs = {*m_shownKept, file};
    noteSavedFile();
}

void Journal::noteSavedFile()
{
    if (!m_savedAs)
        return;
    const auto [kept, file] = *m_savedAs;
    const auto noted = [&] {
        m_savedAs.reset();
        if (m_shownKept == kept)
            m_shownKept->file = file;
    };
    for (JournalEntry &waiting : m_waiting) {
        if (waiting == kept) {
            waiting.file = file;
            return noted();
        }
    }
    // Found by what it is, in the journal now in place (followed first, if moved).
    noticeChangesElsewhere();
    JournalStore *journal = store();
    const std::optional<qint64> id = journal ? journal->findSame(kept) : std::nullopt;
    if (id && journal->setFile(*id, file))
        return noted();
    const JournalStore::Problem problem = journal ? journal->problem()
                                                  : JournalStore::Problem::Failed;
    if (problem == JournalStore::Problem::Busy || problem == JournalStore::Problem::NotWritable
        || problem == JournalStore::Problem::Full)
        retryAfter(problem);
    else
        m_savedAs.reset(); // deleted meanwhile, or a journal that takes nothing
}

void Journal::keep(const JournalEntry &entry)
{
    m_waiting.append(entry);
    keepWaiting();
}

void Journal::keepWaiting()
{
    m_keepWordsSoon->stop();
    m_keepWordsAtLatest->stop();
    if (!m_waiting.isEmpty() || !m_words.isEmpty() || m_savedAs) {
        if (store() && m_openAgain)
            openAgainForWriting();
        // Readings and words wait while a damaged journal cannot be moved aside.
        if (m_setAsidePending && !reopenAfterDamage(*m_setAsidePending)) {
            retryAfter(JournalStore::Problem::NotWritable);
            return;
        }
    }
    bool keptAny = false;
    while (!m_waiting.isEmpty()) {
        JournalStore *journal = store();
        if (!journal) {
            sayUnableOnce();
            m_waiting.clear();
            break;
        }
        if (journal->isReadOnly()) {
            // One that can never be written (a newer program's, said so as it
            // was opened) takes nothing: no reading waits for it.
            if (journal->whyReadOnly() == JournalStore::Problem::Newer) {
                m_waiting.clear();
                break;
            }
            retryAfter(journal->whyReadOnly());
            sayUnableOnce();
            break;
        }
        const JournalEntry &entry = m_waiting.constFirst();
        // A file opened again, or handed over again, is the reading kept already.
        const bool known = !entry.file.isEmpty() && journal->findSame(entry);
        if (known || journal->keep(entry)) {
            keptAny = keptAny || !known;
            m_waiting.removeFirst();
            continue;
        }
        const JournalStore::Problem problem = journal->problem();
        if (isSetAside(problem) && reopenAfterDamage(problem))
            continue;
        if (problem == JournalStore::Problem::Moved && reopenAfterMove())
            continue;
        // The reading stays shown, waits here, and is tried again.
        retryAfter(problem);
        if (problem != JournalStore::Problem::Busy)
            sayUnableOnce();
        break;
    }
    if (m_waiting.isEmpty() && !m_words.isEmpty()) {
        if (JournalStore *journal = store())
            keepWaitingWords(*journal);
    }
    saveKeepsNew();
    if (m_waiting.isEmpty())
        noteSavedFile();
    if (keptAny)
        emit changed();
}

void Journal::keepWords(qint64 id, const JournalWords &words)
{
    m_words.insert(id, words);
    m_keepWordsSoon->start();
    if (!m_keepWordsAtLatest->isActive())
        m_keepWordsAtLatest->start();
}

JournalEntry Journal::asTyped(JournalEntry entry) const
{
    if (const std::optional<JournalWords> typed = waitingWords(entry.id)) {
        entry.question = typed->question;
        entry.notes = typed->notes;
        entry.outcome = typed->outcome;
        entry.outcomeDate = typed->outcomeDate;
    }
    return entry;
}

std::optional<JournalWords> Journal::waitingWords(qint64 id) const
{
    const auto found = m_words.constFind(id);
    return found == m_words.cend() ? std::nullopt : std::optional(*found);
}

void Journal::keepWaitingWords(JournalStore &journal)
{
    while (!m_words.isEmpty()) {
        const qint64 id = m_words.firstKey();
        const JournalWords &words = m_words.first();
        if (!journal.setWords(id, words.question, words.notes)
            || !journal.setOutcome(id, words.outcome, words.outcomeDate)) {
            const JournalStore::Problem problem = journal.problem();
            // Never to be kept in it: kept beside it instead, and a new one begins.
            if (isSetAside(problem)) {
                reopenAfterDamage(problem);
                return;
            }
            if (problem == JournalStore::Problem::Moved) {
                reopenAfterMove();
                return;
            }
            retryAfter(problem);
            if (problem != JournalStore::Problem::Busy && !m_saidUnableToSave) {
                m_saidUnableToSave = true;
                const QString failed = QStringLiteral("Unable To Save The Notes In The Journal.");
                m_platform.showMessage(m_dialogParent,
                                       unableBecause(failed, whyNotKept(&journal, path())),
                                       Platform::Icon::Critical);
            }
            return;
        }
        m_words.remove(id);
        m_saidUnableToSave = false; // a later failure is news again
    }
}

void Journal::retryAfter(JournalStore::Problem problem)
{
    // A journal that could not be written then is opened again for the next try.
    m_openAgain = m_openAgain || problem == JournalStore::Problem::NotWritable;
    m_retry->start(problem == JournalStore::Problem::Busy ? RetryMs : RetryUnableMs);
}

QString Journal::keepWordsAside(const QString &aside)
{
    if (m_words.isEmpty())
        return {};
    // Their readings' numbers belong to the journal set aside: a new journal
    // numbers its own, so they go into a file beside the old one instead.
    const QMap<qint64, JournalWords> words = std::exchange(m_words, {});
    QString text;
    for (auto it = words.cbegin(); it != words.cend(); ++it) {
        text += QStringLiteral("%1\nQuestion: %2\nNotes:\n%3\nHow it turned out: %4 %5\n\n")
                    .arg(it->reading, it->question, it->notes, it->outcome,
                         it->outcomeDate.toString(Qt::ISODate));
    }
    const QString file = damagedJournalNotes(aside);
    if (!writeWholePrivately(file, text.toUtf8()))
        return QStringLiteral(" The notes typed but not yet in it could not be kept.");
    return QStringLiteral(" The notes typed but not yet in it are in %1.")
        .arg(QDir::toNativeSeparators(file));
}

bool Journal::remove(qint64 id)
{
    JournalStore *journal = store();
    const bool removed = journal && journal->remove(id);
    if (!removed && journal && journal->problem() == JournalStore::Problem::Moved) {
        reopenAfterMove(); // what was listed is gone from sight with it
        return false;
    }
    if (!removed) {
        m_platform.showMessage(m_dialogParent,
                               QStringLiteral("Unable To Delete The Reading From The Journal."),
                               Platform::Icon::Critical);
        return false;
    }
    m_words.remove(id);
    emit changed();
    return true;
}

bool Journal::mayEnd()
{
    keepWaiting();
    const auto allKept = [this] { return m_waiting.isEmpty() && m_words.isEmpty(); };
    // Another program lets go of the journal in moments: waited for, a little.
    for (QDeadlineTimer patience(1500); !allKept() && !patience.hasExpired();) {
        if (!store() || store()->problem() != JournalStore::Problem::Busy)
            break;
        QThread::msleep(RetryMs);
        keepWaiting();
    }
    if (allKept())
        return true;
    const QString lost = m_waiting.isEmpty()
        ? QStringLiteral("The Notes Could Not Be Saved In The Journal. Quit And Lose Them?")
        : m_words.isEmpty()
        ? QStringLiteral("The Readings Could Not Be Kept In The Journal. Quit And Lose Them?")
        : QStringLiteral("The Readings And Notes Could Not Be Kept In The Journal. Quit And "
                         "Lose Them?");
    return m_platform.showMessage(m_dialogParent, lost, Platform::Icon::Critical,
                                  Platform::Buttons::YesNoDefaultNo)
           == Platform::Answer::Yes;
}

void Journal::sayUnableOnce()
{
    // A damaged journal that could not be moved aside was said as such.
    if (m_saidUnable || m_setAsidePending)
        return;
    m_saidUnable = true;
    const QString failed = QStringLiteral("Unable To Keep The Reading In The Journal.");
    m_platform.showMessage(m_dialogParent, unableBecause(failed, whyNotKept(store(), path())),
                           Platform::Icon::Critical);
}

} // namespace Orvella
