#pragma once

// The road of one reading:
//   selection panel (fraMain): name + spread, cmdProceed
//   -> ValidateName -> the session (ReadingSession) draws the Reading
//   -> the session announces it; showSessionReading: ReadingReport (report runs)
//      rendered into RTB, card pictures loaded, turned where reversed,
//      placed for the spread
//   -> result panel (fraResult) in front: cmdSave, report links, cmdBack
//   -> cmdBack: the session puts the reading away, selection panel in front.
// cmdOpen, the command line and a second start's hand-over have the session
// read the Reading from a file, shown by the same showSessionReading. The session
// works out once per reading what each position shows; the card places and
// the card view (a click on a card) both draw from it.

#include "presentation/cardlayout.h"
#include "presentation/cardpicturecache.h"
#include "reading/reading.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QLabel;
class QTextBrowser;

namespace Ui {
class frmMain;
}

namespace Orvella {

class CardView;
class Platform;
class RandomSource;
class ReadingSession;
class ReportLinks;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    /** Shows the reading of @p session, which outlives the window. */
    MainWindow(ReadingSession &session, Platform &platform, RandomSource &random,
               QWidget *parent = nullptr);
    /** The same, with a session of its own, which goes with the window. */
    MainWindow(Platform &platform, RandomSource &random, QWidget *parent = nullptr);
    ~MainWindow() override;

    ReadingSession &session() const { return m_session; }
    const Reading &reading() const;

    /** Shows the reading on show once more: the report, the card pictures, the result panel. */
    void ShowReading();

    /**
     * Opens the reading in the file at @p path exactly as the open command opens
     * a chosen file: the same checks and refusal, the reading shown, and
     * readingOpened() emitted.
     */
    void openReading(const QString &path);

    /**
     * A reading handed over by a second start: opened as soon as no modal box
     * is in the way, and the window brought to the front. False, and nothing
     * opened, when the window is closed and the program ending.
     */
    bool receiveReading(const QString &path);

    /**
     * Adds @p command to the File menu, after the reading's commands and
     * before Exit: how capabilities built beside the window (the journal) offer
     * themselves. It works from either panel.
     */
    void addCommand(QAction *command);

    /** Opens the card view on position @p position of the reading on show. */
    void openCardView(int position);
    /**
     * Opens the card view on @p positions, which need not be the reading on
     * show (the card of the day is one), at the one at @p index.
     */
    void openCardView(const QList<ShownPosition> &positions, int index = 0);
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
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showSessionReading();
    /** The report's view (RTB) between cmdSave and cmdBack, made the first time it is needed. */
    QTextBrowser *reportView();
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

    ReadingSession &m_session;
    std::unique_ptr<Ui::frmMain> m_ui;
    Platform &m_platform;
    RandomSource &m_random;
    ReportLinks *m_links = nullptr;
    QTextBrowser *m_reportView = nullptr;
    CardPictureCache m_pictures;
    QPointer<CardView> m_cardView;
    std::array<QLabel *, CardLayout::SlotCount> m_picCard{};
    std::array<QLabel *, CardLayout::SlotCount> m_lblCardNo{};
    qint16 m_coBrandNumber = 0;
};

} // namespace Orvella
