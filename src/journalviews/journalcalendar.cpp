#include "journalcalendar.h"

#include "journal/journaltexts.h"

#include <QAbstractItemView>
#include <QSignalBlocker>
#include <QTextCharFormat>

#include <utility>

namespace Orvella {

JournalCalendar::JournalCalendar(QWidget *parent) : QCalendarWidget(parent)
{
    // Weekends as any other day: the colour marks the days with readings.
    for (const Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
        setWeekdayTextFormat(day, QTextCharFormat());
    // Clicked, or moved to with the keys; the one chosen already, clicked or
    // entered again, once all days were listed meanwhile.
    for (auto chosen : {&QCalendarWidget::clicked, &QCalendarWidget::activated})
        connect(this, chosen, this, &JournalCalendar::dayChosen);
    connect(this, &QCalendarWidget::selectionChanged, this,
            [this] { emit dayChosen(selectedDate()); });
    // Its days table is what takes the keys, and is heard by the name of what it shows.
    if (QAbstractItemView *table = days()) {
        table->setAccessibleName(QStringLiteral("Days with readings"));
        setAccessibleName(QStringLiteral("Calendar"));
        for (const auto &[button, heard] : {std::pair{"qt_calendar_prevmonth", "Previous month"},
                                            std::pair{"qt_calendar_nextmonth", "Next month"}}) {
            if (auto *found = findChild<QWidget *>(QLatin1String(button)))
                found->setAccessibleName(QLatin1String(heard));
        }
        connect(this, &QCalendarWidget::selectionChanged, this, &JournalCalendar::describeDay);
    }
}

void JournalCalendar::markDays(const QSet<QDate> &days)
{
    setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat marked;
    marked.setFontWeight(QFont::Bold);
    // Dark red, a light one on a dark ground: legible on either.
    const bool darkGround = palette().color(QPalette::Base).lightness() < 128;
    marked.setForeground(darkGround ? QColor(0xff, 0x99, 0x99) : QColor(0x80, 0x00, 0x00));
    m_marked = days;
    for (const QDate &day : days)
        setDateTextFormat(day, marked);
    describeDay();
}

void JournalCalendar::turnTo(QDate day)
{
    const QSignalBlocker quiet(this);
    // Its days told nothing, unless they have the keys: a screen reader would
    // take the day made current for a move of the focus (Qt 6.4's tables say so).
    QAbstractItemView *table = days();
    const bool keys = table && table->hasFocus();
    const QSignalBlocker untold(keys || !table ? nullptr : table->selectionModel());
    setSelectedDate(day);
    if (table && !keys)
        table->viewport()->update();
    describeDay();
}

QAbstractItemView *JournalCalendar::days() const
{
    return findChild<QAbstractItemView *>(QStringLiteral("qt_calendar_calendarview"));
}

void JournalCalendar::describeDay()
{
    QAbstractItemView *table = days();
    if (!table)
        return;
    const QDate day = selectedDate();
    const QString date = journalLocale().toString(day, QStringLiteral("dddd d MMMM yyyy"));
    const QString readings = m_marked.contains(day) ? QStringLiteral(", with readings")
                                                    : QStringLiteral(", no readings");
    table->setAccessibleDescription(date + readings);
}

} // namespace Orvella
