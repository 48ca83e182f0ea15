#include "cardplacesaccessible.h"

#include "web/linklabelaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMenu>
#include <QWidget>

namespace Orvella {

namespace {

const char Silent[] = "orvellaSpeaksThroughParent";
const char HasSilentChildren[] = "orvellaHasSilentChildren";

// A container that lists its child widgets as Qt does, less the silent ones.
class ContainerAccessible : public QAccessibleWidget
{
public:
    explicit ContainerAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Border)
    {}

    int childCount() const override { return int(spoken().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = spoken();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children[index])
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(spoken().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> spoken() const
    {
        QList<QWidget *> children;
        for (QObject *object : widget()->children()) {
            auto *child = qobject_cast<QWidget *>(object);
            if (child && !child->isWindow() && !qobject_cast<QMenu *>(child)
                && !child->property(Silent).toBool())
                children.append(child);
        }
        return children;
    }
};

QAccessibleInterface *containers(const QString &className, QObject *object)
{
    if (className == QLatin1String("QFrame") && object
        && object->property(HasSilentChildren).toBool())
        return new ContainerAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void speakThroughParent(QWidget *overlay)
{
    // Asked for only when an assistive tool is about: until then this costs a flag.
    static const bool installed = [] {
        QAccessible::installFactory(containers);
        return true;
    }();
    Q_UNUSED(installed);
    overlay->setProperty(Silent, true);
    QWidget *parent = overlay->parentWidget();
    if (parent && !parent->property(HasSilentChildren).toBool()) {
        parent->setProperty(HasSilentChildren, true);
        forgetAccessibleInterface(parent);
    }
}

} // namespace Orvella
