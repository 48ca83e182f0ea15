#include "journallistmodel.h"

#include "textlimit.h"

#include "journal/journaltexts.h"
#include "oracle/carddeck.h"

#include <QFileInfo>

namespace Orvella {

void JournalListModel::setReadings(QList<JournalSummary> readings, QDate today)
{
    beginResetModel();
    m_readings = std::move(readings);
    m_today = today;
    endResetModel();
}

int JournalListModel::rowOf(qint64 id) const
{
    for (qsizetype row = 0; row < m_readings.size(); ++row) {
        if (m_readings[row].id == id)
            return int(row);
    }
    return -1;
}

void JournalListModel::setWords(qint64 id, JournalSummary::Written written, bool hasOutcome)
{
    const int row = rowOf(id);
    if (row < 0 || (m_readings[row].written == written && m_readings[row].hasOutcome == hasOutcome))
        return;
    m_readings[row].written = written;
    m_readings[row].hasOutcome = hasOutcome;
    emit dataChanged(index(row), index(row));
}

int JournalListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_readings.size());
}

QVariant JournalListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_readings.size())
        return {};
    const JournalSummary &reading = m_readings[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return spokenText(reading);
    case Qt::ToolTipRole:
        // Whole, where the row cuts a name short; wrapped, as rich text is.
        return QStringLiteral("<p>") + spokenText(reading, true).toHtmlEscaped()
               + QStringLiteral("</p>");
    case SummaryRole:
        return QVariant::fromValue(&reading);
    default:
        return {};
    }
}

QString JournalListModel::shownName(const JournalSummary &reading)
{
    return reading.name.isEmpty() ? QFileInfo(reading.file).fileName() : reading.name;
}

QString JournalListModel::spokenText(const JournalSummary &reading, bool forTip) const
{
    QStringList cards;
    for (const JournalCardMark &card : reading.cards) {
        cards << CardDeck::cardName(card.card)
                     + (card.reversed ? QStringLiteral(" reversed") : QString());
    }
    QString text = dayAndTimeText(reading.time);
    if (const QString who = shownName(reading); !who.isEmpty())
        text += QStringLiteral(", ") + (forTip ? isolated(cutShortForTip(who)) : who);
    text += QStringLiteral(", ") + reading.spreadName + QStringLiteral(": ")
            + cards.join(QStringLiteral(", "));
    if (reading.written == JournalSummary::Written::Notes)
        text += QStringLiteral(", with notes");
    else if (reading.written == JournalSummary::Written::Question)
        text += QStringLiteral(", with a question");
    if (reading.hasOutcome)
        text += QStringLiteral(", with how it turned out");
    else if (isOverdue(reading))
        text += QStringLiteral(", waiting to hear how it turned out");
    return text;
}

} // namespace Orvella
