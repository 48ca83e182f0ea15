#include "chancetablemodel.h"

#include "oracle/carddeck.h"
#include "statisticstexts.h"

#include <algorithm>
#include <cmath>

namespace Orvella {

QList<CardCount> cardsAgainstChance(const QList<CardCount> &perCard)
{
    QList<CardCount> cards = perCard;
    std::stable_sort(cards.begin(), cards.end(), [](const CardCount &a, const CardCount &b) {
        const bool aMarked = a.mark != ChanceMark::None;
        const bool bMarked = b.mark != ChanceMark::None;
        if (aMarked != bMarked)
            return aMarked;
        // The count chance would least likely bring first: a count far from a
        // small expectation is rarer than one as far from a large one.
        if (a.pValue != b.pValue)
            return a.pValue < b.pValue;
        return std::abs(a.count - a.expected) > std::abs(b.count - b.expected);
    });
    return cards;
}

void ChanceTableModel::setStatistics(const JournalStatistics &statistics)
{
    beginResetModel();
    m_cards = cardsAgainstChance(statistics.perCard);
    endResetModel();
}

int ChanceTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cards.size());
}

int ChanceTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QString ChanceTableModel::columnTitle(int column)
{
    switch (column) {
    case CardColumn:
        return QStringLiteral("Card");
    case CountColumn:
        return QStringLiteral("Came up");
    case ReversedColumn:
        return QStringLiteral("Reversed");
    case ExpectedColumn:
        return QStringLiteral("Chance alone");
    case MarkColumn:
        return QStringLiteral("Against chance");
    default:
        return {};
    }
}

QString ChanceTableModel::cellText(const CardCount &count, int column)
{
    switch (column) {
    case CardColumn:
        return CardDeck::cardName(count.card);
    case CountColumn:
        return QString::number(count.count);
    case ReversedColumn:
        return QString::number(count.reversed);
    case ExpectedColumn:
        return expectedText(count.expected);
    case MarkColumn:
        return chanceMarkName(count.mark);
    default:
        return {};
    }
}

QVariant ChanceTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_cards.size())
        return {};
    const CardCount &count = m_cards[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return cellText(count, index.column());
    case Qt::TextAlignmentRole:
        return index.column() == CardColumn || index.column() == MarkColumn
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case CardRole:
        return count.card;
    case SortRole:
        switch (index.column()) {
        case CardColumn:
            return count.card;
        case CountColumn:
            return count.count;
        case ReversedColumn:
            return count.reversed;
        case ExpectedColumn:
            return count.expected;
        default:
            return index.row();
        }
    default:
        return {};
    }
}

QVariant ChanceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return columnTitle(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace Orvella
