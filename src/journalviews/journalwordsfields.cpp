#include "journalwordsfields.h"

#include "textlimit.h"

#include "journal/journaltexts.h"
#include "platform/platform.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace Orvella {

namespace {

// What @p notes holds, no-break spaces and all (the edit's plain text makes
// them plain); a line broken with Shift+Enter breaks as any other.
QString notesIn(const QPlainTextEdit *notes)
{
    return notes->document()
        ->toRawText()
        .replace(QChar::ParagraphSeparator, u'\n')
        .replace(QChar::LineSeparator, u'\n');
}

// Words shown from their start, as they are read; typed into, notes go on
// where they end, come to from their label or by Tab. Each gives @p text
// back as it is shown.
QString showWords(QLineEdit *line, const QString &text)
{
    line->setText(text);
    line->setCursorPosition(0);
    return line->text();
}

QString showWords(QPlainTextEdit *notes, const QString &text)
{
    notes->setPlainText(text);
    notes->moveCursor(QTextCursor::End);
    notes->verticalScrollBar()->setValue(0);
    return notesIn(notes);
}

} // namespace

JournalWordsFields::JournalWordsFields(QLineEdit *question, QPlainTextEdit *notes,
                                       QLineEdit *outcome, QDateEdit *outcomeDate,
                                       Platform &platform, QObject *parent)
    : QObject(parent)
    , m_questionField(question)
    , m_notesField(notes)
    , m_outcomeField(outcome)
    , m_outcomeDateField(outcomeDate)
    , m_platform(platform)
{
    // Its own format, not the one of the locale it was made in.
    outcomeDate->setDisplayFormat(shortDayFormat());
    // As wide for every reading, whatever days its range allows it.
    outcomeDate->setMinimumWidth(outcomeDate->sizeHint().width());
    // Its hint whole, whatever the font: the details, and the window, widen for
    // it. (A line edit's own hint is room for 17 x's and its frame; one more
    // for the rounding of text drawn at a fractional scale.)
    const QFontMetrics metrics = outcome->fontMetrics();
    outcome->setMinimumWidth(outcome->sizeHint().width() - 16 * metrics.horizontalAdvance(u'x')
                             + metrics.horizontalAdvance(outcome->placeholderText()));
    // No longer than a journal, and its backups, take back in.
    limitLength(notes, MaxTextLength);
    question->setMaxLength(int(MaxTextLength));
    outcome->setMaxLength(int(MaxTextLength));

    connect(question, &QLineEdit::textEdited, this, &JournalWordsFields::edited);
    connect(notes, &QPlainTextEdit::textChanged, this, &JournalWordsFields::edited);
    connect(outcome, &QLineEdit::textEdited, this, &JournalWordsFields::outcomeEdited);
    connect(outcomeDate, &QDateEdit::dateChanged, this, &JournalWordsFields::edited);
}

void JournalWordsFields::show(const JournalEntry &shown, QDate readingDay)
{
    const QSignalBlocker question(m_questionField), notes(m_notesField), outcome(m_outcomeField),
        outcomeDate(m_outcomeDateField);
    m_question = {shown.question, showWords(m_questionField, shown.question)};
    m_notes = {shown.notes, showWords(m_notesField, shown.notes)};
    m_outcome = {shown.outcome, showWords(m_outcomeField, shown.outcome)};
    showOutcomeDate(shown.outcomeDate, readingDay);
}

void JournalWordsFields::showChanged(const JournalEntry &kept)
{
    const QSignalBlocker question(m_questionField), notes(m_notesField), outcome(m_outcomeField),
        outcomeDate(m_outcomeDateField);
    if (m_question.kept != kept.question)
        m_question = {kept.question, showWords(m_questionField, kept.question)};
    if (m_notes.kept != kept.notes)
        m_notes = {kept.notes, showWords(m_notesField, kept.notes)};
    if (m_outcome.kept != kept.outcome) {
        m_outcome = {kept.outcome, showWords(m_outcomeField, kept.outcome)};
        showOutcomeDate(kept.outcomeDate, kept.time.date());
        enableOutcomeDate();
    }
}

void JournalWordsFields::allow(bool shown, bool writable)
{
    m_writable = shown && writable;
    for (QWidget *field : {static_cast<QWidget *>(m_questionField),
                           static_cast<QWidget *>(m_notesField),
                           static_cast<QWidget *>(m_outcomeField)})
        field->setEnabled(shown);
    m_questionField->setReadOnly(!m_writable);
    m_notesField->setReadOnly(!m_writable);
    m_outcomeField->setReadOnly(!m_writable);
    enableOutcomeDate();
}

JournalWords JournalWordsFields::words(const QString &reading)
{
    // What the user left alone is kept as it was; an outcome typed without the
    // blanks around it.
    const QString question = m_questionField->text();
    const QString notes = notesIn(m_notesField);
    const QString outcomeTyped = m_outcomeField->text();
    const QString outcome = m_outcome.take(outcomeTyped, outcomeTyped.trimmed());
    return {reading, m_question.take(question, question), m_notes.take(notes, notes), outcome,
            outcome.isEmpty() ? QDate() : m_outcomeDateField->date()};
}

void JournalWordsFields::showOutcomeDate(QDate told, QDate readingDay)
{
    // Not before the reading, nor after today, unless it was told so before.
    const QDate today = m_platform.today();
    m_outcomeDateField->setDateRange(told.isValid() ? std::min(readingDay, told) : readingDay,
                                     std::max({readingDay, today, told}));
    m_outcomeDateField->setDate(told.isValid() ? told : today);
}

void JournalWordsFields::enableOutcomeDate()
{
    m_outcomeDateField->setEnabled(m_writable && !m_outcomeField->text().trimmed().isEmpty());
}

void JournalWordsFields::outcomeEdited(const QString &outcome)
{
    // Dated the day it is first told; the date can be changed after.
    if (!m_outcomeDateField->isEnabled() && !outcome.trimmed().isEmpty()) {
        const QSignalBlocker quiet(m_outcomeDateField);
        const QDate today = m_platform.today(); // a later day, maybe, than shown
        m_outcomeDateField->setMaximumDate(std::max(m_outcomeDateField->maximumDate(), today));
        m_outcomeDateField->setDate(today);
    }
    enableOutcomeDate();
    emit edited();
}

} // namespace Orvella
