#include "paper.h"

#include <QLocale>
#include <QPainter>

namespace Orvella {

QPageSize localPaper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

QImage onWhitePaper(const QImage &drawing)
{
    if (drawing.isNull())
        return {};
    QImage paper(drawing.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.drawImage(0, 0, drawing);
    painter.end();
    return paper;
}

} // namespace Orvella
