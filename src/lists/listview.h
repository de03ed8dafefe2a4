#pragma once

#include <QTreeView>

#include <cstdint>
#include <functional>

#include "lists/listmodel.h"

// The main list: a report view over ListModel offering the list-view
// operations the program relies on (rows by position from 1, six columns
// whose width 0 hides them, colours, bold, a current row that may exist
// without its selected mark, hidden headers, type-to-select) and its key and
// mouse events in the program's own terms: Windows key codes with a
// modifier sum, button numbers (1 left, 2 right, 4 middle) and positions in
// twips from the top of the first row.
class ListView : public QTreeView {
    Q_OBJECT

public:
    // The system window colour code: the view's normal background.
    static constexpr std::uint32_t kSystemWindowColor = 0x80000005u;

    explicit ListView(QWidget* parent = nullptr);

    ListModel& ListItems() { return model_; }
    const ListModel& ListItems() const { return model_; }

    // The current row (1-based), 0 when there is none.
    int SelectedItem() const;
    bool Selected(int i) const;
    // Marks row i selected (and makes it current), or takes the mark off.
    void SetSelected(int i, bool on);

    bool HideColumnHeaders() const { return isHeaderHidden(); }
    void SetHideColumnHeaders(bool hide) { setHeaderHidden(hide); }
    // Columns from 1; a width of 0 hides the column.
    int ColumnWidth(int c) const { return widths_[size_t(c - 1)]; }
    void SetColumnWidth(int c, int twips);

    std::uint32_t BackColor() const { return backColor_; }
    void SetBackColor(std::uint32_t color);

    // Conversion factors of the screen the window is on.
    void SetTwipsPerPixel(double x, double y);
    double TwipsPerPixelY() const { return tppY_; }
    // Height of one row in pixels.
    void SetRowHeight(int pixels);
    int RowHeight() const { return rowHeight_; }

    // Row 1..n whose full height lies inside the viewport, for tests and hover.
    QRect RowRect(int i) const;

    // New rows given to a hidden view are laid out at once (see the .cpp).
    void reset() override;

    // Event handlers; a key or character code set to 0 is not processed further.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void(int button, int shift, float x, float y)> onMouseDown;
    std::function<void(int button, int shift, float x, float y)> onMouseUp;
    std::function<void(int button, int shift, float x, float y)> onMouseMove;
    // The first row moved within the view (the column headers were shown or
    // hidden): whatever stands beside the rows follows.
    std::function<void()> onRowsMoved;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void updateGeometries() override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void applyColumnWidths();
    void mouseEvent(QMouseEvent* e, const std::function<void(int, int, float, float)>& handler,
                    bool released);

    ListModel model_;
    std::array<int, ListModel::kColumns> widths_{};
    std::uint32_t backColor_ = kSystemWindowColor;
    double tppX_ = 15, tppY_ = 15;
    int rowHeight_ = 16;
    int rowsTop_ = -1;
};
