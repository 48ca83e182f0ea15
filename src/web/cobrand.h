#pragma once

#include <QtGlobal>

class QWidget;

namespace Orvella {

class RandomSource;

/** round(r * 6 + 1) in single precision, ties to even: 1 to 7. */
qint16 coBrandNumber(float r);

/**
 * Brings one of the two overlapping marketing labels to the front at random:
 * 2, 4, 6 raise @p fullBrand, 1, 3, 5 raise @p coBrand, 7 changes nothing.
 * Returns the number drawn.
 */
qint16 CoBrand_Randomize(RandomSource &random, QWidget *fullBrand, QWidget *coBrand);

/**
 * Of two labels in one place, hides the one that lies behind and shows the
 * one in front: nothing can see the one behind, so neither may a screen reader.
 */
void showOnlyTheFrontOne(QWidget *first, QWidget *second);

} // namespace Orvella
