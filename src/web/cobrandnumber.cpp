#include "cobrand.h"

#include "reading/rounding.h"

namespace Orvella {

qint16 coBrandNumber(float r)
{
    // Each step rounds to single precision, as the stored value is a float.
    const float scaled = r * 6.0f;
    const float shifted = scaled + 1.0f;
    return toInt16(double(shifted)).value_or(0);
}

} // namespace Orvella
