#include "scramble.h"

namespace Orvella {

namespace {

// Every printable ASCII character (blank 32 to tilde 126) lands on 160..254,
// the printable upper half of Latin-1, which Windows-1252 shares unchanged.
// So the digits, "|", letters, blanks and every date separator ("-", "/",
// ".") have an image, no image is ever a control character (CR 13, LF 10,
// "|" 124 or the key separators "/" 47 and "\" 92 cannot come out), and the
// settings store can use scrambled names as keys as they are.
constexpr int Offset = 128;

QString shifted(const QString &text, int offset)
{
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        const int code = ch.unicode();
        if (code > 255)
            continue; // not in the file's code page: no image
        const int image = code + offset;
        if (image < 0 || image > 255)
            continue;
        result.append(QChar(image));
    }
    return result;
}

} // namespace

QString ScrambleText(const QString &text)
{
    return shifted(text, Offset);
}

QString UnscrambleText(const QString &text)
{
    return shifted(text, -Offset);
}

} // namespace Orvella
