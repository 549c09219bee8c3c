#include "accessibility.h"

#include "boardview.h"
#include "menucommand.h"
#include "surfacewidget.h"
#include "textline.h"

#include <QAccessibleWidget>

namespace {

// The client area holds what is on show: a widget hidden for good, as the
// picture store Image2 is, is not part of the window anyone sees.
class ClientAreaAccessible final : public QAccessibleWidget {
  public:
    explicit ClientAreaAccessible(QWidget* area) : QAccessibleWidget(area) {}

    int childCount() const override { return static_cast<int>(shown().size()); }
    QAccessibleInterface* child(int index) const override {
        const QWidgetList children = shown();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? static_cast<int>(shown().indexOf(child->object())) : -1;
    }

  private:
    QWidgetList shown() const {
        QWidgetList children;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !w->isHidden()) {
                children << w;
            }
        }
        return children;
    }
};

QAccessibleInterface* clientAreaInterface(QObject* object) {
    auto* area = qobject_cast<SurfaceWidget*>(object);
    return area ? new ClientAreaAccessible(area) : nullptr;
}

QAccessibleInterface* windowInterfaces(const QString&, QObject* object) {
    for (const auto make :
         {textLineInterface, boardInterface, menuCommandInterface, clientAreaInterface}) {
        if (QAccessibleInterface* found = make(object)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

void installAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(windowInterfaces);
        return true;
    }();
    (void)installed;
}
