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
     */
    void save(QWidget *parent, const Reading &reading);

    /**
     * cmdOpen: asks for a file; the reading in it, or nothing when cancelled
     * (silently) or refused ("Please Check The File.").
     */
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
