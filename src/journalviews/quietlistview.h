#pragma once

#include <QListView>

namespace Orvella {

/**
 * A list that tells a screen reader its current item has the focus only while
 * the list has the keys. Qt 6.4's lists tell it whenever the current item
 * changes, and the reader follows: a search typed, a filter chosen or a
 * reading deleted would be heard as a move into the list.
 */
class QuietListView : public QListView
{
    Q_OBJECT

public:
    using QListView::QListView;

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
};

} // namespace Orvella
