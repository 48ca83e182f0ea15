#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "cardplacesaccessible.h"
#include "cardview.h"
#include "oracle/spreadcatalogue.h"
#include "platform/platform.h"
#include "presentation/cardlayout.h"
#include "presentation/readingfont.h"
#include "presentation/shownpicture.h"
#include "product/product.h"
#include "product/webaddresses.h"
#include "reading/randomsource.h"
#include "reading/readingreport.h"
#include "session/readingsession.h"
#include "web/aboutbox.h"
#include "web/cobrand.h"
#include "web/linkcommands.h"
#include "web/linklabel.h"
#include "windows/reportlinks.h"
#include "windows/reportview.h"
#include "windows/reportviewguard.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScrollBar>
#include <QTextBrowser>

namespace Orvella {

MainWindow::MainWindow(Platform &platform, RandomSource &random, QWidget *parent)
    : MainWindow(*new ReadingSession(platform, random), platform, random, parent)
{
    m_session.setParent(this);
}

MainWindow::MainWindow(ReadingSession &session, Platform &platform, RandomSource &random,
                       QWidget *parent)
    : QMainWindow(parent), m_session(session), m_ui(std::make_unique<Ui::frmMain>()),
      m_platform(platform), m_random(random)
{
    m_ui->setupUi(this);
    setWindowTitle(Product::windowCaption());
    // The client area below the menu bar is fixed; the window fits it exactly.
    m_ui->centralwidget->setFixedSize(630, 382);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_picCard = {m_ui->picCard0, m_ui->picCard1, m_ui->picCard2, m_ui->picCard3,
                 m_ui->picCard4, m_ui->picCard5, m_ui->picCard6};
    m_lblCardNo = {m_ui->lblCardNo0, m_ui->lblCardNo1, m_ui->lblCardNo2, m_ui->lblCardNo3,
                   m_ui->lblCardNo4, m_ui->lblCardNo5, m_ui->lblCardNo6};
    for (int slot = 0; slot < CardLayout::SlotCount; ++slot) {
        m_picCard[slot]->setScaledContents(true);
        // Its number is heard with the card, whose name says it.
        speakThroughParent(m_lblCardNo[slot]);
        // A card, or its number over it, clicked: the card seen large.
        for (QLabel *part : {m_picCard[slot], m_lblCardNo[slot]}) {
            part->setCursor(Qt::PointingHandCursor);
            makeClickable(part, [this, slot] { openCardView(slot); });
        }
    }

    setupFonts();
    setupMenus();
    setupLinkLabels();

    m_links = new ReportLinks(platform, this);

    m_ui->cboSpread->addItems(SpreadCatalogue::names());
    m_ui->cboSpread->setCurrentIndex(0);

    connect(m_ui->cmdProceed, &QPushButton::clicked, this, &MainWindow::cmdProceed_Click);
    connect(m_ui->cmdBack, &QPushButton::clicked, this, &MainWindow::cmdBack_Click);
    connect(m_ui->cmdSave, &QPushButton::clicked, this, &MainWindow::cmdSave_Click);
    connect(m_ui->cmdOpen, &QPushButton::clicked, this, &MainWindow::cmdOpen_Click);
    // Enter presses the button the keys are at, as in a dialog (see keyPressEvent()).
    for (QPushButton *button : {m_ui->cmdOpen, m_ui->cmdProceed, m_ui->cmdSave, m_ui->cmdBack})
        button->setAutoDefault(true);

    m_session.setDialogParent(this);
    connect(&m_session, &ReadingSession::readingShown, this, [this](ReadingSource source) {
        showSessionReading();
        if (source == ReadingSource::Opened || source == ReadingSource::HandedOver)
            emit readingOpened();
    });
    connect(&m_session, &ReadingSession::readingRefreshed, this, &MainWindow::showSessionReading);
    connect(&m_session, &ReadingSession::receiving, this, [this] {
        // Minimised, it would be raised out of sight: it is put back first.
        if (isMinimized())
            setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
        activateWindow();
        // The card view open above it follows the reading handed over: the keys go there.
        if (m_cardView && m_cardView->isVisible())
            presentCardView();
    });

    bringToFront(m_ui->fraMain);
    m_ui->txtName->setFocus();
}

MainWindow::~MainWindow()
{
    m_session.setDialogParent(nullptr);
}

const Reading &MainWindow::reading() const
{
    return m_session.reading();
}

void MainWindow::setupFonts()
{
    QFont number = readingFont(CardLayout::NumberPointSize);
    number.setBold(true);
    for (QLabel *label : m_lblCardNo)
        label->setFont(number);
}

void MainWindow::setupMenus()
{
    auto separator = [this](const char *name, QMenu *menu, QAction *before) {
        auto *action = new QAction(this);
        action->setSeparator(true);
        action->setObjectName(QLatin1String(name));
        menu->insertAction(before, action);
        return action;
    };
    // The astrology entry has nothing behind it; it and its separator stay out of sight.
    QAction *sep1 = separator("mnuSep1", m_ui->mnuFile, m_ui->mnuViewCards);
    sep1->setVisible(false);
    sep1->setEnabled(false);
    separator("mnuSep2", m_ui->mnuHelp, m_ui->mnuUpdate);
    // The make-money entry never shows, and off the bar it claims no key: on
    // it, its "&Online" made Alt+O ambiguous, and the open button then only
    // took the focus instead of opening.
    m_ui->menubar->removeAction(m_ui->mnuMakeMoney);
    separator("mnuSep3", m_ui->mnuHelp, m_ui->mnuCardMeanings);

    // Added beside the designed entries: the reading's cards seen large, which
    // keyboard users reach here, printing and exporting the reading, and the
    // deck's meanings.
    separator("mnuSep5", m_ui->mnuFile, m_ui->mnuPrint);
    separator("mnuSep4", m_ui->mnuFile, m_ui->mnuExit);
    m_ui->mnuViewCards->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_ui->mnuPrint->setShortcut(QKeySequence::Print);
    for (QAction *command : readingCommands())
        command->setEnabled(false);

    // Never enabled; were it chosen, it would start a reading as the button does.
    connect(m_ui->mnuCalculate, &QAction::triggered, this, &MainWindow::cmdProceed_Click);
    connect(m_ui->mnuViewCards, &QAction::triggered, this, [this] { openCardView(0); });
    connect(m_ui->mnuCardMeanings, &QAction::triggered, this, &MainWindow::openCardMeanings);
    connect(m_ui->mnuPrint, &QAction::triggered, this, [this] { m_session.print(); });
    connect(m_ui->mnuExportPdf, &QAction::triggered, this, [this] { m_session.exportPdf(); });
    connect(m_ui->mnuExportImage, &QAction::triggered, this,
            [this] { m_session.exportImage(devicePixelRatioF()); });
    connect(m_ui->mnuCopyImage, &QAction::triggered, this,
            [this] { m_session.copyImage(devicePixelRatioF()); });
    connect(m_ui->mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->mnuOnline, &QAction::triggered, this, [this] { OpenOnlineHelp(m_platform); });
    connect(m_ui->mnuVisit, &QAction::triggered, this, [this] { OpenMakerHome(m_platform); });
    connect(m_ui->mnuUpdate, &QAction::triggered, this, [this] { OpenDownloadPage(m_platform); });
    connect(m_ui->mnuAbout, &QAction::triggered, this, [this] {
        AboutBox about(m_platform, this);
        about.exec();
    });
    connect(m_ui->mnuDonate, &QAction::triggered, this, [this] { OpenDonatePage(m_platform); });
    connect(m_ui->mnuMakeMoney, &QAction::triggered, this,
            [this] { OpenFullBrandPage(m_platform); });
}

void MainWindow::setupLinkLabels()
{
    m_ui->Label14->setText(
        tr("Our forum is the most popular online discussion forum on the esoteric arts. "
           "Click here to visit it at %1.")
            .arg(WebAddresses::makerHome().host()));
    makeLinkLabel(m_ui->Label14, [this] { OpenMakerHome(m_platform); });
    makeLinkLabel(m_ui->lblCobrand, [this] { OpenCoBrandPage(m_platform); });
    makeLinkLabel(m_ui->lblFullBrand, [this] { OpenFullBrandPage(m_platform); });
    // In the stored order the full-brand label is in front.
    showOnlyTheFrontOne(m_ui->lblFullBrand, m_ui->lblCobrand);
}

void MainWindow::CoBrand_Randomize()
{
    m_coBrandNumber = Orvella::CoBrand_Randomize(m_random, m_ui->lblFullBrand, m_ui->lblCobrand);
}

void MainWindow::bringToFront(QWidget *panel)
{
    panel->show();
    panel->raise();
    // The panel behind stays in place, but hidden and disabled: neither its
    // accelerators, the tab key nor a screen reader may reach controls the
    // user cannot see. It lies wholly under the one in front, so hiding it
    // changes nothing that can be seen.
    const std::array<QWidget *, 2> panels{m_ui->fraMain, m_ui->fraResult};
    for (QWidget *each : panels) {
        each->setEnabled(each == panel);
        each->setVisible(each == panel);
    }
    for (QAction *command : readingCommands())
        command->setEnabled(panel == m_ui->fraResult);
}

QList<QAction *> MainWindow::readingCommands() const
{
    return {m_ui->mnuViewCards, m_ui->mnuPrint, m_ui->mnuExportPdf, m_ui->mnuExportImage,
            m_ui->mnuCopyImage};
}

bool MainWindow::ValidateName()
{
    // Only an empty box is refused; a name of blanks is a name.
    if (!m_ui->txtName->text().isEmpty())
        return true;
    m_platform.showMessage(this, QStringLiteral("Please Enter Your Name"),
                                                Platform::Icon::Critical);
    m_ui->txtName->setFocus();
    return false;
}

void MainWindow::cmdProceed_Click()
{
    if (!ValidateName())
        return;
    m_session.draw(m_ui->txtName->text(), qint16(m_ui->cboSpread->currentIndex()));
}

void MainWindow::cmdBack_Click()
{
    m_links->UnhookReportLinks();
    m_session.clear();
    forgetCardNames();
    bringToFront(m_ui->fraMain);
    m_ui->txtName->setFocus();
}

void MainWindow::cmdSave_Click()
{
    m_session.save();
}

void MainWindow::cmdOpen_Click()
{
    m_session.openChosenFile();
}

void MainWindow::openReading(const QString &path)
{
    m_session.openFile(path);
}

bool MainWindow::receiveReading(const QString &path)
{
    if (!isVisible())
        return false;
    m_session.receive(path);
    return true;
}

void MainWindow::ShowReading()
{
    m_session.refresh();
}

void MainWindow::showSessionReading()
{
    for (int slot = 0; slot < CardLayout::SlotCount; ++slot) {
        m_picCard[slot]->hide();
        m_lblCardNo[slot]->hide();
    }

    QTextBrowser *view = reportView();
    m_links->HookReportLinks(view);
    // The view is narrower than the forum's address: it wraps only between its parts.
    renderReport(
        view, ReadingReport::build(m_session.reading()),
        [this](int position) {
            if (position >= 0 && position < CardLayout::SlotCount) {
                m_picCard[position]->show();
                m_lblCardNo[position]->show();
            }
        },
        AddressWrap::AtSeparators);

    showCardPictures();
    placeCards();
    bringToFront(m_ui->fraResult);
    view->setFocus();
    // Shown and given the focus, the view scrolls to its insertion point, which
    // stays after the last run; the reader still starts at the top.
    view->verticalScrollBar()->setValue(0);
}

QTextBrowser *MainWindow::reportView()
{
    if (m_reportView)
        return m_reportView;
    m_reportView = new QTextBrowser(m_ui->fraResult);
    m_reportView->setObjectName(QStringLiteral("RTB"));
    m_reportView->setGeometry(440, 44, 185, 220);
    m_reportView->setAccessibleName(tr("Reading report"));
    // In its place among its neighbours: drawn, heard and tabbed to between
    // the two buttons, as if it had been made with them.
    m_reportView->stackUnder(m_ui->cmdBack);
    setTabOrder(m_ui->cmdSave, m_reportView);
    setTabOrder(m_reportView, m_ui->cmdBack);
    m_reportView->show();
    new ReportViewGuard(m_reportView, m_platform);
    return m_reportView;
}

void MainWindow::forgetCardNames()
{
    for (int slot = 0; slot < CardLayout::SlotCount; ++slot)
        m_picCard[slot]->setAccessibleName(tr("Card %1").arg(slot + 1));
}

void MainWindow::showCardPictures()
{
    // No card keeps a name from an earlier reading.
    forgetCardNames();
    const QList<ShownPosition> &positions = m_session.positions();
    const QList<QPixmap> pictures = m_pictures.pictures(positions.mid(0, CardLayout::SlotCount),
                                                        CardLayout::CardSize, devicePixelRatioF());
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        m_picCard[i]->setPixmap(pictures[i]);
        m_picCard[i]->setAccessibleName(positions[i].accessibleName);
    }
}

void MainWindow::placeCards()
{
    for (int slot = 0; slot < CardLayout::SlotCount; ++slot) {
        if (const auto place = CardLayout::place(m_session.reading().spreadIndex, slot)) {
            m_picCard[slot]->move(*place);
            m_lblCardNo[slot]->move(*place);
        }
    }
}

void MainWindow::addCommand(QAction *command)
{
    // The added commands get a group of their own, made with the first one.
    auto *added = findChild<QAction *>(QStringLiteral("mnuSep6"));
    if (!added) {
        added = new QAction(this);
        added->setSeparator(true);
        added->setObjectName(QStringLiteral("mnuSep6"));
        m_ui->mnuFile->insertAction(findChild<QAction *>(QStringLiteral("mnuSep4")), added);
    }
    m_ui->mnuFile->insertAction(findChild<QAction *>(QStringLiteral("mnuSep4")), command);
}

CardView *MainWindow::cardView() const
{
    return m_cardView;
}

CardView &MainWindow::loadedCardView()
{
    // Made on first use: nothing of it is loaded before the user asks.
    if (!m_cardView) {
        m_cardView = new CardView(this);
        m_cardView->follow(m_session);
        connect(m_cardView, &CardView::readingRequested, this, [this] {
            raise();
            activateWindow();
        });
    }
    return *m_cardView;
}

void MainWindow::presentCardView()
{
    m_cardView->show();
    m_cardView->raise();
    m_cardView->activateWindow();
}

void MainWindow::openCardView(int position)
{
    // Only the reading on show, never the one waiting behind the selection.
    if (!m_ui->fraResult->isEnabled() || position < 0 || position >= m_session.positions().size())
        return;
    loadedCardView().showReading(m_session.positions(), position);
    presentCardView();
}

void MainWindow::openCardView(const QList<ShownPosition> &positions, int index)
{
    if (positions.isEmpty())
        return;
    loadedCardView().showCards(positions, index);
    presentCardView();
}

void MainWindow::openCardMeanings()
{
    loadedCardView().showDeck(0);
    presentCardView();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter that no control took (in the name box, on the spread list) gets the
    // reading, as a dialog's default button would.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_ui->fraMain->isVisible()) {
        m_ui->cmdProceed->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_cardView)
        m_cardView->close();
    // Nobody will show a reading handed over from now on.
    m_session.dropReceived();
    emit closing();
    event->accept();
}

} // namespace Orvella
