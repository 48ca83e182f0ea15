// Writes the seed corpus: sound files made by the encoder, one draw per spread
// and seed, and damaged copies of them (cut short, lines swapped, bytes flipped).
//   fuzz_make_seeds <folder>

#include "reading/clockrandomsource.h"
#include "reading/draw.h"
#include "storage/readingfile.h"

#include "fuzzsupport.h"

using namespace Orvella;

int main(int argc, char *argv[])
{
    const std::optional<QDir> folder = Fuzz::seedFolder(argc, argv);
    if (!folder)
        return 2;
    const QDir &dir = *folder;

    const char *spreadNames[] = {"pathway", "butterfly", "medicinewheel", "sunlodge", "moonlodge"};
    bool ok = true;
    for (qint16 spread = 0; spread < 5; ++spread) {
        for (std::uint32_t seed = 1; seed <= 3; ++seed) {
            ClockRandomSource random;
            random.seed(seed * 7919 + spread);
            Reading reading;
            Draw(reading, spread, random);
            const QByteArray sound = ReadingFile::encode(reading);
            const QString stem = QStringLiteral("%1-%2").arg(QLatin1String(spreadNames[spread])).arg(seed);
            ok &= Fuzz::writeSeed(dir, QStringLiteral("valid-%1.mca").arg(stem), sound);
            if (seed != 1)
                continue;

            const QList<QByteArray> lines = sound.split('\n');
            ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-%1-cut.mca").arg(stem),
                            sound.left(sound.size() / 2));
            ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-%1-swapped.mca").arg(stem),
                            lines[0] + '\n' + lines[2] + '\n' + lines[1] + '\n');
            ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-%1-lf-only.mca").arg(stem),
                            QByteArray(sound).replace("\r\n", "\n"));
            QByteArray flipped = sound;
            flipped[flipped.size() / 3] = char(flipped[flipped.size() / 3] ^ 0x80);
            ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-%1-flipped.mca").arg(stem), flipped);
            ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-%1-plain.mca").arg(stem),
                            "0\r\n0|1|0|1|0|1|0|\r\n1|2|3|4|5|6|7|\r\n");
        }
    }
    ok &= Fuzz::writeSeed(dir, QStringLiteral("damaged-empty.mca"), QByteArray());
    return ok ? 0 : 1;
}
