#pragma once

#include <QDate>
#include <QPair>
#include <QWidget>

class QComboBox;
class QDateEdit;

namespace Orvella {

/**
 * Which readings the statistics count: all of them, the last 30 days, this
 * year, or from one date to another, chosen in the two date fields.
 */
class PeriodSelector : public QWidget
{
    Q_OBJECT

public:
    enum class Choice { All, Last30Days, ThisYear, Between };

    /** Starts on all readings, the date fields on this year so far by @p today. */
    explicit PeriodSelector(QDate today, QWidget *parent = nullptr);

    Choice choice() const;
    /** The first and last day by @p today; a null date leaves that end open. */
    QPair<QDate, QDate> period(QDate today) const;
    /** Shows the days counted, @p first to @p last, unless the user chooses the dates. */
    void showCounted(QDate first, QDate last);
    /** The period in words for a printed title: "Last 30 days, 8 November 2026 to 7 December 2026".
     */
    QString periodText(QDate today) const;

signals:
    /** The user chose another period or changed a date of their own. */
    void changed();

private:
    void choiceChanged();
    /** Shows dates given the wrong way round the right way. */
    void putInOrder();

    QComboBox *m_choice = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
};

} // namespace Orvella
