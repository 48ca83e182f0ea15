#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace Orvella {

/** Whether anything is at @p path: a file, a folder, or a link, even one that leads nowhere. */
bool anythingAt(const QString &path);

/**
 * Where the file at @p path is, or would be made, links followed (also one
 * that leads nowhere yet): two names of one file give one answer.
 */
QString whereIs(const QString &path);

/**
 * Replaces the file at @p path whole with @p data, or leaves whatever was
 * there untouched; false when it could not. The data goes to a new file
 * beside it, which then takes its name. A pipe or a character device at the
 * name (/dev/null, say) is written into instead, never replaced; it is opened
 * without waiting, so a pipe nobody reads from is refused at once.
 * When it fails, @p why (if given) gets the reason as a sentence to show.
 */
bool writeWhole(const QString &path, const QByteArray &data, QString *why = nullptr);

/** writeWhole(), the file then readable by its owner alone (it holds what is private). */
bool writeWholePrivately(const QString &path, const QByteArray &data, QString *why = nullptr);

/** A failure's @p headline with the reason @p why beneath it, when there is one. */
QString unableBecause(const QString &headline, const QString &why);

/**
 * Keeps writeWhole() and writeWholePrivately() from ever replacing the file
 * at @p path (the journal, say, which an export or a backup chosen onto it
 * would destroy), whatever name or link leads to it.
 */
void neverReplace(const QString &path);

/**
 * The content of the ordinary file at @p path, read up to one byte beyond
 * @p maxSize so a caller can tell a file that grew too large; nothing when it
 * is not an ordinary file, is larger than @p maxSize or cannot be read. Never
 * waits: what is read is judged by the file actually opened, never by a look
 * at the name before, so a file swapped for a pipe or a device in between is
 * refused at once.
 */
std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxSize);

} // namespace Orvella
