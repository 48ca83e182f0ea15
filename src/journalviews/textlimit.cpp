#include "textlimit.h"

#include "journal/journaltexts.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <utility>

namespace Orvella {

void limitLength(QPlainTextEdit *edit, qsizetype most)
{
    // The document is not to be changed while it tells of a change: what came
    // in is noted then, and cut once the change is done.
    const auto added = std::make_shared<int>(0);
    QObject::connect(edit->document(), &QTextDocument::contentsChange, edit,
                     [added](int, int, int charsAdded) { *added = charsAdded; });
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, most, added] {
        const int came = std::exchange(*added, 0);
        // The document counts a closing paragraph mark of its own.
        const qsizetype over = edit->document()->characterCount() - 1 - most;
        if (came <= 0 || over <= 0)
            return;
        // Only what just came in, which ends where the cursor now stands.
        QTextCursor cut = edit->textCursor();
        const int end = cut.position();
        int start = end - int(std::min<qsizetype>(over, came));
        // Never half a character: one written as two code units goes whole.
        if (start > 0 && edit->document()->characterAt(start).isLowSurrogate())
            --start;
        cut.setPosition(start);
        cut.setPosition(end, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
        QApplication::beep();
    });
}

QString cutShortForTip(const QString &text)
{
    return cutShort(text, 300);
}

} // namespace Orvella
