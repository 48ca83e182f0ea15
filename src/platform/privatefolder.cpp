#include "privatefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Orvella {

namespace {

PrivateFolder refused(const QString &path, const QString &problem)
{
    return {path, PrivateFolder::State::Refused, problem};
}

#ifdef Q_OS_UNIX

// Judges the folder through a handle on it, so nothing can be swapped in
// between the look and the repair.
PrivateFolder judgeOpened(const QString &path, bool created)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // Only said, never acted on: nothing was opened.
        struct stat named;
        if (::lstat(QFile::encodeName(path).constData(), &named) != 0)
            return refused(path, QStringLiteral("it cannot be opened"));
        if (S_ISLNK(named.st_mode))
            return refused(path, QStringLiteral("it is a link"));
        return refused(path, S_ISDIR(named.st_mode) ? QStringLiteral("it cannot be opened")
                                                     : QStringLiteral("it is not a folder"));
    }
    struct stat folder;
    PrivateFolder result{path, created ? PrivateFolder::State::Created
                                       : PrivateFolder::State::Ready,
                         {}};
    if (::fstat(fd, &folder) != 0) {
        result = refused(path, QStringLiteral("it cannot be opened"));
    } else if (folder.st_uid != ::geteuid()) {
        result = refused(path, QStringLiteral("it belongs to another account"));
    } else if ((folder.st_mode & 077) != 0) {
        if (::fchmod(fd, folder.st_mode & 0700) == 0)
            result.state = created ? PrivateFolder::State::Created
                                   : PrivateFolder::State::Repaired;
        else
            result = refused(path, QStringLiteral("it cannot be made private"));
    }
    ::close(fd);
    return result;
}

#endif

} // namespace

QString madePrivateNote(const QString &path)
{
    return QStringLiteral("%1 could be reached by other accounts.\nIt has been made private: "
                          "only you can use it now.")
        .arg(QDir::toNativeSeparators(path));
}

PrivateFolder preparePrivateFolder(const QString &path)
{
    const QString parent = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(parent))
        return refused(path, QStringLiteral("its parent folder cannot be made"));
#ifdef Q_OS_UNIX
    const bool created = ::mkdir(QFile::encodeName(path).constData(), 0700) == 0;
    if (!created && errno != EEXIST)
        return refused(path, QStringLiteral("it cannot be made"));
    return judgeOpened(path, created);
#else
    // Windows: a folder under the user's profile is the user's alone by its
    // inherited access list; macOS takes the Unix branch.
    const bool created = !QFileInfo::exists(path) && QDir().mkdir(path);
    if (!QFileInfo(path).isDir() || QFileInfo(path).isSymLink())
        return refused(path, QStringLiteral("it is not a folder"));
    return {path, created ? PrivateFolder::State::Created : PrivateFolder::State::Ready, {}};
#endif
}

} // namespace Orvella
