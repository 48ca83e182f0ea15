#include "readingsession.h"

#include "platform/fileaccess.h"
#include "reading/draw.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

namespace Orvella {

ReadingSession::ReadingSession(Platform &platform, RandomSource &random, QObject *parent)
    : QObject(parent), m_random(random), m_files(platform), m_exports(platform)
{}

ReadingSession::~ReadingSession() = default;

void ReadingSession::draw(const QString &name, qint16 spreadIndex)
{
    // Drawn over the reading before, as a draw for no spread leaves all but its index.
    Reading drawn = m_reading;
    Draw(drawn, spreadIndex, m_random);
    show(drawn, ReadingSource::Drawn, name);
}

void ReadingSession::show(const Reading &reading, ReadingSource source, const QString &name,
                          const QString &file)
{
    m_reading = reading;
    m_source = source;
    m_name = name;
    m_file = file;
    m_positions = shownPositions(m_reading);
    m_shown = true;
    emit readingShown(source);
}

void ReadingSession::refresh()
{
    m_positions = shownPositions(m_reading);
    m_shown = true;
    emit readingRefreshed();
}

void ReadingSession::clear()
{
    m_reading.clearTables();
    m_positions.clear();
    m_shown = false;
    emit readingCleared();
}

bool ReadingSession::openChosenFile()
{
    return openFile(m_files.chooseFile(m_dialogParent));
}

bool ReadingSession::openFile(const QString &path, ReadingSource source)
{
    std::optional<Reading> opened = m_files.read(m_dialogParent, path);
    if (!opened)
        return false;
    // Known by where it is: opened again through a link, it is the same reading.
    show(*opened, source, QString(), whereIs(path));
    return true;
}

void ReadingSession::save()
{
    // Written into a device or a pipe (/dev/null, say), it is kept in no file.
    if (const QString path = m_files.save(m_dialogParent, m_reading);
        !path.isEmpty() && QFileInfo(path).isFile())
        emit readingSaved(whereIs(path));
}

void ReadingSession::print()
{
    m_exports.print(m_dialogParent, m_reading);
}

void ReadingSession::exportPdf()
{
    m_exports.exportPdf(m_dialogParent, m_reading);
}

void ReadingSession::exportImage(qreal screenRatio)
{
    m_exports.exportImage(m_dialogParent, m_reading, screenRatio);
}

void ReadingSession::copyImage(qreal screenRatio)
{
    m_exports.copyImage(m_reading, screenRatio);
}

void ReadingSession::receive(const QString &path)
{
    m_received.append(path);
    QTimer::singleShot(0, this, &ReadingSession::openReceived);
}

void ReadingSession::dropReceived()
{
    m_received.clear();
}

void ReadingSession::openReceived()
{
    // A modal box (a message, a dialog, the about box) holds the program: wait for it.
    if (QGuiApplication::modalWindow()) {
        QTimer::singleShot(250, this, &ReadingSession::openReceived);
        return;
    }
    if (m_received.isEmpty())
        return;
    emit receiving();
    while (!m_received.isEmpty())
        openFile(m_received.takeFirst(), ReadingSource::HandedOver);
}

} // namespace Orvella
