#pragma once

#include "journalentry.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QtPlugin>

#include <memory>
#include <optional>

namespace Orvella {

/** Which readings a list shows: all of them, or those a search and its filters keep. */
struct JournalFilter
{
    /** Words typed into the search; empty for all readings. */
    QString text;
    /** A spread's index, or -1 for every spread. */
    int spread = -1;
    /** A card's index, or -1 for every card. */
    int card = -1;
    /** A day, or a null date for every day. */
    QDate day;
};

/** One card of a reading as a list shows it. */
struct JournalCardMark
{
    int card = 0;
    bool reversed = false;

    bool operator==(const JournalCardMark &) const = default;
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
    bool hasWords = false;
    QList<JournalCardMark> cards;
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
    enum class Access { ReadWrite, ReadOnly };
    enum class Problem {
        None,
        Busy,        ///< another program holds the journal: try again later
        Full,        ///< the disk is full
        NotWritable, ///< the journal or its folder cannot be written
        Damaged,     ///< the file is not a sound journal
        Failed,      ///< anything else
    };

    virtual ~JournalStore() = default;

    /** Opened for reading only: asked so, or written by a newer version of the program. */
    virtual bool isReadOnly() const = 0;
    /** Written by a newer version of the program, which it is never altered for. */
    virtual bool isNewer() const = 0;
    /** What went wrong in the last call, or at opening; None when it went well. */
    virtual Problem problem() const = 0;

    /** Keeps @p entry as a new reading; its id, or nothing (see problem()). */
    virtual std::optional<qint64> keep(const JournalEntry &entry) = 0;
    /** A kept reading from the same file showing the same reading as @p entry, if any. */
    virtual std::optional<qint64> findOpened(const JournalEntry &entry) = 0;
    /** The readings @p filter keeps: newest first, or best match first when searching. */
    virtual QList<JournalSummary> list(const JournalFilter &filter) = 0;
    virtual std::optional<JournalEntry> entry(qint64 id) = 0;
    /** The readings of @p ids that are kept, oldest first. */
    virtual QList<JournalEntry> entries(const QList<qint64> &ids) = 0;
    /** Every reading kept, oldest first. */
    virtual QList<JournalEntry> all() = 0;
    virtual bool setWords(qint64 id, const QString &question, const QString &notes) = 0;
    virtual bool remove(qint64 id) = 0;
    /** The days that have readings. */
    virtual QList<QDate> days() = 0;

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

/**
 * The journal in the file at @p path, through the store plugin, loaded the
 * first time it is asked for; null when the plugin cannot be loaded.
 */
std::unique_ptr<JournalStore> openJournalStore(const QString &path, JournalStore::Access access);

} // namespace Orvella

#define OrvellaJournalStore_iid "org.orvella.MedicineCards.JournalStore/1.0"
Q_DECLARE_INTERFACE(Orvella::JournalStoreFactory, OrvellaJournalStore_iid)
