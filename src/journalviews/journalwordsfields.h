#pragma once

#include "journal.h"

#include "journal/journalstore.h"

#include <QDate>
#include <QObject>

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;

namespace Orvella {

class Platform;

/**
 * The question, notes and outcome of the reading the journal window shows,
 * and the day the outcome was told: shown as the journal keeps them, given
 * back as the user leaves them. Tells when the user changes any of them.
 */
class JournalWordsFields : public QObject
{
    Q_OBJECT

public:
    JournalWordsFields(QLineEdit *question, QPlainTextEdit *notes, QLineEdit *outcome,
                       QDateEdit *outcomeDate, Platform &platform, QObject *parent);

    /** @p shown's words, of a reading of @p readingDay; none for a null reading. */
    void show(const JournalEntry &shown, QDate readingDay);
    /**
     * Those of @p kept's words that differ from the ones shown: the user's
     * place in the rest stays.
     */
    void showChanged(const JournalEntry &kept);
    /** Filled in only for a reading (@p shown), changed only where the journal takes them. */
    void allow(bool shown, bool writable);
    /** The words as the user left them, about @p reading (its time and name). */
    JournalWords words(const QString &reading);

signals:
    void edited();

private:
    /** The day an outcome was told of, or today for none, among the days it may be. */
    void showOutcomeDate(QDate told, QDate readingDay);
    /** The outcome's date can be told only of an outcome, in a journal that can be written. */
    void enableOutcomeDate();
    void outcomeEdited(const QString &outcome);

    /**
     * A text as the journal keeps it and as its field shows it, which may
     * differ (a field shows a line break in a question as none, say): a
     * field the user left alone gives back what is kept, not what it shows.
     */
    struct ShownText
    {
        QString kept;
        QString shown;
        /** What is kept once the field holds @p now, which the user made @p typed. */
        const QString &take(const QString &now, const QString &typed)
        {
            if (now != shown) {
                shown = now;
                kept = typed;
            }
            return kept;
        }
    };

    QLineEdit *m_questionField;
    QPlainTextEdit *m_notesField;
    QLineEdit *m_outcomeField;
    QDateEdit *m_outcomeDateField;
    Platform &m_platform;
    ShownText m_question;
    ShownText m_notes;
    ShownText m_outcome;
    bool m_writable = false;
};

} // namespace Orvella
