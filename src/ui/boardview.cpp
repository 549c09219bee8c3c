#include "boardview.h"

#include "board.h"
#include "rules.h"
#include "speech.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace {

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
    int columnIndex() const override { return columnOf(slot_); }
    int rowIndex() const override { return rowOf(slot_); }
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
        return inside ? child(slotAt(row, column) - 1) : nullptr;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return slotsPerRow; }
    int rowCount() const override { return ::rowCount; }
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

} // namespace

QAccessibleInterface* boardInterface(QObject* object) {
    auto* board = qobject_cast<BoardView*>(object);
    return board ? new BoardAccessible(board) : nullptr;
}

BoardView::BoardView(const BoardPainter& board, const GameState& state, QWidget* parent)
    : QWidget(parent), board_(board), state_(state) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int slot = 1; slot <= slotCount; ++slot) {
        told_[static_cast<std::size_t>(slot - 1)] = pieceIn(state_, slot);
    }
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
    return slotDescription(slot, pieceIn(state_, slot));
}

void BoardView::followGame() {
    for (int slot = 1; slot <= slotCount; ++slot) {
        const std::optional<Piece> now = pieceIn(state_, slot);
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
