#include "journaltexts.h"

#include <QLocale>

namespace Orvella {

QLocale journalLocale()
{
    const QLocale system;
    if (system.language() == QLocale::C || system.language() == QLocale::English)
        return system;
    return QLocale(QLocale::English, system.territory());
}

QString dayText(QDate day)
{
    return journalLocale().toString(day, QStringLiteral("d MMMM yyyy"));
}

QString shortDayFormat()
{
    return QStringLiteral("d MMM yyyy");
}

QString dayAndTimeText(const QDateTime &time)
{
    return dayText(time.date()) + QStringLiteral(", ")
           + time.time().toString(QStringLiteral("HH:mm"));
}

QString inWords(QStringList parts)
{
    if (parts.size() < 2)
        return parts.value(0);
    const QString last = parts.takeLast();
    return parts.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

QString readingsText(int readings)
{
    return readings == 1 ? QStringLiteral("1 reading")
                         : QStringLiteral("%1 readings").arg(journalLocale().toString(readings));
}

QString journalProblemText(JournalStore::Problem problem)
{
    switch (problem) {
    case JournalStore::Problem::Full:
        return QStringLiteral("the disk is full");
    case JournalStore::Problem::Busy:
        return QStringLiteral("another program holds the journal; try again in a moment");
    case JournalStore::Problem::NotWritable:
        return QStringLiteral("the journal, or its folder, cannot be written");
    case JournalStore::Problem::Damaged:
        return QStringLiteral("the journal is damaged, or is not an ordinary file");
    case JournalStore::Problem::NotYours:
        return QStringLiteral("the journal belongs to another account");
    case JournalStore::Problem::Newer:
        return QStringLiteral("a newer version of this program wrote the journal, and this one "
                              "only reads it");
    case JournalStore::Problem::Moved:
        return QStringLiteral("the journal was moved or replaced while in use; try again");
    case JournalStore::Problem::None:
    case JournalStore::Problem::Failed:
        break;
    }
    return QStringLiteral("the journal failed");
}

QString datedFileName(const QString &stem, QDate day)
{
    return stem + u'-' + day.toString(Qt::ISODate);
}

QString isolated(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirPDF:
        case QChar::DirRLI:
        case QChar::DirLRI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            // First strong isolate ... pop directional isolate.
            return u'\u2068' + text + u'\u2069';
        default:
            break;
        }
    }
    return text;
}

QString cutShort(const QString &text, qsizetype most)
{
    if (text.size() <= most)
        return text;
    const qsizetype cut = most > 0 && text[most - 1].isHighSurrogate() ? most - 1 : most;
    return text.first(cut) + u'\u2026';
}

} // namespace Orvella
