#pragma once

#include "journal/journalstore.h"

#include <QDate>
#include <QMap>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QTimer;
class QWidget;

namespace Orvella {

class Platform;
class ReadingSession;
enum class ReadingSource;

/** What the user writes about a kept reading. */
struct JournalWords
{
    QString reading; ///< which reading they are about, as the user knows it: its time and name
    QString question;
    QString notes;
    QString outcome;
    QDate outcomeDate; ///< when the outcome was told; null without one
};

/**
 * The journal of this run: keeps every reading the session shows (drawn,
 * opened from a file or handed over) in journal.sqlite in the program's data
 * folder, opening it the first time a reading is shown. A reading the journal
 * cannot take now (another program holds it) waits in memory and is kept as
 * soon as it can be; one that cannot be kept at all is said once per run. What
 * the user writes about a reading waits in the same way until it is kept. A
 * damaged journal is moved aside, never deleted, and a new one begins.
 */
class Journal : public QObject
{
    Q_OBJECT

public:
    /** Opens the journal file at the path given; the store plugin by default. */
    using Opener = JournalStoreOpener;

    /** Its whole path; empty when there is no data folder to be had. */
    QString path() const;

    /**
     * Keeps what @p session shows in @p folder (the program's private data
     * folder; empty when there is none to be had).
     */
    Journal(ReadingSession &session, Platform &platform, const QString &folder, Opener opener = {},
            QObject *parent = nullptr);
    ~Journal() override;

    /** The window the journal's messages belong to. */
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }
    Platform &platform() const { return m_platform; }
    ReadingSession &session() const { return m_session; }

    /** The store, opened the first time it is asked for; null when there is none to be had. */
    JournalStore *store();

    /** Whether newly shown readings are kept; remembered in the journal. On by default. */
    bool keepsNewReadings();
    void setKeepsNewReadings(bool keep);

    /** The program's data folder it lives in; empty when there is none to be had. */
    QString folder() const { return m_folder; }

    /** Keeps @p entry, now or as soon as the journal can take it. */
    void keep(const JournalEntry &entry);
    /** Shows the kept reading @p entry in the session again, as it was. */
    void showKept(const JournalEntry &entry);

    /** Readings shown but not kept yet, waiting for the journal to be free. */
    qsizetype waiting() const { return m_waiting.size(); }

    /**
     * Keeps @p words as what the user wrote about reading @p id, a moment
     * after the last change while typing goes on. Until the journal has them
     * they wait here and are tried again; a failure other than another
     * program holding the journal is said once, and again only after words
     * were kept meanwhile.
     */
    void keepWords(qint64 id, const JournalWords &words);
    /** The words written about reading @p id that the journal does not have yet. */
    std::optional<JournalWords> waitingWords(qint64 id) const;
    /** @p entry with the words typed for it that the journal does not have yet. */
    JournalEntry asTyped(JournalEntry entry) const;
    /** All of them, by reading. */
    const QMap<qint64, JournalWords> &allWaitingWords() const { return m_words; }
    /** Keeps now whatever waits, readings and words (before an export, say). */
    void keepWaiting();
    /** Removes reading @p id, and words waiting for it; says so when it cannot. */
    bool remove(qint64 id);
    /**
     * Whether the program may end now: everything waiting is kept (another
     * program holding the journal is waited for a moment), or the user chose
     * to lose the words the journal could not take.
     */
    bool mayEnd();

    /** Says that the journal's readings changed (a window edited them): lists are read again. */
    void announceChange() { emit changed(); }
    /**
     * Says so too when another program (another copy, the command line)
     * changed the journal since it was last asked; nothing when it is not open.
     */
    void noticeChangesElsewhere();

signals:
    /** Readings were kept, changed or removed. */
    void changed();
    /** A new journal took the place of a damaged or moved one: its readings are others. */
    void reopened();

private:
    void readingShown(ReadingSource source);
    void readingSaved(const QString &file);
    void noteSavedFile();
    void open();
    /** Opens the journal at its path, as the program uses it, into m_store. */
    void openStore();
    /**
     * Opens the journal for writing again, where it was opened while another
     * program held it or for reading only; keeps the one open when it still cannot be.
     */
    void openAgainForWriting();
    /** Sets aside the journal found @p why (damaged, another's) and begins a new one. */
    bool reopenAfterDamage(JournalStore::Problem why);
    /** What rebuildJournal() did: the readings it kept, or why it could keep none. */
    struct Rebuilt
    {
        int readings = 0;
        JournalStore::Problem problem = JournalStore::Problem::None;
    };
    /** Keeps what can still be read of the damaged journal in a new one at @p rebuilt. */
    Rebuilt rebuildJournal(const QString &rebuilt);
    /** Opens the journal now at its path, after the one open was moved away from it. */
    bool reopenAfterMove();
    /** Keeps the words waiting; when the journal fails, says why or waits to try again. */
    void keepWaitingWords(JournalStore &journal);
    /**
     * Writes the words waiting beside the damaged journal set aside as @p
     * aside, and forgets them; what to say of them, or nothing when there were none.
     */
    QString keepWordsAside(const QString &aside);
    /** Writes the user's choice of keeping new readings, when it waits to be. */
    void saveKeepsNew();
    void retryAfter(JournalStore::Problem problem);
    void sayUnableOnce();

    ReadingSession &m_session;
    Platform &m_platform;
    QString m_folder;
    Opener m_opener;
    std::unique_ptr<JournalStore> m_store;
    bool m_opened = false;
    bool m_openAgain = false; // the store open is not yet what keeping needs
    // Why a journal that could not be set aside is still at its place.
    std::optional<JournalStore::Problem> m_setAsidePending;
    // The readings of the damaged journal kept in the one rebuilt beside it, while it waits.
    std::optional<Rebuilt> m_rebuilt;
    bool m_keepsNew = true; // as the journal last said, or was told
    bool m_keepsNewUnsaved = false; // told, and not yet in the journal
    bool m_saidUnable = false;
    bool m_saidUnableToSave = false;
    QList<JournalEntry> m_waiting;
    // The reading on show as it is kept, when it came from no file of its own.
    std::optional<JournalEntry> m_shownKept;
    // A reading so kept, and the file it was saved as since, for the journal to note.
    std::optional<std::pair<JournalEntry, QString>> m_savedAs;
    QMap<qint64, JournalWords> m_words;
    QTimer *m_keepWordsSoon = nullptr;
    QTimer *m_keepWordsAtLatest = nullptr; // started by the first change the pause waits for
    QTimer *m_retry = nullptr;
    QWidget *m_dialogParent = nullptr;
};

} // namespace Orvella
