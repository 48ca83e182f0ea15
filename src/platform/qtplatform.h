#pragma once

#include "platform.h"

class QMimeData;

namespace Orvella {

/**
 * Whether the report view may empty a clipboard holding @p content: only when
 * this program @p owns it, and never when it holds a picture and no text,
 * which can only be one the user copied.
 */
bool mayClearClipboard(bool owns, const QMimeData *content);

/** The real desktop, through Qt. */
class QtPlatform : public Platform
{
public:
    void openUrl(const QUrl &url) override;
    Answer showMessage(QWidget *parent, const QString &text, Icon icon, Buttons buttons) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &defaultSuffix, const QString &suggestedName = {}) override;
    QStringList openFileNames(QWidget *parent, const QString &title,
                              const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &defaultSuffix) override;
    bool print(QWidget *parent, const QString &documentName,
               const std::function<void(QPagedPaintDevice &)> &paint) override;
    void copyImage(const QImage &picture) override;
    void clearClipboardIfOwned() override;
    QDateTime now() const override;
};

} // namespace Orvella
