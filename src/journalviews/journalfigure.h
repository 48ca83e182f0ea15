#pragma once

#include "reading/shownposition.h"

#include <QList>
#include <QWidget>

namespace Orvella {

struct JournalEntry;

/**
 * A kept reading's cards laid out in its spread's figure, numbered, reversed
 * ones turned: the places the main window gives them, at the same size or,
 * given more room, larger in the same proportions.
 */
class JournalFigure : public QWidget
{
    Q_OBJECT

public:
    explicit JournalFigure(QWidget *parent = nullptr);

    /** Shows @p entry's cards; an entry without cards shows nothing. */
    void showReading(const JournalEntry &entry);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qint16 m_spread = 0;
    QList<ShownPosition> m_shown;
};

} // namespace Orvella
