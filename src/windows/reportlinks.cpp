#include "reportlinks.h"

#include "web/linkcommands.h"

#include <QMouseEvent>
#include <QTextBrowser>

namespace Orvella {

ReportLinks::ReportLinks(Platform &platform, QObject *parent)
    : QObject(parent), m_platform(platform)
{}

ReportLinks::~ReportLinks()
{
    UnhookReportLinks();
}

void ReportLinks::HookReportLinks(QTextBrowser *view)
{
    if (!view || m_view == view)
        return;
    UnhookReportLinks();
    m_view = view;
    m_viewport = view->viewport();
    m_viewport->installEventFilter(this);
}

void ReportLinks::UnhookReportLinks()
{
    // The viewport may already be gone when the view is being destroyed.
    if (m_viewport)
        m_viewport->removeEventFilter(this);
    m_view = nullptr;
    m_viewport = nullptr;
}

bool ReportLinks::eventFilter(QObject *watched, QEvent *event)
{
    // Only a live view gets mouse presses, so m_view is touched only then.
    if (event->type() == QEvent::MouseButtonPress && watched == m_viewport.data() && m_view) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() == Qt::LeftButton) {
            const QString anchor = m_view->anchorAt(press->position().toPoint());
            // ShellOpen lets nothing but http and https through.
            if (!anchor.isEmpty())
                ShellOpen(m_platform, QUrl(anchor, QUrl::StrictMode));
        }
    }
    // The view still handles every event itself.
    return false;
}

} // namespace Orvella
