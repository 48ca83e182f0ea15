#pragma once

#include <QList>

class QWidget;

namespace Orvella {

class Journal;

/**
 * "Import Readings": asks for any number of saved readings, journal exports
 * and backups, and keeps their readings in @p journal, all of them or none.
 * The files are read and kept on a thread of their own, behind a progress
 * bar that can cancel, so the window never freezes; what was kept, what was
 * there already and what was refused, and why, is said at the end.
 */
void importIntoJournal(Journal &journal, QWidget *parent);

/**
 * "Back Up Journal": asks for a file and writes a consistent copy of the
 * journal to it, also while readings are being kept; whole or not at all.
 */
void backUpJournal(Journal &journal, QWidget *parent);

/**
 * "Export Journal": asks for a file and writes the readings @p ids of
 * @p journal to it as JSON or CSV (by the name chosen), whole or not at all.
 * When they are @p onlySome of the journal's, the dialog says how many.
 */
void exportFromJournal(Journal &journal, const QList<qint64> &ids, bool onlySome, QWidget *parent);

} // namespace Orvella
