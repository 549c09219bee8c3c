#include "textline.h"

#include <QAccessibleWidget>
#include <QLabel>

#include <algorithm>

namespace {

// Set by readAsText: the role the label is read in.
constexpr char textRole[] = "zanfriaTextRole";

QString spokenText(const QLabel& label) {
    return QString(label.text()).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

// A line of text that is read, never edited, selected or pointed at: it
// offers no selection, its caret stays at the start, and it has no
// character places to give.
class TextLineAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    TextLineAccessible(QLabel* label, QAccessible::Role role) : QAccessibleWidget(label, role) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? spoken() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString all = spoken();
        const qsizetype start = std::clamp<qsizetype>(startOffset, 0, all.size());
        const qsizetype end = std::clamp<qsizetype>(endOffset, start, all.size());
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(spoken().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

  private:
    QString spoken() const { return spokenText(*static_cast<const QLabel*>(object())); }
};

} // namespace

void readAsText(QLabel* label, QAccessible::Role role) {
    label->setProperty(textRole, static_cast<int>(role));
}

void showText(QLabel& label, const QString& text) {
    if (label.text() == text) {
        return;
    }
    label.setText(text);
    QAccessibleTextInsertEvent inserted(&label, 0, spokenText(label));
    QAccessible::updateAccessibility(&inserted);
}

QAccessibleInterface* textLineInterface(QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    const QVariant role = label ? label->property(textRole) : QVariant();
    return role.isValid()
               ? new TextLineAccessible(label, static_cast<QAccessible::Role>(role.toInt()))
               : nullptr;
}
