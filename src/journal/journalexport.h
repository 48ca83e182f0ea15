#pragma once

#include "journalentry.h"

#include <QByteArray>
#include <QList>

namespace Orvella {

/**
 * @p entries as the journal's JSON export, in the order given:
 * {"format": "orvella-medicine-cards-journal", "version": 1, "readings": [...]},
 * each reading with its time, name, spread, source, file, question, notes,
 * cards (position, title, card, reversed), outcome and outcomeDate, keys in
 * that order, UTF-8.
 */
QByteArray journalJson(const QList<JournalEntry> &entries);

/**
 * @p entries as CSV: UTF-8, a header row, then one row per reading; its cards
 * in one field, "1. Your Past: The Bat (reversed); 2. ...".
 */
QByteArray journalCsv(const QList<JournalEntry> &entries);

/** Whether an export to the file @p name is CSV: it ends in .csv. */
bool exportsAsCsv(const QString &name);

/** @p entries exported for the file @p name: CSV when exportsAsCsv(), JSON otherwise. */
QByteArray journalExportFor(const QString &name, const QList<JournalEntry> &entries);

/** The export format's name and version, as the JSON carries them. */
inline constexpr char JournalFormat[] = "orvella-medicine-cards-journal";
inline constexpr int JournalFormatVersion = 1;

} // namespace Orvella
