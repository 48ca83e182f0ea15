#include "linklabel.h"

#include "linklabelaccessible.h"

#include "presentation/pngresource.h"

#include <QCursor>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <utility>

namespace Orvella {

namespace {

// A pointing hand: the index finger points straight up, its tip at the top.
QPixmap drawnLinkCursor()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);

    QPainterPath hand;
    // Index finger.
    hand.moveTo(8, 4);
    hand.cubicTo(8, 0.5, 12, 0.5, 12, 4);
    hand.lineTo(12, 13);
    // Middle, ring and little fingers, folded: three knuckles along the top.
    hand.cubicTo(12, 11, 16, 11, 16, 13.5);
    hand.cubicTo(16, 11.5, 20, 11.5, 20, 14);
    hand.cubicTo(20, 12.5, 24, 12.5, 24, 15);
    hand.lineTo(24, 22);
    // Heel of the hand and the wrist.
    hand.cubicTo(24, 26, 22, 28, 21, 30);
    hand.lineTo(10, 30);
    hand.cubicTo(9, 28, 7, 26, 5, 23);
    // Thumb, resting against the palm.
    hand.lineTo(2, 18);
    hand.cubicTo(1, 16, 3, 14.5, 5, 16);
    hand.lineTo(8, 19);
    hand.closeSubpath();

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    // Creases between the folded fingers.
    painter.setPen(QPen(Qt::black, 0.9));
    painter.drawLine(QPointF(16, 13.5), QPointF(16, 18));
    painter.drawLine(QPointF(20, 14), QPointF(20, 18.5));
    painter.end();
    return picture;
}

QPixmap linkCursorPicture()
{
    // The drawn resource wins when the build has it; same tip position.
    const QString resource = QStringLiteral(":/icons/linkcursor.png");
    const QImage picture = readPng(resource);
    if (picture.size() == QSize(32, 32))
        return QPixmap::fromImage(picture);
    return drawnLinkCursor();
}

// Turns a press followed by a release over the same widget into one click, as
// a push button does. A double click is two clicks: each opens the page.
class ClickFilter : public QObject
{
public:
    ClickFilter(QWidget *widget, std::function<void()> onClick)
        : QObject(widget), m_widget(widget), m_onClick(std::move(onClick))
    {}

    void click() const
    {
        // Copy: the action may open a modal window or even destroy the widget.
        const std::function<void()> action = m_onClick;
        if (action)
            action();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_widget)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                m_pressed = true;
            break;
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() != Qt::LeftButton || !m_pressed)
                break;
            m_pressed = false;
            if (m_widget->rect().contains(mouse->position().toPoint()) && m_onClick) {
                click();
                return true;
            }
            break;
        }
        case QEvent::Leave:
        case QEvent::Hide:
            m_pressed = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget *m_widget;
    std::function<void()> m_onClick;
    bool m_pressed = false;
};

// The hand is set as the pointer first enters: made as the label is, its
// picture (the first one a window decodes) cost the start 0.5 ms.
class HandWhenPointedAt : public QObject
{
public:
    explicit HandWhenPointedAt(QWidget *widget) : QObject(widget) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Enter && watched == parent()) {
            static_cast<QWidget *>(watched)->setCursor(linkCursor());
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

// The finger points up, so the click lands where the topmost drawn row is.
QPoint fingerTip(const QPixmap &picture)
{
    const QImage image = picture.toImage();
    for (int y = 0; y < image.height(); ++y) {
        int first = -1;
        int last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 128) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first >= 0)
            return QPoint((first + last) / 2, y);
    }
    return QPoint(0, 0);
}

} // namespace

const QCursor &linkCursor()
{
    // Never freed: a pixmap cursor must not outlive the application object.
    static const QCursor *cursor = [] {
        const QPixmap picture = linkCursorPicture();
        const QPoint tip = fingerTip(picture);
        return new QCursor(picture, tip.x(), tip.y());
    }();
    return *cursor;
}

void makeLinkLabel(QLabel *label, std::function<void()> onClick)
{
    if (!label)
        return;
    label->installEventFilter(new HandWhenPointedAt(label));
    makeClickable(label, std::move(onClick));
    exposeAsLink(label);
}

void makeClickable(QWidget *widget, std::function<void()> onClick)
{
    if (widget)
        widget->installEventFilter(new ClickFilter(widget, std::move(onClick)));
}

bool click(QWidget *widget)
{
    if (!widget)
        return false;
    for (QObject *child : widget->children()) {
        // The filter has no meta-object of its own, so findChild() would take any child.
        if (const auto *filter = dynamic_cast<const ClickFilter *>(child)) {
            filter->click();
            return true;
        }
    }
    return false;
}

} // namespace Orvella
