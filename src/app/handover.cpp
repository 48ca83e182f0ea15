#include "handover.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSaveFile>
#include <QThread>
#include <QUuid>

namespace Orvella {

namespace {

const QByteArray Greeting = "orvella-medicine-cards hand-over 1\n";
const QString RequestSuffix = QStringLiteral(".request");
const QString AnswerSuffix = QStringLiteral(".answer");
const QByteArray Accepted = "accepted";
const QByteArray Refused = "refused";
// A request is the greeting and one path; anything larger is not one.
constexpr qint64 MaxRequestSize = 64 * 1024;

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

// The names in @p folder ending in @p suffix, oldest first. Matched by hand:
// QDir's name filters bring in the regular expression engine, some 450 KiB.
QStringList namesEndingIn(const QDir &folder, const QString &suffix)
{
    QStringList names;
    const QStringList all =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Time | QDir::Reversed);
    for (const QString &name : all) {
        if (name.endsWith(suffix))
            names << name;
    }
    return names;
}

QByteArray readSmall(const QString &path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || info.size() > MaxRequestSize || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(MaxRequestSize);
}

} // namespace

namespace HandOver {

QString inbox(const QString &instanceFolder)
{
    const QString path = QDir(instanceFolder).filePath(QStringLiteral("inbox"));
    if (!QDir().mkpath(path))
        return {};
    // Owner only: no other user may hand this user's copy a file.
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
#ifdef Q_OS_UNIX
    if (QFileInfo(path).permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther))
        return {};
#endif
    return path;
}

Answer handOver(const QString &inbox, const QString &readingPath, std::chrono::milliseconds timeout)
{
    if (inbox.isEmpty())
        return Answer::NoAnswer;
    const QDir folder(inbox);
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString request = folder.filePath(id + RequestSuffix);
    const QString answer = folder.filePath(id + AnswerSuffix);
    const QByteArray path = QFileInfo(readingPath).absoluteFilePath().toUtf8();
    if (!writeFile(request, Greeting + path))
        return Answer::NoAnswer;

    // The second start shows no window, so a plain wait is all it needs.
    constexpr std::chrono::milliseconds step(20);
    for (auto waited = std::chrono::milliseconds(0); waited < timeout; waited += step) {
        if (QFileInfo::exists(answer)) {
            const QByteArray said = readSmall(answer).trimmed();
            QFile::remove(answer);
            return said == Accepted ? Answer::Accepted : Answer::Refused;
        }
        QThread::msleep(step.count());
    }
    // Nobody took it: withdraw it, unless it is being taken right now.
    if (QFile::remove(request) || !QFileInfo::exists(answer))
        return Answer::NoAnswer;
    const QByteArray said = readSmall(answer).trimmed();
    QFile::remove(answer);
    return said == Accepted ? Answer::Accepted : Answer::Refused;
}

void clear(const QString &inbox)
{
    QDir folder(inbox);
    for (const QString &suffix : {RequestSuffix, AnswerSuffix}) {
        for (const QString &name : namesEndingIn(folder, suffix))
            folder.remove(name);
    }
}

} // namespace HandOver

HandOverInbox::HandOverInbox(const QString &inbox, std::function<bool(const QString &)> receive,
                             QObject *parent)
    : QObject(parent), m_inbox(inbox), m_receive(std::move(receive))
{}

HandOverInbox::~HandOverInbox() = default;

bool HandOverInbox::start()
{
    if (m_inbox.isEmpty())
        return false;
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
                &HandOverInbox::answerRequests);
    }
    const bool watching = m_watcher->directories().contains(m_inbox) || m_watcher->addPath(m_inbox);
    answerRequests();
    return watching;
}

void HandOverInbox::answerRequests()
{
    QDir folder(m_inbox);
    for (const QString &name : namesEndingIn(folder, RequestSuffix)) {
        const QString request = folder.filePath(name);
        const QByteArray content = readSmall(request);
        // Taken once: whatever it holds, it is not answered twice.
        if (!QFile::remove(request))
            continue;
        if (!content.startsWith(Greeting))
            continue;
        const QString path = QString::fromUtf8(content.mid(Greeting.size()));
        if (path.isEmpty() || path.contains(QLatin1Char('\n')) || path.contains(QChar(0)))
            continue;
        const bool accepted = m_receive && m_receive(path);
        const QString id = name.chopped(RequestSuffix.size());
        writeFile(folder.filePath(id + AnswerSuffix), accepted ? Accepted : Refused);
    }
}

} // namespace Orvella
