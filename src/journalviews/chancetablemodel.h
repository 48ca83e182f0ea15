#pragma once

#include "journal/journalstatistics.h"

#include <QAbstractTableModel>

namespace Orvella {

/**
 * The cards in the order they are best read against chance: those marked
 * first, then by how unlikely chance alone would make a count as far from
 * what it brings as theirs.
 */
QList<CardCount> cardsAgainstChance(const QList<CardCount> &perCard);

/**
 * The cards against chance as a table: card, came up, reversed, chance alone
 * and "more" or "less". Rows come in cardsAgainstChance() order; SortRole
 * sorts any column by its value, and "Against chance" back into that order.
 */
class ChanceTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { CardColumn, CountColumn, ReversedColumn, ExpectedColumn, MarkColumn, Columns };
    enum Role { SortRole = Qt::UserRole, CardRole };

    using QAbstractTableModel::QAbstractTableModel;

    void setStatistics(const JournalStatistics &statistics);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /** The columns' titles, as the screen and the paper show them. */
    static QString columnTitle(int column);
    /** What column @p column shows of @p count. */
    static QString cellText(const CardCount &count, int column);

private:
    QList<CardCount> m_cards;
};

} // namespace Orvella
