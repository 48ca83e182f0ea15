#pragma once

#include "reading/shownposition.h"

#include <QList>
#include <QWidget>

namespace Orvella {

struct JournalEntry;

/**
 * A kept reading's cards laid out in its spread's figure, numbered, reversed
 * ones turned: the places the main window gives them, at the same size or,
 * given more room, larger in the same proportions. Each card names itself
 * in a tip, and a click on it chooses it.
 */
class JournalFigure : public QWidget
{
    Q_OBJECT

public:
    explicit JournalFigure(QWidget *parent = nullptr);

    /** Shows @p entry's cards; an entry without cards shows nothing. */
    void showReading(const JournalEntry &entry);

    QSize sizeHint() const override;
    /** Where card @p index of those shown is drawn; empty when it has no place. */
    QRect cardRect(int index) const;

signals:
    /** The card at @p index of @p positions, the reading's shown, was clicked. */
    void cardChosen(const QList<Orvella::ShownPosition> &positions, int index);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    /** How much larger than the main window's the figure is drawn. */
    qreal scale() const;
    /** The card shown at @p point, or -1. */
    int cardAt(const QPoint &point) const;

    qint16 m_spread = 0;
    int m_pressed = -1; // the card a click began on
    QList<ShownPosition> m_shown;
};

} // namespace Orvella
