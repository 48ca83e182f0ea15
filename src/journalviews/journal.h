#pragma once

#include "journal/journalstore.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QTimer;
class QWidget;

namespace Orvella {

class Platform;
class ReadingSession;
enum class ReadingSource;

/**
 * The journal of this run: keeps every reading the session shows (drawn,
 * opened from a file or handed over) in journal.sqlite in the program's data
 * folder, opening it the first time a reading is shown. A reading the journal
 * cannot take now (another program holds it) waits in memory and is kept as
 * soon as it can be; one that cannot be kept at all is said once per run. A
 * damaged journal is moved aside, never deleted, and a new one begins.
 */
class Journal : public QObject
{
    Q_OBJECT

public:
    /** Opens the journal file at the path given; the store plugin by default. */
    using Opener = std::function<std::unique_ptr<JournalStore>(const QString &path)>;

    /** The journal's file name in the program's data folder. */
    static QString fileName() { return QStringLiteral("journal.sqlite"); }
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
    QWidget *dialogParent() const { return m_dialogParent; }
    Platform &platform() const { return m_platform; }
    ReadingSession &session() const { return m_session; }

    /** The store, opened the first time it is asked for; null when there is none to be had. */
    JournalStore *store();

    /** Whether newly shown readings are kept; remembered in the journal. On by default. */
    bool keepsNewReadings();
    void setKeepsNewReadings(bool keep);

    /**
     * Today's card of the day: the one drawn the first time it was asked for
     * today, also in an earlier run, or one drawn now and kept (while new
     * readings are kept).
     */
    JournalEntry cardOfTheDay();

    /** Readings shown but not kept yet, waiting for the journal to be free. */
    qsizetype waiting() const { return m_waiting.size(); }

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

private:
    void readingShown(ReadingSource source);
    void open();
    bool reopenAfterDamage();
    void keepWaiting();
    void sayUnableOnce();

    ReadingSession &m_session;
    Platform &m_platform;
    QString m_folder;
    Opener m_opener;
    std::unique_ptr<JournalStore> m_store;
    bool m_opened = false;
    bool m_saidUnable = false;
    QList<JournalEntry> m_waiting;
    std::optional<JournalEntry> m_cardOfTheDay;
    QTimer *m_retry = nullptr;
    QWidget *m_dialogParent = nullptr;
};

} // namespace Orvella
