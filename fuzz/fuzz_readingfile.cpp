// Feeds arbitrary bytes to the reading-file decoder and to the text scrambling.
// Built as a libFuzzer target (ORVELLA_FUZZ) and, with replay.cpp as its main,
// as an ordinary test that replays the seed corpus and the kept regressions.

#include "oracle/carddeck.h"
#include "oracle/spreadcatalogue.h"
#include "storage/readingfile.h"
#include "storage/scramble.h"
#include "fuzzsupport.h"

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace Orvella;

using Fuzz::check;

namespace {

void checkAccepted(const Reading &reading)
{
    const std::optional<Spread> spread = SpreadCatalogue::spread(reading.spreadIndex);
    check(spread && reading.spreadIndex < SpreadCatalogue::SpreadCount,
          "an accepted file names a real spread");
    const int n = spread->cardCount;
    check(reading.cards.size() == n + 1 && reading.orientations.size() == n + 1,
          "an accepted reading has n + 1 slots per table");
    check(reading.positionCount() == n && reading.orientationCount() == n,
          "an accepted reading walks exactly the spread's positions");
    for (int i = 0; i < n; ++i)
        check(CardDeck::isCard(reading.cards[i]), "every accepted card lies in the deck");

    // What the program accepted, it must write back so that it reads the same.
    const QByteArray again = ReadingFile::encode(reading);
    const std::optional<Reading> back = ReadingFile::decode(again);
    check(back.has_value(), "an encoded reading decodes");
    check(*back == reading, "decode(encode(r)) == r");
    check(ReadingFile::encode(*back) == again, "encoding is stable");
}

void checkScrambling(const QString &text)
{
    const QString plain = UnscrambleText(text);
    check(plain.size() <= text.size(), "unscrambling never lengthens a text");
    const QString scrambled = ScrambleText(text);
    check(scrambled.size() <= text.size(), "scrambling never lengthens a text");
    // Every character that came out of UnscrambleText had an image going in.
    check(UnscrambleText(ScrambleText(plain)) == plain, "unscramble(scramble(t)) == t");
}

} // namespace

bool acceptedAsValid(const QByteArray &bytes)
{
    return ReadingFile::decode(bytes).has_value();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    if (const std::optional<Reading> reading = ReadingFile::decode(bytes))
        checkAccepted(*reading);

    // Files are read as Latin-1; UTF-8 also reaches the characters above 255.
    checkScrambling(QString::fromLatin1(bytes));
    checkScrambling(QString::fromUtf8(bytes));
    return 0;
}
