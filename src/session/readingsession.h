#pragma once

#include "reading/reading.h"
#include "reading/shownposition.h"
#include "readingexportcommands.h"
#include "readingfilecommands.h"

#include <QObject>
#include <QStringList>

class QWidget;

namespace Orvella {

class Platform;
class RandomSource;

/** Where the reading on show came from. */
enum class ReadingSource {
    Drawn,
    Opened,
    HandedOver,
    Journal, ///< a kept reading, shown again from the journal
};

/**
 * The reading on show: the reading itself, what each of its positions shows,
 * where it came from, and the commands that act on it (draw, open, save,
 * print, export, and readings handed over by a second start). Not a widget:
 * the main window shows it and the card view follows it; anything else that
 * wants to know listens to readingShown() and readingCleared().
 */
class ReadingSession : public QObject
{
    Q_OBJECT

public:
    ReadingSession(Platform &platform, RandomSource &random, QObject *parent = nullptr);
    ~ReadingSession() override;

    /** The window the commands' dialogs and messages belong to; none by default. */
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }

    const Reading &reading() const { return m_reading; }
    /** What the reading on show shows, position by position; empty when none is shown. */
    const QList<ShownPosition> &positions() const { return m_positions; }
    bool isShown() const { return m_shown; }
    ReadingSource source() const { return m_source; }
    /** The name the reading was drawn for, when it is known (drawn, or kept with it). */
    const QString &name() const { return m_name; }
    /** The file an opened or handed-over reading was read from. */
    const QString &file() const { return m_file; }
    /** What the session draws with: the program's one random generator. */
    RandomSource &random() const { return m_random; }

    /** Draws a reading of spread @p spreadIndex for @p name and shows it. */
    void draw(const QString &name, qint16 spreadIndex);
    /** Shows @p reading as a new one, come from @p source. */
    void show(const Reading &reading, ReadingSource source, const QString &name = {},
              const QString &file = {});
    /** Shows the reading on show once more, as it is: views draw it again. */
    void refresh();
    /** Puts the reading away: its tables are emptied, its spread stays. */
    void clear();

    /** Asks for a reading file and opens it; false when cancelled or refused. */
    bool openChosenFile();
    /**
     * Opens the reading in the file at @p path: refused with "Please Check The
     * File." unless it is a sound reading file, shown otherwise.
     */
    bool openFile(const QString &path, ReadingSource source = ReadingSource::Opened);
    void save();
    void print();
    void exportPdf();
    void exportImage(qreal screenRatio);
    void copyImage(qreal screenRatio);

    /**
     * A reading handed over by a second start: opened as soon as no modal box
     * is in the way, announced by receiving() just before.
     */
    void receive(const QString &path);
    /** Handed-over readings not yet opened are dropped: nobody will show them. */
    void dropReceived();

signals:
    /** A new reading is shown, drawn or read from @p source. */
    void readingShown(Orvella::ReadingSource source);
    /** The reading on show is shown once more, unchanged. */
    void readingRefreshed();
    /** The reading was put away; nothing is shown. */
    void readingCleared();
    /** The reading on show was saved as @p file (its whole path, links resolved). */
    void readingSaved(const QString &file);
    /** Handed-over readings are about to be opened: whoever shows them comes to the front. */
    void receiving();

private:
    void openReceived();

    RandomSource &m_random;
    QWidget *m_dialogParent = nullptr;
    ReadingFileCommands m_files;
    ReadingExportCommands m_exports;
    Reading m_reading;
    QList<ShownPosition> m_positions;
    bool m_shown = false;
    ReadingSource m_source = ReadingSource::Drawn;
    QString m_name;
    QString m_file;
    QStringList m_received;
};

} // namespace Orvella
