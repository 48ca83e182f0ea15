#pragma once

#include "journal/journalstatistics.h"

#include <QDate>
#include <QPair>
#include <QWidget>

class QLabel;
class QTableView;

namespace Orvella {

class ChanceTableModel;
class DeckGridFigure;
class OverTimeFigure;
class Platform;
class PeriodSelector;
class SpreadsFigure;

/**
 * What the journal's readings of a period tell: the period chosen, the share
 * of reversed cards, the deck's cards by how often each came up, the cards
 * against chance, the readings over time and the spreads used. The journal's
 * window counts the statistics for the period and hands them over; a card, a
 * week or month, or a spread chosen here is for it to show. The statistics are
 * exported as CSV or PDF, or printed.
 */
class StatisticsView : public QWidget
{
    Q_OBJECT

public:
    explicit StatisticsView(Platform &platform, QWidget *parent = nullptr);
    ~StatisticsView() override;

    /** The first and last day chosen, by @p today; a null date leaves that end open. */
    QPair<QDate, QDate> period(QDate today) const;
    /**
     * Shows @p statistics, counted for the period chosen of the readings that
     * @p selection says in words ("found by ...", a spread; empty for all).
     */
    void setStatistics(const JournalStatistics &statistics, const QString &selection = {});
    const JournalStatistics &statistics() const { return m_statistics; }

    /** Asks for a file and writes the per-card table to it as CSV. */
    void exportStatistics();
    /** Asks for a file and writes the printed pages to it as PDF. */
    void exportPdf();
    void print();

signals:
    /** The user chose another period: the window should count it and call setStatistics(). */
    void periodChanged();
    /** A card of the deck was chosen, in the grid or the table. */
    void cardChosen(int card);
    /** A week's or a month's bar was chosen. */
    void daysChosen(QDate first, QDate last);
    /** A spread's bar was chosen; CardOfTheDaySpread for the card of the day. */
    void spreadChosen(int spread);

private:
    QWidget *makeContent();
    QWidget *makeButtons();
    QString periodText() const;
    /** The name an export is first offered: the period's days, or today's for all of them. */
    QString fileName() const;
    void writeExport(const QString &path, const QByteArray &data);

    Platform &m_platform;
    JournalStatistics m_statistics;
    PeriodSelector *m_period = nullptr;
    QLabel *m_counted = nullptr;
    QLabel *m_reversed = nullptr;
    QLabel *m_meaning = nullptr;
    QString m_selection;
    DeckGridFigure *m_deck = nullptr;
    OverTimeFigure *m_overTime = nullptr;
    SpreadsFigure *m_spreads = nullptr;
    ChanceTableModel *m_chance = nullptr;
    QTableView *m_chanceTable = nullptr;
};

} // namespace Orvella
