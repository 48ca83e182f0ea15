#pragma once

#include "reading/shownposition.h"

#include <QDialog>
#include <QList>

#include <memory>

namespace Ui {
class CardView;
}

namespace Orvella {

class ReadingSession;

/**
 * One card seen large, beside everything the deck says of it. In reading mode
 * it steps through the positions of the reading on show; in deck mode through
 * the 44 cards, upright, as the deck's meanings. Left / Right and Page Up /
 * Page Down step, Home / End jump to the ends, Esc closes. It only shows what
 * it is given and never changes a reading.
 */
class CardView : public QDialog
{
    Q_OBJECT

public:
    /** The reading on show, the whole deck, or cards of their own (the card of the day, say). */
    enum class Mode { Reading, Deck, Cards };

    explicit CardView(QWidget *parent = nullptr);
    ~CardView() override;

    /**
     * Follows the reading on show in @p session: a new reading is followed from
     * its first card while the view shows a reading, and the view closes when
     * that reading is put away.
     */
    void follow(const ReadingSession &session);

    /** Shows the positions of a reading, from the one at @p index. */
    void showReading(const QList<ShownPosition> &positions, int index);
    /** Shows @p positions that are not the reading on show, from the one at @p index. */
    void showCards(const QList<ShownPosition> &positions, int index = 0);
    /** Shows the whole deck in deck order, upright, from card @p index. */
    void showDeck(int index = 0);

    Mode mode() const { return m_mode; }
    /** Which entry is on show, counted from 0, and how many there are. */
    int currentIndex() const { return m_current; }
    int count() const { return int(m_entries.size()); }

    /** Shows entry @p index, kept within the first and the last. */
    void stepTo(int index);

signals:
    /** The user asked to see the whole reading again. */
    void readingRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setupLook();
    void setupKeys();
    /** @p positions seen large in @p mode, from the one at @p index. */
    void showEntries(Mode mode, const QList<ShownPosition> &positions, int index);
    void showCurrent();
    void showPicture();
    QSize pictureSizeForRoom() const;

    std::unique_ptr<Ui::CardView> m_ui;
    QList<ShownPosition> m_entries;
    int m_current = 0;
    Mode m_mode = Mode::Reading;
    qreal m_pictureRatio = 0;
    QSize m_pictureSize;
};

} // namespace Orvella
