#include "handover.h"

#include "platform/fileaccess.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QThread>
#include <QTimer>
#include <QUuid>

#include <algorithm>

namespace Orvella {

namespace {

// A request: the greeting, the request's own name, and the reading's path as
// percent-encoded UTF-8, each ended by a line break; so a path holding line
// breaks or any other character arrives as it was.
const QByteArray Greeting = "orvella-medicine-cards hand-over 2\n";
const QString AnswerSuffix = QStringLiteral(".answer");
const QByteArray Accepted = "accepted";
const QByteArray Refused = "refused";
constexpr qint64 MaxRequestSize = 64 * 1024;
// A place still empty this long after it was taken was left by a copy that ended.
constexpr qint64 WritingTime = 2000;
constexpr std::chrono::milliseconds Step(20);

QString place(const QDir &inbox, int number)
{
    return inbox.filePath(QStringLiteral("%1.request").arg(number));
}

// Only what the user's own copies left is taken or removed: a file another
// account put there while the folder was open to it stays as it is.
bool leftByTheUser(const QDir &inbox, const QString &file)
{
    return QFileInfo(file).ownerId() == QFileInfo(inbox.path()).ownerId();
}

struct Request
{
    QString name;
    QString readingPath;
};

std::optional<Request> parse(const QByteArray &content)
{
    if (content.size() <= Greeting.size() || !content.startsWith(Greeting)
        || !content.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lines = content.mid(Greeting.size()).chopped(1).split('\n');
    if (lines.size() != 2 || QUuid::fromString(QLatin1String(lines[0])).isNull())
        return std::nullopt;
    return Request{QString::fromLatin1(lines[0]),
                   QString::fromUtf8(QByteArray::fromPercentEncoding(lines[1]))};
}

// Takes the first free place for @p content; its path, or empty when none was free in time.
QString putInAPlace(const QDir &inbox, const QByteArray &content, const QDeadlineTimer &deadline)
{
    do {
        for (int number = 0; number < HandOver::Places; ++number) {
            QFile request(place(inbox, number));
            // NewOnly: the place is taken by making the file, or it is someone else's.
            if (!request.open(QIODevice::WriteOnly | QIODevice::NewOnly))
                continue;
            if (request.write(content) == content.size() && request.flush())
                return request.fileName();
            request.remove();
            return {};
        }
        QThread::msleep(Step.count());
    } while (!deadline.hasExpired());
    return {};
}

// Reads the answer once and removes it, so the inbox does not fill up.
HandOver::Answer takeAnswer(const QString &answer)
{
    const QByteArray said = readSmallFile(answer, MaxRequestSize).value_or(QByteArray()).trimmed();
    QFile::remove(answer);
    return said == Accepted ? HandOver::Answer::Accepted : HandOver::Answer::Refused;
}

} // namespace

namespace HandOver {

PrivateFolder prepareInbox(const QString &instanceFolder)
{
    return preparePrivateFolder(QDir(instanceFolder).filePath(QStringLiteral("inbox")));
}

QString inbox(const QString &instanceFolder)
{
    const PrivateFolder folder = prepareInbox(instanceFolder);
    return folder.isUsable() ? folder.path : QString();
}

Answer handOver(const QString &inbox, const QString &readingPath, std::chrono::milliseconds timeout)
{
    // Made again if it was removed: the running copy watches for it.
    if (inbox.isEmpty() || !preparePrivateFolder(inbox).isUsable())
        return Answer::NoAnswer;
    // The grace for a request being taken as the wait ends is part of the
    // wait, never an addition to it.
    const auto grace = std::min<std::chrono::milliseconds>(std::chrono::seconds(1), timeout / 5);
    const QDeadlineTimer deadline(timeout);
    const QDeadlineTimer withdrawal(timeout - grace);
    const QDir folder(inbox);
    const QString name = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QByteArray path = QFileInfo(readingPath).absoluteFilePath().toUtf8();
    const QByteArray content = Greeting + name.toLatin1() + '\n' + path.toPercentEncoding() + '\n';
    const QString request = putInAPlace(folder, content, deadline);
    if (request.isEmpty())
        return Answer::NoAnswer;

    // The second start shows no window, so a plain wait is all it needs.
    const QString answer = folder.filePath(name + AnswerSuffix);
    while (!withdrawal.hasExpired()) {
        if (QFileInfo::exists(answer))
            return takeAnswer(answer);
        QThread::msleep(Step.count());
    }
    // Nobody took it: withdraw it, unless it is being taken right now.
    if (QFile::remove(request))
        return Answer::NoAnswer;
    for (; !deadline.hasExpired(); QThread::msleep(Step.count())) {
        if (QFileInfo::exists(answer))
            return takeAnswer(answer);
    }
    return Answer::NoAnswer;
}

void clear(const QString &inbox)
{
    // An empty path would be the working folder: a refused inbox is left alone.
    if (inbox.isEmpty())
        return;
    const QDir folder(inbox);
    for (int number = 0; number < Places; ++number) {
        const QString request = place(folder, number);
        if (QFileInfo(request).isFile() && leftByTheUser(folder, request))
            QFile::remove(request);
    }
    // An answer nobody came for (its asker was killed); long past any wait for one.
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-60);
    for (const QFileInfo &answer :
         folder.entryInfoList({QLatin1Char('*') + AnswerSuffix}, QDir::Files | QDir::Hidden)) {
        if (answer.lastModified() < stale && leftByTheUser(folder, answer.filePath()))
            QFile::remove(answer.filePath());
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
        // The folder holding the inbox too: that is where an inbox removed
        // and made again shows.
        m_watcher->addPath(QFileInfo(m_inbox).absolutePath());
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
                &HandOverInbox::folderChanged);
        m_again = new QTimer(this);
        m_again->setSingleShot(true);
        m_again->setInterval(Step);
        connect(m_again, &QTimer::timeout, this, &HandOverInbox::answerRequests);
    }
    const bool watching = m_watcher->directories().contains(m_inbox) || m_watcher->addPath(m_inbox);
    answerRequests();
    return watching;
}

void HandOverInbox::folderChanged()
{
    if (!QFileInfo(m_inbox).isDir())
        preparePrivateFolder(m_inbox);
    if (!m_watcher->directories().contains(m_inbox))
        m_watcher->addPath(m_inbox);
    answerRequests();
}

void HandOverInbox::answerRequests()
{
    const QDir folder(m_inbox);
    for (int number = 0; number < HandOver::Places; ++number) {
        const QString request = place(folder, number);
        if (QFileInfo::exists(request) && !leftByTheUser(folder, request))
            continue;
        const std::optional<QByteArray> content = readSmallFile(request, MaxRequestSize);
        // Missing, or not an ordinary file (a folder someone made there): not a
        // request. An ordinary file too large for one is junk in our place.
        if (!content) {
            if (QFileInfo(request).isFile())
                QFile::remove(request);
            continue;
        }
        // Empty: made, and about to be written.
        if (content->isEmpty()
            && QFileInfo(request).lastModified().msecsTo(QDateTime::currentDateTime())
                   < WritingTime) {
            m_again->start();
            continue;
        }
        // Taken once: whatever it holds, it is not answered twice.
        if (!QFile::remove(request))
            continue;
        const std::optional<Request> asked = parse(*content);
        if (!asked)
            continue;
        const QString &path = asked->readingPath;
        const bool sound = !path.isEmpty() && !path.contains(QChar(0));
        const bool accepted = sound && m_receive && m_receive(path);
        writeWhole(folder.filePath(asked->name + AnswerSuffix), accepted ? Accepted : Refused);
    }
}

} // namespace Orvella
