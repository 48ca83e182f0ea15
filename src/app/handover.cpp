#include "handover.h"

#include "storage/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
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

// The names in @p folder ending in @p suffix, oldest first. Matched by hand:
// QDir's name filters bring in the regular expression engine, some 450 KiB.
QStringList namesEndingIn(const QDir &folder, const QString &suffix)
{
    QStringList names;
    const QStringList all = folder.entryList(QDir::Files | QDir::Hidden | QDir::System,
                                             QDir::Time | QDir::Reversed);
    for (const QString &name : all) {
        if (name.endsWith(suffix))
            names << name;
    }
    return names;
}

QByteArray readSmall(const QString &path)
{
    return readSmallFile(path, MaxRequestSize).value_or(QByteArray());
}

// Reads the answer once and removes it, so the inbox does not fill up.
HandOver::Answer takeAnswer(const QString &answer)
{
    const QByteArray said = readSmall(answer).trimmed();
    QFile::remove(answer);
    return said == Accepted ? HandOver::Answer::Accepted : HandOver::Answer::Refused;
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
    if (!writeWhole(request, Greeting + path))
        return Answer::NoAnswer;

    // The second start shows no window, so a plain wait is all it needs.
    constexpr std::chrono::milliseconds step(20);
    for (auto waited = std::chrono::milliseconds(0); waited < timeout; waited += step) {
        if (QFileInfo::exists(answer))
            return takeAnswer(answer);
        QThread::msleep(step.count());
    }
    // Nobody took it: withdraw it, unless it is being taken right now.
    if (QFile::remove(request) || !QFileInfo::exists(answer))
        return Answer::NoAnswer;
    return takeAnswer(answer);
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
        writeWhole(folder.filePath(id + AnswerSuffix), accepted ? Accepted : Refused);
    }
}

} // namespace Orvella
