#pragma once

#include "platform.h"

namespace Orvella {

/** The real desktop, through Qt. */
class QtPlatform : public Platform
{
public:
    void openUrl(const QUrl &url) override;
    Answer showMessage(QWidget *parent, const QString &text, Icon icon, Buttons buttons) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &defaultSuffix) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &filter) override;
    void clearClipboardIfOwned() override;
    QDate today() const override;
};

} // namespace Orvella
