#include "periodselector.h"

#include "journal/journalentry.h"
#include "journal/journaltexts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

#include <algorithm>

namespace Orvella {

namespace {

constexpr int LastDays = 30;

QDateEdit *dateField(const QString &name, const QString &heard, QDate date, QWidget *parent)
{
    auto *field = new QDateEdit(date, parent);
    field->setObjectName(name);
    field->setAccessibleName(heard);
    // Every day a kept reading may have, earlier than Qt's default of 1752.
    field->setDateRange(QDate(EarliestYear, 1, 1), QDate(LatestYear, 12, 31));
    field->setCalendarPopup(true);
    field->setDisplayFormat(shortDayFormat());
    return field;
}

} // namespace

PeriodSelector::PeriodSelector(QDate today, QWidget *parent) : QWidget(parent)
{
    m_choice = new QComboBox(this);
    m_choice->setObjectName(QStringLiteral("cboPeriod"));
    m_choice->setAccessibleName(QStringLiteral("Period"));
    m_choice->addItems({QStringLiteral("All readings"), QStringLiteral("Last 30 days"),
                        QStringLiteral("This year"), QStringLiteral("From a date to a date")});
    m_from = dateField(QStringLiteral("datFrom"), QStringLiteral("From"),
                       QDate(today.year(), 1, 1), this);
    m_to = dateField(QStringLiteral("datTo"), QStringLiteral("To"), today, this);

    auto *period = new QLabel(QStringLiteral("P&eriod:"), this);
    period->setBuddy(m_choice);
    auto *from = new QLabel(QStringLiteral("Fro&m:"), this);
    from->setBuddy(m_from);
    auto *to = new QLabel(QStringLiteral("T&o:"), this);
    to->setBuddy(m_to);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget :
         std::initializer_list<QWidget *>{period, m_choice, from, m_from, to, m_to})
        layout->addWidget(widget);
    layout->addStretch();

    choiceChanged();
    connect(m_choice, &QComboBox::currentIndexChanged, this, &PeriodSelector::choiceChanged);
    connect(m_choice, &QComboBox::currentIndexChanged, this, &PeriodSelector::changed);
    // The fields count only while their choice is made; they are disabled otherwise.
    for (QDateEdit *field : {m_from, m_to}) {
        connect(field, &QDateEdit::dateChanged, this, &PeriodSelector::changed);
        connect(field, &QDateEdit::editingFinished, this, &PeriodSelector::putInOrder);
    }
}

void PeriodSelector::putInOrder()
{
    // Dates given the wrong way round count as the period between them (while
    // they are typed, too): once given, they are shown so.
    if (m_from->date() <= m_to->date())
        return;
    const QDate first = m_to->date();
    const QSignalBlocker fromQuiet(m_from);
    const QSignalBlocker toQuiet(m_to);
    m_to->setDate(m_from->date());
    m_from->setDate(first);
}

PeriodSelector::Choice PeriodSelector::choice() const
{
    return Choice(m_choice->currentIndex());
}

void PeriodSelector::choiceChanged()
{
    const bool between = choice() == Choice::Between;
    m_from->setEnabled(between);
    m_to->setEnabled(between);
}

void PeriodSelector::showCounted(QDate first, QDate last)
{
    // Disabled, the fields show the days counted rather than dates from before;
    // chosen next, they start from these.
    if (choice() == Choice::Between || !first.isValid() || !last.isValid())
        return;
    const QSignalBlocker fromQuiet(m_from);
    const QSignalBlocker toQuiet(m_to);
    m_from->setDate(first);
    m_to->setDate(last);
}

QPair<QDate, QDate> PeriodSelector::period(QDate today) const
{
    switch (choice()) {
    case Choice::All:
        break;
    case Choice::Last30Days:
        return {today.addDays(1 - LastDays), today};
    case Choice::ThisYear:
        return {QDate(today.year(), 1, 1), today};
    case Choice::Between:
        return {std::min(m_from->date(), m_to->date()), std::max(m_from->date(), m_to->date())};
    }
    return {};
}

QString PeriodSelector::periodText(QDate today) const
{
    const auto [first, last] = period(today);
    const QString days = QStringLiteral("%1 to %2").arg(dayText(first), dayText(last));
    switch (choice()) {
    case Choice::All:
        break;
    case Choice::Last30Days:
    case Choice::ThisYear:
        return m_choice->currentText() + QStringLiteral(", ") + days;
    case Choice::Between:
        return days;
    }
    return m_choice->currentText();
}

} // namespace Orvella
