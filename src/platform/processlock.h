#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace Orvella {

/**
 * An exclusive lock on a file of the user's, held as long as this process
 * holds the object, and released by the system when the process ends,
 * however it ends: a copy that crashed or was killed never leaves a lock
 * behind, and taking one syncs nothing to disk. The file is removed when the
 * object lets go of the lock.
 */
class ProcessLock
{
public:
    enum class Result {
        Acquired,      ///< this process holds the lock
        HeldElsewhere, ///< another live process holds it
        Unavailable,   ///< no lock can be had here (see problem); nothing is held
    };

    ProcessLock();
    ~ProcessLock();
    ProcessLock(const ProcessLock &) = delete;
    ProcessLock &operator=(const ProcessLock &) = delete;

    /**
     * Takes the lock on the file at @p path, made owner-only when missing. A
     * file that is a link, not an ordinary file or not the user's is never
     * used. A file in a folder that cannot be written is still locked.
     */
    Result acquire(const QString &path);
    bool isHeld() const { return m_handle >= 0 || m_fallback; }
    /** Why the lock was unavailable, as a short phrase; empty otherwise. */
    QString problem() const { return m_problem; }

private:
    Result acquire(const QString &path, int attempts);

    int m_handle = -1;
    QByteArray m_path;
    std::unique_ptr<QLockFile> m_fallback; // where the system has no such lock of ours yet
    QString m_problem;
};

} // namespace Orvella
