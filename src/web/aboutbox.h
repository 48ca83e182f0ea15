#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutBox;
}

namespace Orvella {

class Platform;

/** frmAbout: the program's name and version, its maker and two links. */
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(Platform &platform, QWidget *parent = nullptr);
    ~AboutBox() override;

private:
    std::unique_ptr<Ui::AboutBox> m_ui;
    Platform &m_platform;
};

} // namespace Orvella
