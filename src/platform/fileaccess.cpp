#include "fileaccess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMutex>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringList>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Orvella {

namespace {

QString notAllWritten()
{
    return QStringLiteral("Not all of it could be written.");
}

// Why @p size bytes could not all be written beside @p path, asked while
// what was written still takes its room: a write cut short by a full disk
// comes with no reason of the system's.
QString cutShort(const QString &path, qint64 size)
{
    const QStorageInfo volume(QFileInfo(path).absolutePath());
    if (!volume.isValid() || volume.bytesAvailable() >= size)
        return notAllWritten();
    const QString needed =
        QLocale::c().formattedDataSize(size, 0, QLocale::DataSizeTraditionalFormat);
    return QStringLiteral("The disk is full: the file needs %1.").arg(needed);
}

// What went wrong, as a sentence: the system's words ("No space left on
// device") given a capital and a full stop, or @p otherwise where it has none.
QString sentence(QString words, const QString &otherwise)
{
    words = words.trimmed();
    if (words.isEmpty() || words.startsWith(QLatin1String("Unknown error"), Qt::CaseInsensitive))
        return otherwise;
    words[0] = words[0].toUpper();
    if (!words.endsWith(QLatin1Char('.')))
        words += QLatin1Char('.');
    return words;
}

#ifdef Q_OS_UNIX

struct Stream
{
    bool isOne = false;
    QString failure; // empty when all was written
};

// Writes @p data into the pipe or character device at @p path, if that is what
// is there: such a name is not a file to replace. Opened without waiting, so a
// pipe nobody reads from is refused at once; one whose reader stops reading is
// given up after a while.
Stream writeIntoStream(const QString &path, const QByteArray &data)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO)
            return {true, QStringLiteral("It is a pipe that nothing reads from.")};
        return {};
    }
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || S_ISREG(opened.st_mode)) {
        ::close(fd);
        return {};
    }
    // A reader that stops reading must not end the program: the write fails instead.
    static const auto pipesDoNotKill = std::signal(SIGPIPE, SIG_IGN);
    Q_UNUSED(pipesDoNotKill);
    Stream stream{true, {}};
    if (!S_ISFIFO(opened.st_mode) && !S_ISCHR(opened.st_mode))
        stream.failure = QStringLiteral("It is neither a file nor a pipe.");
    qsizetype done = 0;
    for (QDeadlineTimer stalled(10000); stream.failure.isEmpty() && done < data.size();) {
        const ssize_t wrote = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (wrote > 0) {
            done += wrote;
            stalled.setRemainingTime(10000);
        } else if (wrote < 0 && errno == EAGAIN && !stalled.hasExpired()) {
            QThread::msleep(5);
        } else if (wrote < 0 && errno == EAGAIN) {
            stream.failure = QStringLiteral("What reads from it stopped reading.");
        } else if (!(wrote < 0 && errno == EINTR)) {
            stream.failure = sentence(qt_error_string(wrote < 0 ? errno : EIO), notAllWritten());
        }
    }
    ::close(fd);
    return stream;
}

#endif

QMutex keptMutex;
QStringList kept; // never replaced

bool isKept(const QString &path)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    constexpr Qt::CaseSensitivity names = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity names = Qt::CaseSensitive;
#endif
    const QString target = whereIs(path);
    const QMutexLocker lock(&keptMutex);
    for (const QString &each : std::as_const(kept)) {
        if (whereIs(each).compare(target, names) == 0)
            return true;
    }
    return false;
}

// Empty when written, else why not.
QString writeWhole(const QString &path, const QByteArray &data, bool ownerOnly)
{
    if (isKept(path))
        return QStringLiteral("It is the journal, or a file kept with it: choose another name.");
#ifdef Q_OS_UNIX
    if (const Stream stream = writeIntoStream(path, data); stream.isOne)
        return stream.failure;
#endif
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return sentence(file.errorString(), QStringLiteral("No file could be made there."));
    // Set on the new file before it takes the name: never readable by others, not even briefly.
    if (ownerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return sentence(file.errorString(), QStringLiteral("It could not be made private."));
    }
    // commit() alone can report success after a short write or a failed final
    // flush, leaving a truncated file in place: check both before committing.
    if (file.write(data) != data.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString failure = sentence(file.errorString(), cutShort(path, data.size()));
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return sentence(file.errorString(), QStringLiteral("It could not replace the file there."));
    return {};
}

bool written(const QString &failure, QString *why)
{
    if (why)
        *why = failure;
    return failure.isEmpty();
}

} // namespace

bool anythingAt(const QString &path)
{
    const QFileInfo file(path);
    return file.exists() || file.isSymLink();
}

QString whereIs(const QString &path)
{
    QFileInfo file(path);
    // A link that leads nowhere yet is followed too: writing through it makes
    // the file it names. (Forty links, as the system allows, then it stops.)
    for (int links = 0; file.isSymLink() && links < 40; ++links)
        file.setFile(file.symLinkTarget());
    const QString canonical = file.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // Nothing there yet: its name in its folder, wherever the folder really is.
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? file.absoluteFilePath() : QDir(folder).filePath(file.fileName());
}

bool writeWhole(const QString &path, const QByteArray &data, QString *why)
{
    return written(writeWhole(path, data, false), why);
}

bool writeWholePrivately(const QString &path, const QByteArray &data, QString *why)
{
    return written(writeWhole(path, data, true), why);
}

QString unableBecause(const QString &headline, const QString &why)
{
    return why.isEmpty() ? headline : headline + QStringLiteral("\n\n") + why;
}

void neverReplace(const QString &path)
{
    const QString where = QFileInfo(path).absoluteFilePath();
    const QMutexLocker lock(&keptMutex);
    if (!kept.contains(where))
        kept.append(where);
}

namespace {

// Opens @p path for reading if it is an ordinary file; false otherwise.
bool openOrdinaryFile(QFile &file, const QString &path, qint64 maxSize)
{
#ifdef Q_OS_UNIX
    // Without O_NONBLOCK, opening a named pipe waits for a writer, and a
    // check of the name beforehand can be outrun by a rename: open first,
    // without waiting, then judge the file that was opened.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened;
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_size > maxSize) {
        ::close(fd);
        return false;
    }
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
#else
    // Windows: opening a file never waits on a pipe's other end (CreateFile
    // fails at once on a busy pipe), so the name can be judged first.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxSize)
        return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
#endif
}

} // namespace

std::optional<QByteArray> readSmallFile(const QString &path, qint64 maxSize)
{
    QFile file;
    if (!openOrdinaryFile(file, path, maxSize))
        return std::nullopt;
    const QByteArray data = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

} // namespace Orvella
