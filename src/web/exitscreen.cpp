#include "exitscreen.h"
#include "ui_exitscreen.h"

#include "linkcommands.h"
#include "linklabel.h"
#include "platform/platform.h"
#include "presentation/cardlayout.h"
#include "product/buildconfig.h"
#include "product/product.h"
#include "reading/randomsource.h"

#include <QCloseEvent>
#include <QFile>
#include <QFocusEvent>
#include <QIcon>
#include <QKeyEvent>

#include <array>
#include <cmath>

namespace Orvella {

namespace {

// The window's client area is 11115 x 4725 twips.
constexpr QSize ClientSize(11115 / CardLayout::TwipsPerPixel, 4725 / CardLayout::TwipsPerPixel);

const std::array<const char *, ExitScreen::SupportTextCount> SupportTexts = {
    "Programs like this one can be created and maintained only with the support of their "
    "users. The best support you can give is to visit the Orvella Softwares forum regularly "
    "and take part in its discussions and other activities.",

    "Please visit the Orvella Softwares forum regularly and support it by taking part in its "
    "discussions and activities. Without your regular visits, Orvella Softwares cannot go on "
    "supporting and maintaining programs like this one.",

    "The Orvella Softwares forum is a free online discussion forum about animal totems, oracle "
    "cards and divination. Visiting it regularly helps Orvella Softwares develop and maintain "
    "this software.",

    "The Orvella Softwares forum needs your help. Visiting it regularly and taking part in its "
    "discussions and activities keeps it alive and lets Orvella Softwares develop more programs "
    "like this one.",
};

const char *const PictureResource = ":/icons/exitpicture.png";

// Focus that goes with the window or to a popup menu stays with its box.
bool isWindowFocusReason(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

bool isSpaceKey(const QEvent *event)
{
    return event->type() == QEvent::KeyPress
           && static_cast<const QKeyEvent *>(event)->text() == QLatin1String(" ");
}

} // namespace

ExitScreen::ExitScreen(Platform &platform, RandomSource &random, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::ExitScreen>()), m_platform(platform)
{
    m_ui->setupUi(this);
    setWindowTitle(Product::windowCaption());
    m_ui->Label1->setText(Product::windowCaption());
    // Its heading bears the caption already: the window is named for what it is.
    setAccessibleName(Product::name() + QStringLiteral(" is closing"));
    setFixedSize(ClientSize);
    // Like a notice beside whatever the user is doing: it never takes the focus itself.
    setAttribute(Qt::WA_ShowWithoutActivating);

    // The load step: a fresh sequence, then the support text shown at exit.
    random.seedFromClock();
    m_ui->Label2->setText(supportText(supportTextIndex(random.next())));

    // Through QIcon, so a dense screen gets the @2x drawing rather than a stretched one.
    if (QFile::exists(QLatin1String(PictureResource))) {
        const QIcon picture{QString::fromLatin1(PictureResource)};
        m_ui->Picture1->setPixmap(picture.pixmap(m_ui->Picture1->size(), devicePixelRatioF()));
    }

    const QString makerSite = QLatin1String(BuildConfig::MainHost);
    m_ui->Check1->setText(QStringLiteral("Click Here To Visit ") + makerSite
                                         + QStringLiteral(" Now"));
    // A check box only answers clicks on its box and caption: make it no wider than those.
    m_ui->Check1->resize(qMin(m_ui->Check1->sizeHint().width(), m_ui->Check1->width()),
                         m_ui->Check1->height());

    for (QWidget *box :
         {static_cast<QWidget *>(m_ui->txtName), static_cast<QWidget *>(m_ui->txtEmail),
          static_cast<QWidget *>(m_ui->txtFriendName), static_cast<QWidget *>(m_ui->txtFriendEmail),
          static_cast<QWidget *>(m_ui->txtMessage)})
        box->installEventFilter(this);

    makeLinkLabel(m_ui->lblGoToHome, [this] { OpenSoftwareSite(m_platform); });
    connect(m_ui->cmdSubmit, &QPushButton::clicked, this, &ExitScreen::cmdSubmit_Click);
    connect(m_ui->Check1, &QCheckBox::clicked, this, &ExitScreen::Check1_Click);
    // The button closes the window, so both ways out take the same road.
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
    // Enter presses the button the keys are at, as in the main window.
    for (QPushButton *button : {m_ui->cmdSubmit, m_ui->cmdClose})
        button->setAutoDefault(true);
}

ExitScreen::~ExitScreen() = default;

int ExitScreen::supportTextIndex(double r)
{
    const double whole = std::floor(r * SupportTextCount);
    if (!(whole >= 0)) // also catches NaN
        return 0;
    return whole >= SupportTextCount - 1 ? SupportTextCount - 1 : static_cast<int>(whole);
}

QString ExitScreen::supportText(int index)
{
    if (index < 0 || index >= SupportTextCount)
        return QString();
    return QString::fromUtf8(SupportTexts[static_cast<std::size_t>(index)]);
}

void ExitScreen::SubmitReferral()
{
    if (const auto refusal = fieldRefusal(m_referral)) {
        refuse(*refusal);
        return;
    }
    ShellOpen(m_platform, referralAddress(m_referral));
}

bool ExitScreen::eventFilter(QObject *watched, QEvent *event)
{
    const QString placeholder = placeholderOf(watched);
    if (placeholder.isEmpty())
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn:
        // Coming back from another window or a context menu is no move between
        // the boxes: a right-click paste must not see the placeholder return.
        if (isWindowFocusReason(event) && m_focusAway == watched) {
            m_focusAway = nullptr;
            break;
        }
        m_focusAway = nullptr;
        if (trimBlanks(boxText(watched)) == placeholder)
            setBoxText(watched, QString());
        break;
    case QEvent::FocusOut:
        if (isWindowFocusReason(event)) {
            m_focusAway = watched;
            break;
        }
        if (trimBlanks(boxText(watched)).isEmpty())
            setBoxText(watched, placeholder);
        break;
    case QEvent::KeyPress:
        if ((watched == m_ui->txtEmail || watched == m_ui->txtFriendEmail) && isSpaceKey(event)) {
            refuse(QStringLiteral("Email Address Cannot Contain Space"));
            static_cast<QWidget *>(watched)->setFocus();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ExitScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit exitRequested();
}

void ExitScreen::cmdSubmit_Click()
{
    m_referral.name = trimBlanks(m_ui->txtName->text());
    m_referral.email = trimBlanks(m_ui->txtEmail->text());
    m_referral.message = trimBlanks(m_ui->txtMessage->toPlainText());
    m_referral.friendName = trimBlanks(m_ui->txtFriendName->text());
    m_referral.friendEmail = trimBlanks(m_ui->txtFriendEmail->text());

    if (const auto refusal = addressRefusal(m_referral)) {
        refuse(*refusal);
        return;
    }
    SubmitReferral();
}

void ExitScreen::Check1_Click()
{
    // The box only ever passes on the click: it never stays checked.
    if (!m_ui->Check1->isChecked())
        return;
    m_ui->Check1->setChecked(false);
    OpenMakerHome(m_platform);
}

QString ExitScreen::boxText(QObject *box) const
{
    if (box == m_ui->txtMessage)
        return m_ui->txtMessage->toPlainText();
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->text();
    return QString();
}

void ExitScreen::setBoxText(QObject *box, const QString &text)
{
    if (box == m_ui->txtMessage)
        m_ui->txtMessage->setPlainText(text);
    else if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
}

QString ExitScreen::placeholderOf(QObject *box) const
{
    if (!m_ui)
        return QString();
    if (box == m_ui->txtName)
        return QLatin1String(ReferralPlaceholders::Name);
    if (box == m_ui->txtEmail)
        return QLatin1String(ReferralPlaceholders::Email);
    if (box == m_ui->txtFriendName)
        return QLatin1String(ReferralPlaceholders::FriendName);
    if (box == m_ui->txtFriendEmail)
        return QLatin1String(ReferralPlaceholders::FriendEmail);
    if (box == m_ui->txtMessage)
        return QLatin1String(ReferralPlaceholders::Message);
    return QString();
}

void ExitScreen::refuse(const QString &message)
{
    m_platform.showMessage(this, message, Platform::Icon::Critical);
}

} // namespace Orvella
