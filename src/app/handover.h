#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

class QFileSystemWatcher;

namespace Orvella {

/**
 * A reading handed from a second start to the running copy of the same user.
 * The second start drops a request naming the file into a private folder of
 * the user's and waits for the answer the running copy leaves beside it. Only
 * the user can write there, so only the user's own copies can hand over.
 */
namespace HandOver {

enum class Answer { Accepted, Refused, NoAnswer };

/** The user's folder for requests and answers, made private (0700) if need be; empty if it cannot
 * be. */
QString inbox(const QString &instanceFolder);

/**
 * Asks the running copy to open @p readingPath; waits up to @p timeout for its
 * answer. NoAnswer when nobody took the request, which is then withdrawn.
 */
Answer handOver(const QString &inbox, const QString &readingPath,
                std::chrono::milliseconds timeout);

/** Removes requests and answers left by copies that have ended. */
void clear(const QString &inbox);

} // namespace HandOver

/**
 * The running copy's side: answers every request that arrives in the inbox,
 * accepting it when @p receive takes the reading. Anything else there is
 * junk and is ignored.
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
    void answerRequests();

    QString m_inbox;
    std::function<bool(const QString &)> m_receive;
    QFileSystemWatcher *m_watcher = nullptr;
};

} // namespace Orvella
