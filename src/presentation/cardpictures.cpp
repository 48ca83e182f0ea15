#include "cardpictures.h"

#include "oracle/carddeck.h"
#include "pngresource.h"
#include "product/buildconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace Orvella {

namespace {

// Picture names in deck order; tools/cardart makes the files under these names.
constexpr std::array<const char *, CardDeck::CardCount> pictureNames{{
    "01_eagle", "02_hawk", "03_elk", "04_deer", "05_bear", "06_snake", "07_skunk",
    "08_ottercard", "09_butterfly", "10_turtle", "11_moose", "12_porcupine", "13_coyote",
    "14_dog", "15_wolf", "16_raven", "17_mountain-lion", "18_lynx", "19_buffalo",
    "20_mouse", "21_owl", "22_beaver", "23_opossum", "24_crow", "25_fox", "26_squirrel",
    "27_dragonfly", "28_armadillo", "29_badger", "30_rabbit", "31_turkey", "32_ant",
    "33_weasel", "34_grouse", "35_horse", "36_lizard", "37_antelope", "38_frog",
    "39_swan", "40_dolphin", "41_whale", "42_bat", "43_spider", "44_hummingbird",
}};

// The installed data folder, found from the program's own; else the build tree's.
const QString &cardsFolder()
{
    static const QString folder = [] {
        const QString installed = QDir(QCoreApplication::applicationDirPath())
                                      .filePath(QLatin1String(BuildConfig::DataFolder));
        for (const QString &data : {installed, QString::fromUtf8(BuildConfig::BuildDataFolder)}) {
            const QString cards = QDir(data).filePath(QStringLiteral("cards"));
            if (QFileInfo(cards).isDir())
                return QDir::cleanPath(cards);
        }
        return QString();
    }();
    return folder;
}

} // namespace

QString cardPicturePath(int index, QSize drawing)
{
    if (!CardDeck::isCard(index)
        || std::ranges::find(cardDrawingSizes, drawing) == cardDrawingSizes.end())
        return {};
    const QString size = QStringLiteral("%1x%2").arg(drawing.width()).arg(drawing.height());
    return QStringLiteral("%1/%2/%3.png")
        .arg(cardsFolder(), size, QLatin1String(pictureNames[index]));
}

QImage cardPicture(int index)
{
    if (!CardDeck::isCard(index))
        return {};
    static std::array<QImage, CardDeck::CardCount> decoded;
    QImage &image = decoded[index];
    if (image.isNull())
        image = readPng(cardPicturePath(index));
    return image;
}

QSize cardDrawingFor(QSize size)
{
    const auto fits = std::ranges::find_if(cardDrawingSizes, [&](QSize drawn) {
        return drawn.width() >= size.width() && drawn.height() >= size.height();
    });
    return fits != cardDrawingSizes.end() ? *fits : cardDrawingSizes.back();
}

QImage cardPicture(int index, QSize scaledSize)
{
    if (!CardDeck::isCard(index) || scaledSize.isEmpty())
        return {};
    // Most screens get a picture drawn for them, shown as it is; other sizes
    // scale down the next larger drawing, which keeps them sharp.
    QImage picture = readPng(cardPicturePath(index, cardDrawingFor(scaledSize)));
    if (picture.isNull() || picture.size() == scaledSize)
        return picture;
    // Premultiplied in place first: the smooth scaler would otherwise make a
    // converted copy of the whole picture.
    picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    return picture.scaled(scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace Orvella
