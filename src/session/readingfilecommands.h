#pragma once

#include "reading/reading.h"

#include <QString>

#include <optional>

class QWidget;

namespace Orvella {

class Platform;

/** The main window's save and open commands, with their dialogs and messages. */
class ReadingFileCommands
{
public:
    explicit ReadingFileCommands(Platform &platform);

    /**
     * cmdSave: asks for a file and writes @p reading to it. The file is
     * replaced whole or not at all; a failed write is reported, Cancel is not.
     * The file written, or an empty text when none was.
     */
    QString save(QWidget *parent, const Reading &reading);

    /** cmdOpen's dialog: the file chosen, or an empty text when cancelled. */
    QString chooseFile(QWidget *parent);

    /**
     * The reading in the file at @p path, or nothing: silently for an empty
     * path, else refused with "Please Check The File." when the name does not
     * end in "mca" or the file is not an ordinary reading file. Never waits
     * on a pipe or a device.
     */
    std::optional<Reading> read(QWidget *parent, const QString &path);

    /** cmdOpen: chooseFile(), then read(). */
    std::optional<Reading> open(QWidget *parent);

    /** The dialogs' titles, their one filter and the save dialog's default suffix. */
    static QString saveTitle();
    static QString openTitle();
    static QString fileFilter();
    static QString defaultSuffix();

private:
    Platform &m_platform;
};

} // namespace Orvella
