#include "lists/listview.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <cmath>

#include "run/keycodes.h"

namespace {

// Every row has the same height, which keeps a list of a million rows cheap
// to lay out and makes a row findable from a pointer position.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    FixedRowDelegate(const ListView* view, QObject* parent)
        : QStyledItemDelegate(parent), view_(view) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(view_->RowHeight());
        return s;
    }

private:
    const ListView* view_;
};

}  // namespace

ListView::ListView(QWidget* parent) : QTreeView(parent) {
    setModel(&model_);
    setItemDelegate(new FixedRowDelegate(this, this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setHeaderHidden(true);
    setMouseTracking(true);
    setTextElideMode(Qt::ElideRight);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    widths_.fill(0);
    applyColumnWidths();
    model_.SetBackground(palette().color(QPalette::Base));
}

int ListView::SelectedItem() const {
    const QModelIndex cur = currentIndex();
    return cur.isValid() ? cur.row() + 1 : 0;
}

bool ListView::Selected(int i) const {
    if (i < 1 || i > model_.Count()) return false;
    return selectionModel()->isRowSelected(i - 1, QModelIndex());
}

void ListView::SetSelected(int i, bool on) {
    if (i < 1 || i > model_.Count()) return;
    const QModelIndex idx = model_.index(i - 1, 0);
    if (on) {
        selectionModel()->setCurrentIndex(
            idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(idx);
    } else {
        selectionModel()->select(idx, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
}

void ListView::SetColumnWidth(int c, int twips) {
    if (c < 1 || c > ListModel::kColumns) return;
    widths_[size_t(c - 1)] = twips;
    applyColumnWidths();
}

void ListView::applyColumnWidths() {
    for (int c = 0; c < ListModel::kColumns; ++c) {
        const int px = int(std::lround(widths_[size_t(c)] / tppX_));
        setColumnHidden(c, px <= 0);
        if (px > 0) setColumnWidth(c, px);
    }
}

void ListView::SetBackColor(std::uint32_t color) {
    backColor_ = color;
    QPalette pal = palette();
    if (color == kSystemWindowColor)
        pal.setColor(QPalette::Base, QPalette().color(QPalette::Base));
    else
        pal.setColor(QPalette::Base, colorFromValue(color));
    setPalette(pal);
}

void ListView::SetTwipsPerPixel(double x, double y) {
    if (x <= 0 || y <= 0) return;
    tppX_ = x;
    tppY_ = y;
    applyColumnWidths();
}

void ListView::SetRowHeight(int pixels) {
    if (pixels < 1 || pixels == rowHeight_) return;
    rowHeight_ = pixels;
    // The delegate's hint changed: let the view measure its rows again.
    scheduleDelayedItemsLayout();
}

QRect ListView::RowRect(int i) const {
    if (i < 1 || i > model_.Count()) return {};
    return visualRect(model_.index(i - 1, 0));
}

void ListView::keyPressEvent(QKeyEvent* e) {
    const int original = keycodes::fromQt(e->key(), e->modifiers() & Qt::KeypadModifier);
    if (original && onKeyDown) {
        int code = original;
        onKeyDown(code, keycodes::shiftState(e->modifiers()));
        if (code != original) {
            // Swallowed (0) or turned into another key that the view itself
            // has no use for (Right becomes Enter).
            e->accept();
            return;
        }
    }
    const QString text = e->text();
    if (!text.isEmpty() && onKeyPress) {
        int ascii = text.at(0).unicode();
        onKeyPress(ascii);
        if (ascii == 0) {
            e->accept();
            return;
        }
    }
    // Enter would only emit activated(), which nothing uses.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QTreeView::keyPressEvent(e);
}

void ListView::focusInEvent(QFocusEvent* e) {
    const bool none = !currentIndex().isValid();
    QTreeView::focusInEvent(e);
    // Taking the focus chooses no row: a list just shown keeps no current
    // row, whether the window took the focus before the rows came or after,
    // so the first key starts from the list's ends.
    if (none && currentIndex().isValid() && !Selected(SelectedItem()))
        selectionModel()->clearCurrentIndex();
}

QModelIndex ListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // A list just shown has no current row, and the tree view would take
    // any key to its first row: End goes to the last one at once.
    if (!currentIndex().isValid() && model_.Count() > 0) {
        if (action == MoveEnd) return model_.index(model_.Count() - 1, 0);
        if (action == MoveHome) return model_.index(0, 0);
    }
    return QTreeView::moveCursor(action, modifiers);
}

void ListView::mouseEvent(QMouseEvent* e,
                          const std::function<void(int, int, float, float)>& handler,
                          bool released) {
    if (!handler) return;
    const int button = keycodes::mouseButton(e->button());
    if (!released && e->type() == QEvent::MouseMove) {
        const int held = keycodes::mouseButtons(e->buttons());
        const QPointF p = e->position();
        handler(held, keycodes::shiftState(e->modifiers()), float(p.x() * tppX_),
                float(p.y() * tppY_));
        return;
    }
    const QPointF p = e->position();
    handler(button, keycodes::shiftState(e->modifiers()), float(p.x() * tppX_),
            float(p.y() * tppY_));
}

void ListView::mousePressEvent(QMouseEvent* e) {
    // The view moves its current row first; the handler may then pick the
    // row from the position itself or replace the whole list.
    QTreeView::mousePressEvent(e);
    mouseEvent(e, onMouseDown, false);
}

void ListView::mouseReleaseEvent(QMouseEvent* e) {
    QTreeView::mouseReleaseEvent(e);
    mouseEvent(e, onMouseUp, true);
}

void ListView::mouseMoveEvent(QMouseEvent* e) {
    // No rubber-band or drag selection: only report the movement.
    if (e->buttons() == Qt::NoButton) QTreeView::mouseMoveEvent(e);
    mouseEvent(e, onMouseMove, false);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click raises no press of its own; its
    // release still arrives as a normal release.
    e->accept();
}

// The rows' colours are drawn legible on whatever background the view now
// has: a search colour, or a dark theme's window colour.
void ListView::changeEvent(QEvent* e) {
    QTreeView::changeEvent(e);
    if (e->type() == QEvent::PaletteChange) model_.SetBackground(palette().color(QPalette::Base));
}

// The view walks every row when it lays them out. Left to itself it does
// that when it is next shown, between the hotkey and the window's first
// frame: with a long list that made the rows come up a frame late. A hidden
// view does it as soon as its rows are replaced, while nobody waits for it.
void ListView::reset() {
    QTreeView::reset();
    if (!isVisible()) doItemsLayout();
}

void ListView::updateGeometries() {
    QTreeView::updateGeometries();
    const int top = viewport()->y();
    if (top == rowsTop_) return;
    rowsTop_ = top;
    if (onRowsMoved) onRowsMoved();
}
