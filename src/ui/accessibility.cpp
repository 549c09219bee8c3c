#include "accessibility.h"

#include "board.h"
#include "rules.h"
#include "speech.h"
#include "surfacewidget.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>

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

// A command of the menu bar, as Qt reads one, and with its status tip for
// a description: Qt's own menu items have none.
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
            return QString(action()->text()).remove(QLatin1Char('&')); // no caption has "&&"
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
    QStringList keyBindingsForAction(const QString&) const override { return {mnemonic()}; }

  private:
    QAction* action() const { return static_cast<QAction*>(object()); }
    QMenuBar* bar() const { return static_cast<QMenuBar*>(action()->parent()); }
    QString mnemonic() const { return QKeySequence::mnemonic(action()->text()).toString(); }
};

class BoardAccessible;

// One slot of the board. It has no widget of its own: the board's interface
// makes it and deletes it.
class SlotAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    SlotAccessible(BoardAccessible& board, int slot) : board_(board), slot_(slot) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return (slot_ - 1) % slotsPerRow; }
    int rowIndex() const override { return (slot_ - 1) / slotsPerRow; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

  private:
    BoardAccessible& board_;
    int slot_;
};

// The board: a table whose cells are its slots, row by row. Nothing in it
// is ever selected.
class BoardAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit BoardAccessible(BoardView* board) : QAccessibleWidget(board, QAccessible::Table) {
        for (int slot = 1; slot <= slotCount; ++slot) {
            auto* cell = new SlotAccessible(*this, slot);
            slots_[static_cast<std::size_t>(slot - 1)] = cell;
            ids_[static_cast<std::size_t>(slot - 1)] =
                QAccessible::registerAccessibleInterface(cell);
        }
    }
    ~BoardAccessible() override {
        for (const QAccessible::Id id : ids_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    BoardView* board() const { return static_cast<BoardView*>(object()); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) {
            return static_cast<QAccessibleTableInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    int childCount() const override { return slotCount; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < slotCount ? slots_[static_cast<std::size_t>(index)] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto found = std::find(slots_.begin(), slots_.end(), child);
        return found == slots_.end() ? -1 : static_cast<int>(found - slots_.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (SlotAccessible* cell : slots_) {
            if (cell->rect().contains(x, y)) {
                return cell;
            }
        }
        return nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        const bool inside = row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
        return inside ? child(row * slotsPerRow + column) : nullptr;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return slotsPerRow; }
    int rowCount() const override { return slotCount / slotsPerRow; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {} // its shape never changes

  private:
    std::array<SlotAccessible*, slotCount> slots_{};
    std::array<QAccessible::Id, slotCount> ids_{};
};

bool SlotAccessible::isValid() const {
    return board_.isValid();
}
QWindow* SlotAccessible::window() const {
    return board_.window();
}
QAccessibleInterface* SlotAccessible::parent() const {
    return &board_;
}
QAccessibleInterface* SlotAccessible::table() const {
    return &board_;
}
QString SlotAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? board_.board()->slotText(slot_) : QString();
}
QRect SlotAccessible::rect() const {
    const BoardView* view = board_.board();
    const QRect r = view->slotRect(slot_);
    return QRect(view->mapToGlobal(r.topLeft()), r.size());
}
QAccessible::State SlotAccessible::state() const {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = board_.state().invisible;
    return s;
}

QAccessibleInterface* windowInterfaces(const QString&, QObject* object) {
    if (auto* label = qobject_cast<QLabel*>(object)) {
        const QVariant role = label->property(textRole);
        return role.isValid()
                   ? new TextLineAccessible(label, static_cast<QAccessible::Role>(role.toInt()))
                   : nullptr;
    }
    if (auto* board = qobject_cast<BoardView*>(object)) {
        return new BoardAccessible(board);
    }
    if (auto* area = qobject_cast<SurfaceWidget*>(object)) {
        return new ClientAreaAccessible(area);
    }
    if (auto* action = qobject_cast<QAction*>(object);
        action && !action->menu() && qobject_cast<QMenuBar*>(action->parent())) {
        return new MenuCommandAccessible(action);
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

BoardView::BoardView(const BoardPainter& board, const GameState& state, QWidget* parent)
    : QWidget(parent), board_(board), state_(state) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int slot = 1; slot <= slotCount; ++slot) {
        told_[static_cast<std::size_t>(slot - 1)] = held(slot);
    }
}

std::optional<Piece> BoardView::held(int slot) const {
    return isFilled(state_, slot) ? std::optional(state_.placed(slot)) : std::nullopt;
}

void BoardView::cover() {
    QRect all;
    for (int slot = 1; slot <= slotCount; ++slot) {
        all |= cellRect(board_.Shape1(slot));
    }
    setGeometry(all);
}

QRect BoardView::slotRect(int slot) const {
    return cellRect(board_.Shape1(slot)).translated(-pos());
}

QString BoardView::slotText(int slot) const {
    return slotDescription(state_, slot);
}

void BoardView::followGame() {
    for (int slot = 1; slot <= slotCount; ++slot) {
        const std::optional<Piece> now = held(slot);
        std::optional<Piece>& told = told_[static_cast<std::size_t>(slot - 1)];
        if (now == told) {
            continue;
        }
        told = now;
        if (QAccessible::isActive()) {
            QAccessibleEvent renamed(QAccessible::queryAccessibleInterface(this)->child(slot - 1),
                                     QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }
}
