#pragma once

#include <QObject>
#include <QPointer>

class QTextBrowser;

namespace Orvella {

class Platform;

/**
 * The report view's link handling: while installed, a left button press on an
 * address in the view opens it through the platform seam. Installed and removed
 * as a whole, so installing twice never opens a page twice.
 */
class ReportLinks : public QObject
{
    Q_OBJECT

public:
    explicit ReportLinks(Platform &platform, QObject *parent = nullptr);
    ~ReportLinks() override;

    /** Installs the handling on @p view; a second call while installed changes nothing. */
    void HookReportLinks(QTextBrowser *view);
    /** Removes the handling; nothing happens when it is not installed. */
    void UnhookReportLinks();

    bool isInstalled() const { return !m_view.isNull(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Platform &m_platform;
    QPointer<QTextBrowser> m_view;
    // Kept as a plain QObject: events can still arrive while the view and its
    // viewport are being destroyed, when casting to a widget type is undefined.
    QPointer<QObject> m_viewport;
};

} // namespace Orvella
