#pragma once

class QIODevice;

namespace Orvella::JournalLog {

/**
 * Whether @p log, the write-ahead log beside a journal, holds changes SQLite
 * would pass over without a word: a commit of the log's present run after a
 * frame that is damaged, as a failing disk, or a power cut that wrote a later
 * block before an earlier one, leaves it. Damage within the last commit alone
 * cannot be told from a program killed as it wrote that commit, which never
 * reached the disk whole: such a log, as one cut short at its end, is not
 * taken for one that loses changes. Read a frame at a time: a log may hold
 * thousands of pages.
 */
bool losesChanges(QIODevice &log);

} // namespace Orvella::JournalLog
