#include "readingpanel.h"

#include "presentation/readingfont.h"

namespace Orvella {

ReadingPanel::ReadingPanel(QWidget *parent) : QWidget(parent)
{
    setFont(readingFont(8.25));
}

} // namespace Orvella
