#pragma once

#include <QString>

namespace Orvella {

/**
 * The full-text query for words typed into the journal's search: every word
 * must match, each also as the start of a longer word ("bea" finds "Bear");
 * quotes and operators typed are taken as plain text. Empty when nothing but
 * blanks and punctuation was typed.
 */
QString journalSearchQuery(const QString &typed);

} // namespace Orvella
