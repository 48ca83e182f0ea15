#include "journalsearch.h"

#include "oracle/carddeck.h"

#include <QStringList>

#include <algorithm>

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

namespace {

struct Typed
{
    QStringList words;
    bool symbols = false;
};

// The words of @p typed as the index splits them, a character at a time:
// beyond the first plane, one is two halves.
Typed wordsOf(const QString &typed)
{
    Typed found;
    QString word;
    bool marksAlone = true; // as the index drops them: the one after an emoji, say
    const auto endWord = [&] {
        if (!marksAlone)
            found.words << word;
        word.clear();
        marksAlone = true;
    };
    for (qsizetype i = 0; i < typed.size();) {
        const bool pair = typed[i].isHighSurrogate() && i + 1 < typed.size()
                          && typed[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(typed[i], typed[i + 1])
                                : typed[i].unicode();
        const qsizetype length = pair ? 2 : 1;
        if (inWord(c)) {
            word += QStringView(typed).mid(i, length);
            marksAlone = marksAlone && QChar::category(c) == QChar::Mark_NonSpacing;
        } else {
            endWord();
        }
        // Pictures, emoji among them: "+", "$" or "^" search no more than "?" does.
        found.symbols = found.symbols || QChar::category(c) == QChar::Symbol_Other;
        i += length;
    }
    endWord();
    return found;
}

// A word as the index compares it: without case, nor the marks on its letters.
QString folded(const QString &word)
{
    QString plain;
    for (const QChar c : word.normalized(QString::NormalizationForm_KD)) {
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c;
    }
    return plain.toCaseFolded();
}

} // namespace

JournalSearch journalSearch(const QString &typed)
{
    const Typed found = wordsOf(typed);
    if (found.words.isEmpty())
        return {{}, found.symbols ? typed.trimmed() : QString()};
    QStringList terms;
    for (const QString &word : found.words)
        terms << QStringLiteral("\"%1\"*").arg(word);
    return {terms.join(u' '), {}};
}

bool journalSearchChoosesCards(const QString &typed)
{
    const QStringList found = wordsOf(typed).words;
    // Each card's words as the index has them, its name's and its keyword's,
    // each after a blank: a word typed starts one where it follows a blank.
    static const QStringList cardWords = [] {
        QStringList cards;
        for (int index = 0; index < CardDeck::CardCount; ++index) {
            const Card card = CardDeck::card(index).value_or(Card{});
            QString words;
            for (const QString &word : wordsOf(card.name + u' ' + card.keyword).words)
                words += u' ' + folded(word);
            cards << words;
        }
        return cards;
    }();
    return std::any_of(found.cbegin(), found.cend(), [](const QString &word) {
        const QString start = u' ' + folded(word);
        const auto named = std::count_if(cardWords.cbegin(), cardWords.cend(),
                                         [&](const QString &words) {
                                             return words.contains(start);
                                         });
        return named > 0 && named < cardWords.size();
    });
}

} // namespace Orvella
