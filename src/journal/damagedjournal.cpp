#include "damagedjournal.h"

#include "platform/fileaccess.h"

#include <QFile>

namespace Orvella {

QString journalLogSuffix()
{
    return QStringLiteral("-wal");
}

QStringList journalCompanionSuffixes()
{
    return {journalLogSuffix(), QStringLiteral("-shm"), QStringLiteral("-journal")};
}

QString damagedJournalNotes(const QString &aside)
{
    return aside + QStringLiteral(".notes.txt");
}

namespace {

bool anyExists(const QString &path)
{
    if (anythingAt(path) || anythingAt(damagedJournalNotes(path)))
        return true;
    for (const QString &suffix : journalCompanionSuffixes()) {
        if (anythingAt(path + suffix))
            return true;
    }
    return false;
}

} // namespace

QString journalAsideName(const QString &path, const QString &why, QDate today)
{
    const QString stem = path + u'.' + why + u'-' + today.toString(Qt::ISODate);
    QString aside = stem;
    for (int n = 2; anyExists(aside); ++n)
        aside = stem + QLatin1Char('-') + QString::number(n);
    return aside;
}

QString setDamagedJournalAside(const QString &path, QDate today)
{
    const QString aside = journalAsideName(path, QStringLiteral("damaged"), today);
    return moveJournal(path, aside) ? aside : QString();
}

QString rebuiltJournalName(const QString &path)
{
    return path + QStringLiteral(".rebuilding");
}

bool moveJournal(const QString &from, const QString &to)
{
    if (!QFile::rename(from, to))
        return false;
    // Named as SQLite looks for them, so the journal opens with its log.
    for (const QString &suffix : journalCompanionSuffixes()) {
        if (anythingAt(from + suffix))
            QFile::rename(from + suffix, to + suffix);
    }
    return true;
}

void completeJournalRebuild(const QString &path)
{
    const QString rebuilt = rebuiltJournalName(path);
    if (!anythingAt(path) && anythingAt(rebuilt))
        moveJournal(rebuilt, path);
}

void discardRebuiltJournal(const QString &path)
{
    for (const QString &suffix : QStringList{QString()} + journalCompanionSuffixes())
        QFile::remove(path + suffix);
}

} // namespace Orvella
