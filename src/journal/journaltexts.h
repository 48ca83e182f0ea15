#pragma once

#include "journalstore.h"

#include <QString>

namespace Orvella {

/** "1 reading", "1,200 readings". */
QString readingsText(int readings);

/** The name a file written on @p day is first offered: "journal-backup-2026-12-09". */
QString datedFileName(const QString &stem, QDate day);

/** What @p problem means, in a few words that can end a sentence ("the disk is full"). */
QString journalProblemText(JournalStore::Problem problem);

} // namespace Orvella
