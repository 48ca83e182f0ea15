#pragma once

#include "reading/reading.h"

#include <optional>

class QWidget;

namespace Orvella {

class Platform;

/** The main window's save and open commands, with their dialogs and messages. */
class ReadingFileCommands
{
public:
    explicit ReadingFileCommands(Platform &platform);

    /** cmdSave: asks for a file and writes @p reading to it; a failed write is reported. */
    void save(QWidget *parent, const Reading &reading);

    /** cmdOpen: asks for a file; the reading in it, or nothing when cancelled or refused. */
    std::optional<Reading> open(QWidget *parent);

private:
    Platform &m_platform;
};

} // namespace Orvella
