#pragma once

#include "platform/privatefolder.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

class QFileSystemWatcher;
class QTimer;

namespace Orvella {

/**
 * A reading handed from a second start to the running copy of the same user.
 * The second start puts a request naming the file in one of a few fixed
 * places of a private folder of the user's, and waits for the answer the
 * running copy leaves beside it under the request's own name. Only the user
 * can write there, so only the user's own copies can hand over; and since
 * only the fixed places are ever looked at, whatever else lies in the folder
 * costs a hand-over nothing.
 */
namespace HandOver {

enum class Answer { Accepted, Refused, NoAnswer };

/** How many hand-overs can wait at once; a further one waits for a free place. */
inline constexpr int Places = 16;

/** The inbox folder in @p instanceFolder, made or kept private (preparePrivateFolder). */
PrivateFolder prepareInbox(const QString &instanceFolder);

/** The path of prepareInbox(), or an empty text when the inbox is refused. */
QString inbox(const QString &instanceFolder);

/**
 * Asks the running copy to open @p readingPath; waits up to @p timeout for its
 * answer. NoAnswer when nobody took the request, which is then withdrawn. An
 * inbox removed in the meantime is made again.
 */
Answer handOver(const QString &inbox, const QString &readingPath,
                std::chrono::milliseconds timeout);

/**
 * Removes the requests left in the inbox's places by the user's copies that
 * have ended, and answers nobody came for; nothing when the inbox was
 * refused (@p inbox empty).
 */
void clear(const QString &inbox);

} // namespace HandOver

/**
 * The running copy's side: answers every request that arrives in the inbox,
 * accepting it when @p receive takes the reading. A malformed request in one
 * of the places is removed unanswered; nothing else in the folder is touched.
 * An inbox removed while the program runs is made again.
 */
class HandOverInbox : public QObject
{
    Q_OBJECT

public:
    HandOverInbox(const QString &inbox, std::function<bool(const QString &path)> receive,
                  QObject *parent = nullptr);
    ~HandOverInbox() override;

    /** Watches the inbox from now on, and answers what already waits there. */
    bool start();

private:
    void folderChanged();
    void answerRequests();

    QString m_inbox;
    std::function<bool(const QString &)> m_receive;
    QFileSystemWatcher *m_watcher = nullptr;
    /** Looks again at a request still being written. */
    QTimer *m_again = nullptr;
};

} // namespace Orvella
