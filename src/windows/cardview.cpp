#include "cardview.h"

#include "ui_cardview.h"

#include "oracle/carddeck.h"
#include "presentation/cardpictures.h"
#include "presentation/readingfont.h"
#include "presentation/shownpicture.h"
#include "product/product.h"
#include "reading/readingreport.h"
#include "reading/reportrun.h"
#include "reportview.h"
#include "session/readingsession.h"

#include <QScreen>
#include <QScrollBar>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QWindow>

namespace Orvella {

namespace {

void setLook(QLabel *label, quint32 rgb, qreal pointSize, bool bold, bool italic = false)
{
    QFont font = readingFont(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(QRgb(rgb)));
    label->setPalette(palette);
}

void setShownText(QLabel *label, const QString &text, bool shown = true)
{
    label->setText(text);
    label->setVisible(shown && !text.isEmpty());
}

} // namespace

CardView::CardView(QWidget *parent) : QDialog(parent), m_ui(std::make_unique<Ui::CardView>())
{
    m_ui->setupUi(this);
    setupLook();
    setupKeys();

    connect(m_ui->cmdPrevious, &QPushButton::clicked, this, [this] { stepTo(m_current - 1); });
    connect(m_ui->cmdNext, &QPushButton::clicked, this, [this] { stepTo(m_current + 1); });
    connect(m_ui->cmdClose, &QPushButton::clicked, this, [this] {
        close();
        if (m_mode == Mode::Reading)
            emit readingRequested();
    });
}

CardView::~CardView() = default;

void CardView::setupLook()
{
    setFont(readingFont());
    // The report's page, its buttons too in the style's own light colours: a
    // dark theme's buttons would stand on it as dark blocks.
    setPalette(onReportPage(style()->standardPalette()));
    setAutoFillBackground(true);
    m_ui->textArea->setFocusPolicy(Qt::NoFocus);

    setLook(m_ui->lblPosition, ReportColour::Navy, 11, true);
    setLook(m_ui->lblPositionTitle, ReportColour::Black, 10, false);
    setLook(m_ui->lblName, ReportColour::Maroon, 18, true);
    setLook(m_ui->lblKeyword, ReportColour::Teal, 12, false, true);
    for (QLabel *heading :
         {m_ui->lblMeaningHeading, m_ui->lblReverseHeading, m_ui->lblMedicalHeading})
        setLook(heading, ReportColour::Navy, 9.75, true);
    for (QLabel *body : {m_ui->lblMeaning, m_ui->lblReverse, m_ui->lblMedical})
        setLook(body, ReportColour::Black, 9.75, false);
    // Room above each heading, so the texts read as sections.
    for (QLabel *heading :
         {m_ui->lblMeaningHeading, m_ui->lblReverseHeading, m_ui->lblMedicalHeading})
        heading->setContentsMargins(0, 8, 0, 0);

    m_ui->cmdPrevious->setAccessibleName(QStringLiteral("Previous card"));
    m_ui->cmdNext->setAccessibleName(QStringLiteral("Next card"));
}

void CardView::setupKeys()
{
    const auto bind = [this](QKeySequence key, auto step) {
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, step);
    };
    const auto previous = [this] {
        stepTo(m_current - 1);
    };
    const auto next = [this] {
        stepTo(m_current + 1);
    };
    bind(QKeySequence(Qt::Key_Left), previous);
    bind(QKeySequence(Qt::Key_PageUp), previous);
    bind(QKeySequence(Qt::Key_Right), next);
    bind(QKeySequence(Qt::Key_PageDown), next);
    bind(QKeySequence(Qt::Key_Home), [this] { stepTo(0); });
    bind(QKeySequence(Qt::Key_End), [this] { stepTo(count() - 1); });
}

void CardView::follow(const ReadingSession &session)
{
    const auto followShown = [this, &session] {
        if (isVisible() && m_mode == Mode::Reading)
            showReading(session.positions(), 0);
    };
    connect(&session, &ReadingSession::readingShown, this, followShown);
    connect(&session, &ReadingSession::readingRefreshed, this, followShown);
    // The reading is gone: its cards are no longer shown large either.
    connect(&session, &ReadingSession::readingCleared, this, [this] {
        if (m_mode == Mode::Reading)
            close();
    });
}

void CardView::showReading(const QList<ShownPosition> &positions, int index)
{
    showEntries(Mode::Reading, positions, index);
}

void CardView::showCards(const QList<ShownPosition> &positions, int index)
{
    // Not the reading: it is neither followed nor gone back to.
    showEntries(Mode::Cards, positions, index);
}

void CardView::showEntries(Mode mode, const QList<ShownPosition> &positions, int index)
{
    m_mode = mode;
    m_entries = positions;
    m_current = qBound(0, index, qMax(0, count() - 1));
    showCurrent();
}

void CardView::showDeck(int index)
{
    m_mode = Mode::Deck;
    m_entries.clear();
    m_entries.reserve(CardDeck::CardCount);
    for (int card = 0; card < CardDeck::CardCount; ++card)
        m_entries.append(shownDeckCard(card));
    m_current = qBound(0, index, count() - 1);
    showCurrent();
}

void CardView::stepTo(int index)
{
    const int bounded = qBound(0, index, qMax(0, count() - 1));
    if (bounded == m_current)
        return;
    m_current = bounded;
    showCurrent();
}

void CardView::showCurrent()
{
    if (m_entries.isEmpty())
        return;
    const ShownPosition &shown = m_entries[m_current];
    const bool deck = m_mode == Mode::Deck;
    const Card text = shown.text.value_or(Card{});

    setWindowTitle(Product::titled(text.name));
    // A card alone (the card of the day) has no number among others, nor others to step to.
    const bool alone = count() == 1;
    setShownText(m_ui->lblPosition, shown.numberText(), !deck && !alone);
    setShownText(m_ui->lblPositionTitle, shown.title, !deck);
    setShownText(m_ui->lblName, text.name);
    setShownText(m_ui->lblKeyword, text.keyword);
    setShownText(m_ui->lblOrientation,
                 shown.reversed ? QStringLiteral("Reversed") : QStringLiteral("Upright"), !deck);
    setLook(m_ui->lblOrientation, shown.reversed ? ReportColour::Maroon : ReportColour::Olive, 9.75,
            true);
    // A reading shows the meaning its card lies in; the deck shows both.
    const bool reversed = !deck && shown.reversed;
    setShownText(m_ui->lblMeaningHeading, ReportWords::description(reversed));
    setShownText(m_ui->lblMeaning, reversed ? text.reverse : text.upright);
    setShownText(m_ui->lblReverseHeading, ReportWords::description(true), deck);
    setShownText(m_ui->lblReverse, text.reverse, deck);
    setShownText(m_ui->lblMedicalHeading, ReportWords::medicalInterpretation());
    setShownText(m_ui->lblMedical, text.medical);
    m_ui->textArea->verticalScrollBar()->setValue(0);

    m_ui->lblStep->setText(QStringLiteral("%1 of %2").arg(m_current + 1).arg(count()));
    m_ui->cmdPrevious->setEnabled(m_current > 0);
    m_ui->cmdNext->setEnabled(m_current < count() - 1);
    for (QWidget *stepping :
         {static_cast<QWidget *>(m_ui->lblStep), static_cast<QWidget *>(m_ui->cmdPrevious),
          static_cast<QWidget *>(m_ui->cmdNext)})
        stepping->setVisible(!alone);
    m_ui->cmdClose->setText(m_mode == Mode::Reading ? QStringLiteral("Back to the &Reading")
                                                    : QStringLiteral("&Close"));
    showPicture();
}

void CardView::showPicture()
{
    if (m_entries.isEmpty())
        return;
    const ShownPosition &shown = m_entries[m_current];
    m_pictureRatio = devicePixelRatioF();
    m_pictureSize = pictureSizeForRoom();
    m_ui->picCardLarge->setPixmap(
        QPixmap::fromImage(shownPicture(shown, m_pictureSize, m_pictureRatio)));
    m_ui->picCardLarge->setAccessibleName(shown.accessibleName);
}

void CardView::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (isVisible() && pictureSizeForRoom() != m_pictureSize)
        showPicture();
}

QSize CardView::pictureSizeForRoom() const
{
    // As large as the window lets it be, in the card's proportions; never smaller than designed.
    return cardDesignSize.scaled(m_ui->picCardLarge->size(), Qt::KeepAspectRatio)
        .expandedTo(cardDesignSize);
}

void CardView::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the button the keys are at, as in the main window. None
    // is the dialog's default: Enter elsewhere in the view presses nothing.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (auto *button = qobject_cast<QPushButton *>(focusWidget()); enter && button) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CardView::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Moved to a screen of another density: the drawing made for that one.
    if (QWindow *window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, &CardView::showPicture,
                Qt::UniqueConnection);
    }
    // Shown again at another size than it was left at (the desktop's choice),
    // or moved to a screen of another density meanwhile: drawn for what it is now.
    if (!qFuzzyCompare(devicePixelRatioF(), m_pictureRatio)
        || pictureSizeForRoom() != m_pictureSize)
        showPicture();
}

} // namespace Orvella
