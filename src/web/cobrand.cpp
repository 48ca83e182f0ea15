#include "cobrand.h"

#include "reading/randomsource.h"

#include <QWidget>

namespace Orvella {

qint16 CoBrand_Randomize(RandomSource &random, QWidget *fullBrand, QWidget *coBrand)
{
    // The source hands out multiples of 2^-24, which a float holds exactly.
    const qint16 number = coBrandNumber(float(random.next()));
    switch (number) {
    case 2:
    case 4:
    case 6:
        if (fullBrand)
            fullBrand->raise();
        break;
    case 1:
    case 3:
    case 5:
        if (coBrand)
            coBrand->raise();
        break;
    default:
        // 7 leaves the stored order, with the full-brand label in front.
        break;
    }
    showOnlyTheFrontOne(fullBrand, coBrand);
    return number;
}

void showOnlyTheFrontOne(QWidget *first, QWidget *second)
{
    if (!first || !second || first->parent() != second->parent() || !first->parent())
        return;
    const QObjectList order = first->parent()->children();
    const bool firstInFront = order.indexOf(first) > order.indexOf(second);
    first->setVisible(firstInFront);
    second->setVisible(!firstInFront);
}

} // namespace Orvella
