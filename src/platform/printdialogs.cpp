#include "printdialogs.h"

#include "programplugin.h"

#include <QLocale>

#include <algorithm>
#include <array>

namespace Orvella {

bool printsOnLetter(const QLocale &locale)
{
    // The countries whose paper is Letter, as the Unicode locale data has them.
    static constexpr std::array letter{
        QLocale::Belize,    QLocale::Canada,      QLocale::Chile,      QLocale::Colombia,
        QLocale::CostaRica, QLocale::ElSalvador,  QLocale::Guatemala,  QLocale::Mexico,
        QLocale::Nicaragua, QLocale::Panama,      QLocale::Philippines, QLocale::PuertoRico,
        QLocale::UnitedStates, QLocale::Venezuela};
    return std::find(letter.cbegin(), letter.cend(), locale.territory()) != letter.cend();
}

PrintDialogs *loadPrintDialogs()
{
    return qobject_cast<PrintDialogs *>(loadProgramPlugin(QStringLiteral("orvella-print-dialogs")));
}

} // namespace Orvella
