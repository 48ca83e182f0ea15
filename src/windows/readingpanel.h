#pragma once

#include <QWidget>

namespace Orvella {

/**
 * The main window's client area, in the reading font from the start: every
 * control made inside it is laid out once, in the font it shows.
 */
class ReadingPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ReadingPanel(QWidget *parent = nullptr);
};

} // namespace Orvella
