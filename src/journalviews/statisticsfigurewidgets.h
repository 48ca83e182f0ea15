#pragma once

#include "cardthumbnails.h"
#include "journal/journalstatistics.h"

#include <QWidget>

class QPainter;

namespace Orvella {

struct FigureStyle;

/**
 * One figure of the statistics on the screen: painted as on paper, its items
 * chosen by a click, or by Enter or Space on the one the arrow keys framed. A
 * screen reader hears the item framed in its name and every item in its
 * description.
 */
class StatisticsFigure : public QWidget
{
    Q_OBJECT

public:
    /** A figure a screen reader calls @p title. */
    explicit StatisticsFigure(const QString &title, QWidget *parent = nullptr);

    void setStatistics(const JournalStatistics &statistics);
    /** Where the figure is painted, inside the room its focus frame takes. */
    QRectF figureRect() const;

signals:
    /** Item @p item was clicked, or chosen from the keyboard. */
    void chosen(int item);

protected:
    const JournalStatistics &statistics() const { return m_statistics; }
    virtual int itemCount() const = 0;
    /** The item painted at @p at; -1 for none. */
    virtual int itemAt(QPointF at) const = 0;
    virtual QString itemText(int item) const = 0;
    virtual QString description() const = 0;
    /** Where @p key moves the keyboard from @p item: a step back or on by default. */
    virtual int moved(int item, int key) const;
    virtual void paintFigure(QPainter &painter, const FigureStyle &style, int focused) = 0;

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void setCurrent(int item);

    QString m_title;
    JournalStatistics m_statistics;
    int m_current = 0;
    int m_pressed = -1;
};

/** The 44 cards as a grid, 11 by 4 or narrower; an item is a card of the deck. */
class DeckGridFigure : public StatisticsFigure
{
    Q_OBJECT

public:
    explicit DeckGridFigure(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    int itemCount() const override;
    int itemAt(QPointF at) const override;
    QString itemText(int item) const override;
    QString description() const override;
    int moved(int item, int key) const override;
    void paintFigure(QPainter &painter, const FigureStyle &style, int focused) override;

private:
    /** The columns the grid has at its present width. */
    int columns() const;
    /** @p style with its cards as large as cells of @p width over @p columns make them. */
    static FigureStyle grown(FigureStyle style, qreal width, int columns);

    CardThumbnails m_thumbnails;
};

/** The readings per week or month as bars; an item is a week or a month. */
class OverTimeFigure : public StatisticsFigure
{
    Q_OBJECT

public:
    explicit OverTimeFigure(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    int itemCount() const override;
    int itemAt(QPointF at) const override;
    QString itemText(int item) const override;
    QString description() const override;
    void paintFigure(QPainter &painter, const FigureStyle &style, int focused) override;
};

/** The readings of each spread as bars; an item is a spread, the card of the day last. */
class SpreadsFigure : public StatisticsFigure
{
    Q_OBJECT

public:
    explicit SpreadsFigure(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    int itemCount() const override;
    int itemAt(QPointF at) const override;
    QString itemText(int item) const override;
    QString description() const override;
    void paintFigure(QPainter &painter, const FigureStyle &style, int focused) override;
};

} // namespace Orvella
