#include "menucommand.h"

#include <QAccessibleObject>
#include <QAction>
#include <QKeySequence>
#include <QMenuBar>

namespace {

class MenuCommandAccessible final : public QAccessibleObject, public QAccessibleActionInterface {
  public:
    explicit MenuCommandAccessible(QAction* action) : QAccessibleObject(action) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(bar());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return caption().remove(QLatin1Char('&')); // no caption has "&&"
        case QAccessible::Description:
            return action()->statusTip();
        case QAccessible::Accelerator:
            return mnemonic();
        default:
            return {};
        }
    }
    QRect rect() const override {
        const QRect r = bar()->actionGeometry(action());
        return QRect(bar()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !bar()->isVisible() || !action()->isVisible();
        s.disabled = !action()->isEnabled();
        s.focused = bar()->activeAction() == action();
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && action()->isEnabled()) {
            action()->trigger();
        }
    }
    // As menu items give theirs: access key, path (none on a bar), shortcut.
    QStringList keyBindingsForAction(const QString&) const override {
        return {mnemonic(), QString(), action()->shortcut().toString()};
    }

  private:
    QAction* action() const { return static_cast<QAction*>(object()); }
    QMenuBar* bar() const { return static_cast<QMenuBar*>(action()->parent()); }
    // The text shown on the bar ends with the shortcut, after a tab.
    QString caption() const { return action()->text().section(QLatin1Char('\t'), 0, 0); }
    QString mnemonic() const { return QKeySequence::mnemonic(caption()).toString(); }
};

} // namespace

QAccessibleInterface* menuCommandInterface(QObject* object) {
    auto* action = qobject_cast<QAction*>(object);
    return action && !action->menu() && qobject_cast<QMenuBar*>(action->parent())
               ? new MenuCommandAccessible(action)
               : nullptr;
}
