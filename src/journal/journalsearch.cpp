#include "journalsearch.h"

#include <QStringList>

namespace Orvella {

QString journalSearchQuery(const QString &typed)
{
    // Split where the index splits words: anything but letters and digits.
    QStringList terms;
    QString word;
    const auto endWord = [&] {
        if (!word.isEmpty())
            terms << QStringLiteral("\"%1\"*").arg(word);
        word.clear();
    };
    for (const QChar c : typed) {
        if (c.isLetterOrNumber())
            word += c;
        else
            endWord();
    }
    endWord();
    return terms.join(u' ');
}

} // namespace Orvella
