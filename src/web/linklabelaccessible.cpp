#include "linklabelaccessible.h"

#include "linklabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace Orvella {

namespace {

const char LinkProperty[] = "orvellaLink";

class LinkLabelAccessible : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        // Heard as it reads, whatever short name it may once have been given.
        if (t == QAccessible::Name)
            return static_cast<QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        return s;
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction())
            click(widget());
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *linkLabels(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel") && object && object->property(LinkProperty).toBool())
        return new LinkLabelAccessible(static_cast<QLabel *>(object));
    return nullptr;
}

} // namespace

void exposeAsLink(QLabel *label)
{
    // Asked for only when an assistive tool is about: until then this costs a flag.
    static const bool installed = [] {
        QAccessible::installFactory(linkLabels);
        return true;
    }();
    Q_UNUSED(installed);
    label->setProperty(LinkProperty, true);
    forgetAccessibleInterface(label);
}

void forgetAccessibleInterface(QObject *object)
{
    // Qt describes a widget once, as soon as its text or name is first set,
    // even with no assistive tool about: a label made a link later would stay
    // a plain label. There is no asking whether it was described, only asking
    // for it, so this makes one at worst and drops it: a few allocations.
    if (object) {
        if (QAccessibleInterface *known = QAccessible::queryAccessibleInterface(object))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
    }
}

} // namespace Orvella
