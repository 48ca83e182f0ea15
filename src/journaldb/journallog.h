#pragma once

class QIODevice;

namespace Orvella::JournalLog {

/**
 * Whether @p log, the write-ahead log beside a journal, holds changes SQLite
 * would pass over without a word: a commit of the log's present run after a
 * frame that is damaged, as a failing disk, or a power cut that wrote a later
 * block before an earlier one, leaves it. A log cut short at its end (a program
 * killed as it wrote) loses nothing committed, and is not such a log. Read
 * a frame at a time: a log may hold thousands of pages.
 */
bool losesChanges(QIODevice &log);

} // namespace Orvella::JournalLog
