#pragma once

#include "journalentry.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QtPlugin>

#include <functional>
#include <memory>
#include <optional>

namespace Orvella {

/** How many days a reading waits for its outcome before it is overdue. */
inline constexpr int OverdueDays = 7;

/** Which readings a list shows: all of them, or those a search and its filters keep. */
struct JournalFilter
{
    /** Words to search for; empty for every reading. */
    QString text;
    /** A spread's index (CardOfTheDaySpread too), or nothing for every spread. */
    std::optional<int> spread;
    /** Cards' indexes, each of which a reading holds; none for every reading. */
    QList<int> cards;
    /** The first and the last day shown; a null date leaves that end open. */
    QDate from;
    QDate to;
    /** Given a day: only readings more than a week older than it that have no outcome yet. */
    QDate overdueOn;
    /** Given a day: only readings of its month and day in earlier years ("on this day"). */
    QDate onThisDay;
};

/** One card of a reading as a list shows it. */
struct JournalCardMark
{
    int card = 0;
    bool reversed = false;
};

/** What the journal's list shows of one reading. */
struct JournalSummary
{
    qint64 id = 0;
    QDateTime time;
    QString name;
    int spread = 0;
    QString spreadName;
    QString file;
    /** What the user wrote about it, as its mark says: notes, or a question alone. */
    enum class Written { Nothing, Question, Notes };
    Written written = Written::Nothing;
    bool hasOutcome = false;
    QList<JournalCardMark> cards;

    static Written writtenOf(bool hasQuestion, bool hasNotes)
    {
        return hasNotes ? Written::Notes : hasQuestion ? Written::Question : Written::Nothing;
    }
    static Written writtenOf(const QString &question, const QString &notes)
    {
        return writtenOf(!question.isEmpty(), !notes.isEmpty());
    }
    bool isCardOfTheDay() const { return spread == CardOfTheDaySpread; }
    /**
     * More than a week old by @p today with no outcome yet: worth asking how it
     * turned out. The filter JournalFilter::overdueOn keeps the same readings.
     */
    bool awaitsOutcome(const QDate &today) const;
};

/**
 * The journal's store: the readings kept, each with its cards and the words
 * the user wrote about it. Every change is whole or not at all. A call that
 * fails leaves problem() saying why; the store stays usable unless it says
 * Damaged.
 */
class JournalStore
{
public:
    enum class Access {
        ReadWrite,
        ReadOnly,
        /**
         * A copy of a journal from elsewhere (a backup being imported): opened
         * for writing, so an older one is brought up to date in it, but only
         * used when its make-up is exactly one this program writes; otherwise
         * Damaged. One written by a newer program is never read (Newer).
         */
        Foreign,
        /**
         * A journal of this program's found damaged, opened only to read what
         * can still be read of it: all() then reads past its indexes and stops
         * in each table only where that is damaged. Nothing is written.
         */
        Salvage,
    };
    enum class Problem {
        None,
        Busy,        ///< another program holds the journal: try again later
        Full,        ///< the disk is full
        NotWritable, ///< the journal or its folder cannot be written
        Damaged,     ///< the file is not a sound journal
        NotYours,    ///< the file belongs to another account: never read nor written
        Moved,       ///< the file was moved, replaced or removed while open: open it again
        Newer,       ///< written by a newer version of the program: read, never altered
        Failed,      ///< anything else
    };

    virtual ~JournalStore() = default;

    /**
     * How long a call waits for another program to let go of the journal
     * before it says Busy; a tenth of a second unless set.
     */
    virtual void setPatience(int milliseconds) = 0;

    /**
     * Why it is opened for reading only: NotWritable (asked so, or it could
     * not be written), Newer, or Full (read from a copy elsewhere, there being
     * no room beside it); None when it can be written.
     */
    virtual Problem whyReadOnly() const = 0;
    bool isReadOnly() const { return whyReadOnly() != Problem::None; }
    /** What went wrong in the last call, or at opening; None when it went well. */
    virtual Problem problem() const = 0;

    /** Keeps @p entry as a new reading; its id, or nothing (see problem()). */
    virtual std::optional<qint64> keep(const JournalEntry &entry) = 0;
    /**
     * The kept reading @p entry is, if it is one: from the same file showing the
     * same cards, or (without a file) of the same time, name, spread and cards.
     */
    virtual std::optional<qint64> findSame(const JournalEntry &entry) = 0;
    /** What keepAll() did. */
    struct Kept
    {
        /** Readings kept new. */
        int added = 0;
        /** Readings already kept that took a question, notes or outcome they lacked. */
        int completed = 0;
        /** Readings already kept whose words differ from those in @p entries: theirs stay. */
        int differing = 0;
    };
    /**
     * Keeps the readings of @p entries that are not kept yet, all in one
     * transaction: all of them, or none when the store fails or @p cancelled
     * says so (it is asked now and then). @p progress hears how many are done.
     * A reading already kept takes the words of its copy in @p entries where it
     * has none of its own, and keeps its own otherwise. Nothing when none could be.
     */
    virtual std::optional<Kept> keepAll(const QList<JournalEntry> &entries,
                                       const std::function<void(int done)> &progress = {},
                                       const std::function<bool()> &cancelled = {}) = 0;
    /**
     * The readings @p filter keeps, newest first; when searching, those found
     * by their name or cards first, then by their spread or question, then by
     * their notes alone.
     */
    virtual QList<JournalSummary> list(const JournalFilter &filter) = 0;
    virtual std::optional<JournalEntry> entry(qint64 id) = 0;
    /** The readings of @p ids that are kept, oldest first. */
    virtual QList<JournalEntry> entries(const QList<qint64> &ids) = 0;
    /** Every reading kept, oldest first. */
    virtual QList<JournalEntry> all() = 0;
    virtual bool setWords(qint64 id, const QString &question, const QString &notes) = 0;
    virtual bool setOutcome(qint64 id, const QString &outcome, const QDate &date) = 0;
    /** Notes that reading @p id was saved as @p file: the file it is found by when opened. */
    virtual bool setFile(qint64 id, const QString &file) = 0;
    virtual bool remove(qint64 id) = 0;
    /** The days that have readings, of those @p filter keeps. */
    virtual QList<QDate> days(const JournalFilter &filter = {}) = 0;
    /**
     * A consistent copy of the journal, whole, as a backup file holds it;
     * nothing when none can be made, and then @p why (if given) gets the
     * reason as a sentence to show. The program writes it where the user
     * chose: only it knows which files are never to be replaced.
     */
    virtual std::optional<QByteArray> backup(QString *why = nullptr) = 0;
    /**
     * Whether another program (another copy, the command line) changed the
     * journal since it was opened or last asked, or moved its file away (then
     * problem() says Moved).
     */
    virtual bool changedElsewhere() = 0;

    /** A value the journal keeps about itself (the window's size, say), or @p fallback. */
    virtual QString setting(const QString &key, const QString &fallback = {}) = 0;
    virtual bool setSetting(const QString &key, const QString &value) = 0;
};

/** What the journal's store plugin offers: its one way in. */
class JournalStoreFactory
{
public:
    virtual ~JournalStoreFactory() = default;

    /**
     * The journal in the file at @p path, made (owner-only) when missing and
     * @p access allows. Never null; problem() tells whether it could be used.
     */
    virtual std::unique_ptr<JournalStore> open(const QString &path,
                                               JournalStore::Access access) = 0;
};

/** The user's journal file in the program's data folder @p dataFolder. */
QString journalPathIn(const QString &dataFolder);

/**
 * The journal in the file at @p path, through the store plugin, loaded the
 * first time it is asked for; null when the plugin cannot be loaded.
 */
std::unique_ptr<JournalStore> openJournalStore(const QString &path, JournalStore::Access access);

/** What opens a journal file for an access, as openJournalStore() does. */
using JournalStoreOpener =
    std::function<std::unique_ptr<JournalStore>(const QString &path, JournalStore::Access access)>;

/**
 * The user's journal at @p path as the program uses it, opened by @p open:
 * for writing (made when missing, brought up to date when older), or only for
 * reading where it cannot be written or the disk is full, so what it holds is
 * still shown and exported.
 */
std::unique_ptr<JournalStore> openJournal(const QString &path,
                                          const JournalStoreOpener &open = openJournalStore);

/**
 * Keeps what the program writes (exports, backups) from ever replacing the
 * journal at @p path or the files beside it, whatever name or link leads
 * there. Said by the program itself, not the plugin, which has a list of its own.
 */
void neverReplaceJournal(const QString &path);

/** What keeps @p store from being written now (a newer program's, say); None when nothing does. */
JournalStore::Problem problemWriting(const JournalStore &store);

} // namespace Orvella

#define OrvellaJournalStore_iid "org.orvella.MedicineCards.JournalStore/1.1"
Q_DECLARE_INTERFACE(Orvella::JournalStoreFactory, OrvellaJournalStore_iid)
