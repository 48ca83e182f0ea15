#include "cardoftheday.h"

#include "journal.h"
#include "platform/fileaccess.h"
#include "platform/platform.h"
#include "session/readingsession.h"

#include <QDir>

namespace Orvella {

JournalEntry CardOfTheDay::today()
{
    // Opened first: what its opening says may be read past midnight.
    JournalStore *store = m_journal.store();
    const QDateTime now = m_journal.platform().now();
    if (m_drawn && m_drawn->time.date() == now.date())
        return *m_drawn;
    m_drawn = drawnOn(store, now.date());
    if (!m_drawn) {
        m_drawn = cardOfTheDay(m_journal.session().random(), now);
        // Noted beside the journal too: the same card all day even when
        // readings are not kept, or the journal cannot be written.
        if (!m_journal.folder().isEmpty())
            writeWholePrivately(notePath(), cardOfTheDayLine(*m_drawn).toUtf8());
        if (m_journal.keepsNewReadings())
            m_journal.keep(*m_drawn);
    }
    return *m_drawn;
}

std::optional<JournalEntry> CardOfTheDay::drawnOn(JournalStore *store, QDate day) const
{
    if (store) {
        // Newest first: the one drawn first that day is the last.
        const QList<JournalSummary> drawn =
            store->list({.spread = CardOfTheDaySpread, .from = day, .to = day});
        if (!drawn.isEmpty()) {
            if (std::optional<JournalEntry> kept = store->entry(drawn.last().id))
                return kept;
        }
    }
    if (m_journal.folder().isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> line = readSmallFile(notePath(), 4096);
    std::optional<JournalEntry> noted =
        line ? cardOfTheDayFromLine(QString::fromUtf8(*line)) : std::nullopt;
    if (noted && noted->time.date() == day)
        return noted;
    return std::nullopt;
}

QString CardOfTheDay::notePath() const
{
    return QDir(m_journal.folder()).filePath(QStringLiteral("card-of-the-day"));
}

} // namespace Orvella
