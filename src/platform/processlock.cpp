#include "processlock.h"

#include <QFile>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Orvella {

ProcessLock::ProcessLock() = default;

ProcessLock::~ProcessLock()
{
#ifdef Q_OS_UNIX
    // Removed while still held, so no copy can take a lock on it that is about
    // to be nobody's; closing it then releases the lock.
    if (m_handle >= 0) {
        ::unlink(m_path.constData());
        ::close(m_handle);
    }
#endif
}

#ifdef Q_OS_UNIX

ProcessLock::Result ProcessLock::acquire(const QString &path)
{
    return acquire(path, 3);
}

ProcessLock::Result ProcessLock::acquire(const QString &path, int attempts)
{
    if (isHeld())
        return Result::Acquired;
    m_problem.clear();
    const QByteArray name = QFile::encodeName(path);
    constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | flags, 0600);
    // A folder that cannot be written still lets an existing lock file be locked.
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = ::open(name.constData(), O_RDONLY | flags);
    if (fd < 0) {
        m_problem = errno == ELOOP ? QStringLiteral("it is a link")
                                   : QStringLiteral("it cannot be made");
        return Result::Unavailable;
    }
    struct stat file;
    if (::fstat(fd, &file) != 0 || !S_ISREG(file.st_mode))
        m_problem = QStringLiteral("it is not an ordinary file");
    else if (file.st_uid != ::geteuid())
        m_problem = QStringLiteral("it belongs to another account");
    if (!m_problem.isEmpty()) {
        ::close(fd);
        return Result::Unavailable;
    }
    // The user's own, left open to others: theirs alone again (a read-only
    // folder leaves it as it is, and nobody else can reach it there anyway).
    if ((file.st_mode & 077) != 0)
        ::fchmod(fd, 0600);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool taken = errno == EWOULDBLOCK;
        ::close(fd);
        if (taken)
            return Result::HeldElsewhere;
        m_problem = QStringLiteral("the system lends no lock on it");
        return Result::Unavailable;
    }
    // The copy before may have removed the file on its way out after it was
    // opened here: a lock on a file no longer at the name keeps nobody out.
    struct stat named;
    if (::lstat(name.constData(), &named) != 0 || named.st_ino != file.st_ino
        || named.st_dev != file.st_dev) {
        ::close(fd);
        return attempts > 1 ? acquire(path, attempts - 1) : Result::HeldElsewhere;
    }
    m_handle = fd;
    m_path = name;
    return Result::Acquired;
}

#else

// Windows: LockFileEx on a handle from CreateFile answers the same (the system
// releases it with the process); until that is written here, QLockFile, which
// takes over the lock of a holder that has ended.
ProcessLock::Result ProcessLock::acquire(const QString &path)
{
    return acquire(path, 1);
}

ProcessLock::Result ProcessLock::acquire(const QString &path, int)
{
    if (isHeld())
        return Result::Acquired;
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_fallback = std::move(lock);
        return Result::Acquired;
    }
    if (lock->error() == QLockFile::LockFailedError)
        return Result::HeldElsewhere;
    m_problem = QStringLiteral("it cannot be made");
    return Result::Unavailable;
}

#endif

} // namespace Orvella
