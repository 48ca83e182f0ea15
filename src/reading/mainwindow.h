#pragma once

// The road of one reading, all on this window:
//   selection panel (fraMain): name + spread, cmdProceed
//   -> ValidateName -> Draw (draw.h) fills the current Reading
//   -> ShowReading: ReadingReport (report runs) rendered into RTB, card
//      pictures loaded, turned where reversed, placed for the spread
//   -> result panel (fraResult) in front: cmdSave, report links, cmdBack
//   -> cmdBack: links removed, tables emptied, selection panel in front.
// cmdOpen replaces the Reading from a file and runs the same ShowReading.
// What each position shows (shownPositions) is worked out once per reading;
// the card places and the card view (a click on a card) both draw from it.

#include "reading.h"

#include "presentation/cardpicturecache.h"
#include "presentation/shownposition.h"
#include "storage/readingexportcommands.h"
#include "storage/readingfilecommands.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QLabel;

namespace Ui {
class frmMain;
}

namespace Orvella {

class CardView;
class Platform;
class RandomSource;
class ReportLinks;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(Platform &platform, RandomSource &random, QWidget *parent = nullptr);
    ~MainWindow() override;

    const Reading &reading() const { return m_reading; }

    /** Shows the current reading: the report, the card pictures, the result panel in front. */
    void ShowReading();

    /**
     * Opens the reading in the file at @p path exactly as the open command opens
     * a chosen file: the same checks and refusal, the reading shown, and
     * readingOpened() emitted. The open button, the command line and a reading
     * handed over by a second start all come here.
     */
    void openReading(const QString &path);

    /**
     * A reading handed over by a second start: opened as soon as no modal box
     * is in the way, and the window brought to the front. False, and nothing
     * opened, when the window is closed and the program ending.
     */
    bool receiveReading(const QString &path);

    /** Opens the card view on position @p position of the reading on show. */
    void openCardView(int position);
    /** Opens the card view on the deck's meanings, from its first card. */
    void openCardMeanings();
    /** The card view, once it has been opened; null before. */
    CardView *cardView() const;

    /** Start-up's last step: brings one of the two marketing labels to the front at random. */
    void CoBrand_Randomize();
    qint16 intCoBrandRandomNumber() const { return m_coBrandNumber; }

signals:
    /** A reading was read from a file and is shown. */
    void readingOpened();
    /** The user closed the window; what follows is the application's business. */
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool ValidateName();
    void cmdProceed_Click();
    void cmdBack_Click();
    void cmdSave_Click();
    void cmdOpen_Click();

    void setupFonts();
    void setupMenus();
    void setupLinkLabels();
    void bringToFront(QWidget *panel);
    /** The commands that need a reading on show, enabled only while there is one. */
    QList<QAction *> readingCommands() const;
    void showCardPictures();
    void forgetCardNames();
    void placeCards();
    CardView &loadedCardView();
    void presentCardView();
    void openReceivedReadings();

    std::unique_ptr<Ui::frmMain> m_ui;
    Platform &m_platform;
    RandomSource &m_random;
    Reading m_reading;
    ReadingFileCommands m_files;
    ReadingExportCommands m_exports;
    ReportLinks *m_links = nullptr;
    CardPictureCache m_pictures;
    /** What the reading on show shows, position by position; empty behind the selection. */
    QList<ShownPosition> m_shown;
    QPointer<CardView> m_cardView;
    /** Handed-over readings waiting for a modal box to close. */
    QStringList m_receivedReadings;
    std::array<QLabel *, 7> m_picCard{};
    std::array<QLabel *, 7> m_lblCardNo{};
    qint16 m_coBrandNumber = 0;
};

} // namespace Orvella
