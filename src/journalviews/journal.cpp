#include "journal.h"

#include "journal/damagedjournal.h"
#include "platform/platform.h"
#include "session/readingsession.h"

#include <QDir>
#include <QTimer>

namespace Orvella {

namespace {

const QString KeepSetting = QStringLiteral("keep-new-readings");
// The card of the day drawn while readings were not kept: the same all day even so.
const QString CardOfTheDaySetting = QStringLiteral("card-of-the-day");
// Long enough for another program to finish, short enough not to be noticed.
constexpr int RetryMs = 250;

// A journal file that is not to be used as it is, but kept aside for a new one.
bool isSetAside(JournalStore::Problem problem)
{
    return problem == JournalStore::Problem::Damaged || problem == JournalStore::Problem::NotYours;
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
    if (!m_opener) {
        m_opener = openJournal;
    }
    m_retry = new QTimer(this);
    m_retry->setSingleShot(true);
    m_retry->setInterval(RetryMs);
    connect(m_retry, &QTimer::timeout, this, &Journal::keepWaiting);
    connect(&m_session, &ReadingSession::readingShown, this, &Journal::readingShown);
}

Journal::~Journal() = default;

QString Journal::path() const
{
    return m_folder.isEmpty() ? QString() : QDir(m_folder).filePath(fileName());
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
    m_store = m_opener(path());
    if (!m_store)
        return;
    if (isSetAside(m_store->problem())) {
        reopenAfterDamage();
    } else if (m_store->isNewer()) {
        m_platform.showMessage(
            m_dialogParent,
            QStringLiteral("The journal was written by a newer version of this program. It is "
                           "shown as it is, and nothing is kept in it or changed."),
                           Platform::Icon::Information);
    }
}

void Journal::noticeChangesElsewhere()
{
    if (m_store && m_store->changedElsewhere())
        emit changed();
}

bool Journal::reopenAfterDamage()
{
    const bool notYours = m_store && m_store->problem() == JournalStore::Problem::NotYours;
    m_store.reset(); // closed before its file is moved
    const QString aside = setDamagedJournalAside(path(), m_platform.today());
    if (aside.isEmpty()) {
        m_platform.showMessage(m_dialogParent,
                               QStringLiteral("The journal %1 is damaged and could not be moved "
                                              "aside; no reading is kept until it is.")
                                                  .arg(QDir::toNativeSeparators(path())),
                                              Platform::Icon::Critical);
        return false;
    }
    m_store = m_opener(path());
    m_platform.showMessage(m_dialogParent,
                           (notYours ? QStringLiteral("The journal belonged to another account.")
                                     : QStringLiteral("The journal was damaged."))
                               + QStringLiteral(" It is kept as %1, and a new journal begins.")
                                     .arg(QDir::toNativeSeparators(aside)),
                           Platform::Icon::Information);
    emit changed();
    return m_store && !isSetAside(m_store->problem());
}

bool Journal::keepsNewReadings()
{
    JournalStore *journal = store();
    return !journal || journal->setting(KeepSetting, QStringLiteral("yes")) != QLatin1String("no");
}

void Journal::setKeepsNewReadings(bool keep)
{
    if (JournalStore *journal = store())
        journal->setSetting(KeepSetting, keep ? QStringLiteral("yes") : QStringLiteral("no"));
}

void Journal::readingShown(ReadingSource source)
{
    const std::optional<JournalSource> kept = journalSource(source);
    if (!kept || !keepsNewReadings())
        return;
    m_waiting.append(journalEntry(m_session.reading(), QDateTime::currentDateTime(), *kept,
                                  m_session.name(), m_session.file()));
    keepWaiting();
}

JournalEntry Journal::cardOfTheDay()
{
    const QDate today = m_platform.today();
    if (m_cardOfTheDay && m_cardOfTheDay->time.date() == today)
        return *m_cardOfTheDay;
    if (JournalStore *journal = store()) {
        // Newest first: the one drawn first today is the last.
        const QList<JournalSummary> drawn = journal->list(
            {.spread = CardOfTheDaySpread, .from = today, .to = today});
        if (!drawn.isEmpty()) {
            if (std::optional<JournalEntry> kept = journal->entry(drawn.last().id)) {
                m_cardOfTheDay = kept;
                return *kept;
            }
        }
        const std::optional<JournalEntry> remembered =
            cardOfTheDayFromLine(journal->setting(CardOfTheDaySetting));
        if (remembered && remembered->time.date() == today) {
            m_cardOfTheDay = remembered;
            return *remembered;
        }
    }
    m_cardOfTheDay = Orvella::cardOfTheDay(m_session.random(),
                                           QDateTime(today, QTime::currentTime()));
    if (keepsNewReadings()) {
        m_waiting.append(*m_cardOfTheDay);
        keepWaiting();
    } else if (JournalStore *journal = store()) {
        journal->setSetting(CardOfTheDaySetting, cardOfTheDayLine(*m_cardOfTheDay));
    }
    return *m_cardOfTheDay;
}

void Journal::keepWaiting()
{
    bool keptAny = false;
    while (!m_waiting.isEmpty()) {
        JournalStore *journal = store();
        if (!journal) {
            sayUnableOnce();
            m_waiting.clear();
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
        if (problem == JournalStore::Problem::Busy) {
            m_retry->start();
            break;
        }
        if (isSetAside(problem) && reopenAfterDamage())
            continue;
        // A full disk or a folder that cannot be written: the reading stays
        // shown, waits here, and is tried again with the next one.
        sayUnableOnce();
        break;
    }
    if (keptAny)
        emit changed();
}

void Journal::sayUnableOnce()
{
    if (m_saidUnable)
        return;
    m_saidUnable = true;
    m_platform.showMessage(m_dialogParent,
                           QStringLiteral("Unable To Keep The Reading In The Journal."),
                                          Platform::Icon::Critical);
}

} // namespace Orvella
