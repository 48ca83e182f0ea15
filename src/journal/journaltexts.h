#pragma once

#include "journalstore.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace Orvella {

/**
 * The journal's words are English, as all the program's are; days and numbers
 * follow the user's own ways (the first day of the week, digits grouped).
 */
QLocale journalLocale();

/** "8 December 2026": how a day is shown and heard. */
QString dayText(QDate day);

/** How a date field writes a day where room is short: "8 Dec 2026". */
QString shortDayFormat();

/** "8 December 2026, 09:15": how a reading's time is shown and heard. */
QString dayAndTimeText(const QDateTime &time);

/** @p parts as a sentence lists them: "a", "a and b", "a, b and c". */
QString inWords(QStringList parts);

/** "1 reading", "1,200 readings". */
QString readingsText(int readings);

/** The name a file written on @p day is first offered: "journal-backup-2026-12-09". */
QString datedFileName(const QString &stem, QDate day);

/**
 * @p text set apart from the words around it: a name in a right-to-left
 * script, or one holding a mark that turns text round, leaves the rest of
 * its line reading as it should. Text written left to right alone, which
 * turns nothing round, is given back as it is.
 */
QString isolated(const QString &text);

/**
 * @p text at most @p most characters long, an ellipsis in place of the rest;
 * never cut between the two halves of a character beyond the first plane.
 */
QString cutShort(const QString &text, qsizetype most);

/** What @p problem means, in a few words that can end a sentence ("the disk is full"). */
QString journalProblemText(JournalStore::Problem problem);

} // namespace Orvella
