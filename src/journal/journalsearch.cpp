#include "journalsearch.h"

#include <QStringList>

namespace Orvella {

namespace {

// What the index takes as part of a word: letters, digits, private-use
// characters and the marks that sit on a letter (SQLite's unicode61 tokenizer,
// which drops such marks). Anything else parts words, Mc and Me marks included.
bool inWord(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Other_PrivateUse:
        return true;
    default:
        return QChar::isLetterOrNumber(c);
    }
}

} // namespace

JournalSearch journalSearch(const QString &typed)
{
    // Split where the index splits words, a character at a time: beyond the
    // first plane, one is two halves.
    QStringList terms;
    QString word;
    bool symbols = false;
    const auto endWord = [&] {
        if (!word.isEmpty())
            terms << QStringLiteral("\"%1\"*").arg(word);
        word.clear();
    };
    for (qsizetype i = 0; i < typed.size();) {
        const bool pair = typed[i].isHighSurrogate() && i + 1 < typed.size()
                          && typed[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(typed[i], typed[i + 1])
                                : typed[i].unicode();
        const qsizetype length = pair ? 2 : 1;
        if (inWord(c))
            word += QStringView(typed).mid(i, length);
        else
            endWord();
        switch (QChar::category(c)) {
        case QChar::Symbol_Math:
        case QChar::Symbol_Currency:
        case QChar::Symbol_Modifier:
        case QChar::Symbol_Other:
            symbols = true;
            break;
        default:
            break;
        }
        i += length;
    }
    endWord();
    if (!terms.isEmpty())
        return {terms.join(u' '), {}};
    return {{}, symbols ? typed.trimmed() : QString()};
}

} // namespace Orvella
