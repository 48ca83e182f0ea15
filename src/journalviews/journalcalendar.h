#pragma once

#include <QCalendarWidget>
#include <QDate>
#include <QSet>

class QAbstractItemView;

namespace Orvella {

/**
 * The journal's calendar: the days with readings marked, a day chosen by a
 * click or by moving to it with the keys, and each day heard with its date
 * and whether it has readings, which the eye sees in bold.
 */
class JournalCalendar : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit JournalCalendar(QWidget *parent = nullptr);

    /** Marks @p days, and only them, as days with readings. */
    void markDays(const QSet<QDate> &days);
    /** Turns to @p day, the selected reading's, without a day being chosen. */
    void turnTo(QDate day);

signals:
    /** The user chose @p day: its readings are to be listed. */
    void dayChosen(QDate day);

private:
    /** Its table of days, which takes the keys. */
    QAbstractItemView *days() const;
    void describeDay();

    QSet<QDate> m_marked;
};

} // namespace Orvella
