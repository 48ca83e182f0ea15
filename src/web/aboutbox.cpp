#include "aboutbox.h"
#include "ui_aboutbox.h"

#include "linkcommands.h"
#include "linklabel.h"
#include "presentation/cardlayout.h"
#include "product/product.h"
#include "product/webaddresses.h"
#include "programicon.h"

#include <QIcon>

namespace Orvella {

namespace {

// The dialog's client area is 6210 x 3525 twips.
constexpr QSize ClientSize(6210 / CardLayout::TwipsPerPixel, 3525 / CardLayout::TwipsPerPixel);

} // namespace

AboutBox::AboutBox(Platform &platform, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_ui(std::make_unique<Ui::AboutBox>()), m_platform(platform)
{
    m_ui->setupUi(this);
    setWindowTitle(Product::windowCaption());
    m_ui->Label2->setText(Product::windowCaption());
    setAccessibleName(QStringLiteral("About ") + Product::name());
    setFixedSize(ClientSize);

    m_ui->picIcon->setPixmap(programIcon().pixmap(QSize(32, 32), devicePixelRatio()));

    m_ui->lblHomePage->setText(QStringLiteral("Click here to visit ")
                                              + WebAddresses::makerHome().toString());

    makeLinkLabel(m_ui->lblHomePage, [this] { OpenMakerHome(m_platform); });
    makeLinkLabel(m_ui->lblCoBrand, [this] { OpenFullBrandPage(m_platform); });

    // Enter presses the default button; Esc rejects, which closes the box just the same.
    m_ui->cmdOK->setDefault(true);
    m_ui->cmdOK->setFocus();
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

AboutBox::~AboutBox() = default;

} // namespace Orvella
