#pragma once

#include <QObject>

class QTextBrowser;

namespace Orvella {

class Platform;

/**
 * Keeps the report's text out of the clipboard: the view it guards shows links
 * but lets no text be selected, copied, dragged or offered in a context menu,
 * and each change, click or mouse movement over it clears the clipboard when
 * this program owns it. It also pins the view to black on white whatever the theme.
 */
class ReportViewGuard : public QObject
{
    Q_OBJECT

public:
    ReportViewGuard(QTextBrowser *view, Platform &platform);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTextBrowser *m_view;
    Platform &m_platform;
};

} // namespace Orvella
