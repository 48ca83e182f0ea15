#include "reportviewguard.h"

#include "platform/platform.h"
#include "reportview.h"

#include <QKeyEvent>
#include <QTextBrowser>

namespace Orvella {

namespace {

bool isCopyKey(const QKeyEvent *key)
{
    // QTextEdit honours these even when its text is not selectable.
    return key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Copy)
           || key->matches(QKeySequence::Cut);
}

} // namespace

ReportViewGuard::ReportViewGuard(QTextBrowser *view, Platform &platform)
    : QObject(view), m_view(view), m_platform(platform)
{
    view->setReadOnly(true);
    view->setUndoRedoEnabled(false);
    view->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    view->setOpenLinks(false);
    view->setOpenExternalLinks(false);
    view->setContextMenuPolicy(Qt::PreventContextMenu);
    view->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    view->viewport()->setMouseTracking(true);

    const QPalette palette = onReportPage(view->palette());
    view->setPalette(palette);
    view->viewport()->setPalette(palette);
    view->viewport()->setAutoFillBackground(true);

    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    connect(view, &QTextBrowser::textChanged, this, [this] { m_platform.clearClipboardIfOwned(); });
}

bool ReportViewGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        if (watched == m_view && isCopyKey(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
        break;
    case QEvent::ContextMenu:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (watched == m_view->viewport())
            m_platform.clearClipboardIfOwned();
        break;
    default:
        break;
    }
    return false;
}

} // namespace Orvella
