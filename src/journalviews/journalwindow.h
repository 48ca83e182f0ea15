#pragma once

#include "journal/journalsearch.h"
#include "journal/journalstore.h"

#include <QDate>
#include <QPointer>
#include <QWidget>

#include <memory>

class QLabel;

namespace Ui {
class JournalWindow;
}

namespace Orvella {

class Journal;
class JournalFilters;
class JournalWordsFields;
class JournalListModel;
class StatisticsView;
struct ShownPosition;

/**
 * The journal window: the readings kept, newest first, found as the user
 * types, by spread, by card, by day, waiting for their outcome or on this day
 * in earlier years; the one selected laid out in its spread's figure with its
 * question, notes and outcome, which are saved as they are typed. A kept
 * reading can be shown again, deleted after asking, and the listed readings
 * exported as JSON or CSV; readings come in by import, and the whole journal
 * goes out as a backup. Its statistics, made when first looked at, count what
 * the search keeps over a period.
 */
class JournalWindow : public QWidget
{
    Q_OBJECT

public:
    explicit JournalWindow(Journal &journal, QWidget *parent = nullptr);
    ~JournalWindow() override;

    /** The reading selected in the list; 0 when none is. */
    qint64 selectedId() const;
    /** Reads the list, the calendar's days and the selected reading again. */
    void reload();
    /** The search and filters that keep the readings listed, in words; empty for all of them. */
    QString filtersText() const;
    /** As on its first opening: every reading listed, nothing searched, the newest selected. */
    void openAfresh();

signals:
    /** A kept reading was shown in the main window, which should now come forward. */
    void readingShown();
    /**
     * A kept reading's cards are to be seen large, from the one at @p index:
     * one chosen in its figure, or a card of the day, which has no spread to
     * be shown in.
     */
    void cardsShown(const QList<Orvella::ShownPosition> &positions, int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    /** The shown reading's words as the journal now has them, when given elsewhere. */
    void showWordsKeptElsewhere();
    /** @p heading over the selected reading, its tip and its name for a screen reader. */
    void showHeading(const QString &heading);
    /** The selected reading's heading, its lines cut to the room there is. */
    void fitHeading();
    /** Whether new readings are kept, and what can be done with the journal as it now is. */
    void showJournalState();
    /** Whether the selected reading's words and the reading can be changed. */
    void showWhatCanBeChanged();
    /** The calendar at the selected reading's day, the days listed as they were. */
    void showSelectedDay();
    void setupLook();
    void setupFilters();
    void setupKeys();
    void restoreSize();
    /** Puts the calendar beside the list or above it, as the room for the list allows. */
    void placeCalendar();
    JournalFilter filter() const;
    /** Shows the readings of @p first to @p last (null dates: all days). */
    void showDays(QDate first, QDate last);
    /** The statistics tab, made the first time it is looked at. */
    StatisticsView &statistics();
    /** The statistics of what the search and filters keep, while the statistics are looked at. */
    void countStatistics();
    /**
     * Reads the list again for the filter as it now is: @p bestFirst selected,
     * else the reading that was.
     */
    void relist(bool bestFirst = false);
    void select(qint64 id);
    void selectionChanged();
    void wordsEdited();
    void showSelectedReading();
    void deleteSelected();
    void exportListed();
    /** The list and the calendar's days after a change of the search or a filter. */
    void refilter();
    /** Why the list is empty though the journal can be read, in a sentence. */
    QString whyNothingListed() const;
    void markDays();

    std::unique_ptr<Ui::JournalWindow> m_ui;
    Journal &m_journal;
    JournalListModel *m_model = nullptr;
    JournalFilters *m_filters = nullptr;
    JournalWordsFields *m_words = nullptr;
    /** The reading whose words the editors show. */
    qint64 m_shownId = 0;
    /** The last reading selected: selected again when a search that listed none is cleared. */
    qint64 m_lastShownId = 0;
    QString m_heading; // the selected reading's, whole
    bool m_entryShown = false; // a kept reading is selected and shown
    QLabel *m_nothingListed = nullptr;
    JournalSearch m_search; // the one listed
    QDate m_from;
    QDate m_to;
    QPointer<StatisticsView> m_statistics;
};

} // namespace Orvella
