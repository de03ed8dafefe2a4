#include "app/form1.h"
#include "platform/platform.h"
#include "window/placement.h"

using placement::roundTwips;

namespace {
constexpr double kTwipsPerInch = 1440.0;
bool normalState(const QWidget* w) {
    return !(w->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}
placement::Rect outer(const Form1& f) {
    return {f.Left(), f.Top(), f.Width(), f.Height()};
}
}  // namespace

double Form1::TwipsPerPixelX() {
    return kTwipsPerInch / plat_.screenDpiX(plat_.cursorPos());
}

double Form1::TwipsPerPixelY() {
    return kTwipsPerInch / plat_.screenDpiY(plat_.cursorPos());
}

double Form1::GetScreenDpi() {
    return plat_.screenDpiX(plat_.cursorPos());
}

int Form1::TwipsToPixels(int twips, bool vertical) {
    const QPoint at = plat_.cursorPos();
    const double dpi = vertical ? plat_.screenDpiY(at) : plat_.screenDpiX(at);
    return roundTwips(twips / kTwipsPerInch * dpi);
}

void Form1::GetDesktopRectt(int& Left, int& Top, int& Width, int& Height, bool ReturnAsTwips) {
    const QRect r = plat_.workArea(plat_.cursorPos());
    placement::Rect w{r.left(), r.top(), r.width(), r.height()};
    if (ReturnAsTwips) w = placement::workAreaTwips(r, TwipsPerPixelX(), TwipsPerPixelY());
    Left = w.left;
    Top = w.top;
    Width = w.width;
    Height = w.height;
}

// The window's outer edges, frame included, as the rules see them. Before
// the window manager has framed the window its frame is taken to be the
// one seen last (none at first); AdoptFrame puts right what was placed
// with a frame that turned out different.
int Form1::Left() const {
    return roundTwips((clientRect().x() - placement_.frame().left()) *
                      const_cast<Form1*>(this)->TwipsPerPixelX());
}
int Form1::Top() const {
    return roundTwips((clientRect().y() - placement_.frame().top()) *
                      const_cast<Form1*>(this)->TwipsPerPixelY());
}
int Form1::Width() const {
    return roundTwips(
        (clientRect().width() + placement_.frame().left() + placement_.frame().right()) *
        const_cast<Form1*>(this)->TwipsPerPixelX());
}
int Form1::Height() const {
    return roundTwips(
        (clientRect().height() + placement_.frame().top() + placement_.frame().bottom()) *
        const_cast<Form1*>(this)->TwipsPerPixelY());
}
int Form1::ScaleHeight() const {
    return roundTwips(clientRect().height() * const_cast<Form1*>(this)->TwipsPerPixelY());
}

QRect Form1::clientRect() const {
    return placement_.clientRect(geometry(), plat_.uptimeMs());
}

// Positions are given for the client area: where the frame goes is then
// the window manager's business, and no guess of Qt's about the frame
// gets in between.
void Form1::placeClient(const QRect& r) {
    const QRect now = clientRect();
    if (r == now) return;
    placement_.asked(now, r, plat_.uptimeMs());
    setGeometry(r);
    // A hidden window gets its resize event only when it is shown; the
    // rules that follow every resize must see this one now.
    if (r.size() != now.size() && !isVisible() && !inResize_) {
        inResize_ = true;
        Form_Resize();
        inResize_ = false;
    }
}

void Form1::readWorkArea() {
    placement::Rect w;
    GetDesktopRectt(w.left, w.top, w.width, w.height, true);
    placement_.setWork(w);
}

void Form1::SetLeft(int twips) {
    const QRect c = clientRect();
    placeClient(QRect(
        QPoint(roundTwips(twips / TwipsPerPixelX()) + placement_.frame().left(), c.y()), c.size()));
}

void Form1::SetTop(int twips) {
    const QRect c = clientRect();
    placeClient(QRect(
        QPoint(c.x(), roundTwips(twips / TwipsPerPixelY()) + placement_.frame().top()), c.size()));
}

void Form1::SetWidth(int twips) {
    const QRect c = clientRect();
    const int frame = placement_.frame().left() + placement_.frame().right();
    placeClient(QRect(
        c.topLeft(), QSize(std::max(1, roundTwips(twips / TwipsPerPixelX()) - frame), c.height())));
}

void Form1::SetHeight(int twips) {
    const QRect c = clientRect();
    const int frame = placement_.frame().top() + placement_.frame().bottom();
    placeClient(QRect(c.topLeft(),
                      QSize(c.width(), std::max(1, roundTwips(twips / TwipsPerPixelY()) - frame))));
}

// One request for a whole outer rectangle, rather than one per edge.
void Form1::placeOuter(int left, int top, int width, int height) {
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const int x = roundTwips(left / tx), y = roundTwips(top / ty);
    const int w = std::max(
        1, roundTwips(width / tx) - placement_.frame().left() - placement_.frame().right());
    const int h = std::max(
        1, roundTwips(height / ty) - placement_.frame().top() - placement_.frame().bottom());
    placeClient(QRect(x + placement_.frame().left(), y + placement_.frame().top(), w, h));
}

bool Form1::AdoptFrame() {
    if (!isVisible()) return false;
    const QMargins m = plat_.frameMargins(this);
    if (m.isNull() || m == placement_.frame()) return false;
    // Keep the outer rectangle the rules chose; then size the client area
    // again where a rule is about the client area.
    const QRect outer = clientRect().marginsAdded(placement_.frame());
    placement_.setFrame(m);
    placeClient(outer.marginsRemoved(m));
    if (placement_.fitted()) FitGeometry();
    return true;
}

// The list's font is sized so that this estimate equals the real row of 240
// twips: pointer positions, digits and fitting then agree on every row.
double Form1::RowHeightPixels() {
    return List1->font().pointSizeF() + GetScreenDpi() / 13.5;
}

void Form1::Form_Resize() {
    AdoptFrame();
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    List1->SetTwipsPerPixel(tx, ty);
    const double dpi = GetScreenDpi();
    QFont f = List1->font();
    if (f.pointSizeF() != dpi * (1 / 6.0 - 1 / 13.5)) {
        f.setPointSizeF(dpi * (1 / 6.0 - 1 / 13.5));
        List1->setFont(f);
        List1->ListItems().SetFont(f);
    }
    const int row = TwipsToPixels(240, true);
    List1->SetRowHeight(row);
    Label2->SetRows(row, List1->y() + List1->viewport()->y() - Label2->y());

    if (!config_.window2Mouse && normalState(this) && Readiness() < 1) {
        const QPoint corner = placement::bottomRight(outer(*this), placement_.work());
        placeOuter(corner.x(), corner.y(), Width(), Height());
    }
    if (normalState(this)) {
        const int height = Height(), width = Width();
        const placement::Rect& work = placement_.work();
        placeOuter(Left(), Top(), placement::withinWork(placement::minimumWidth(width), work.width),
                   placement::withinWork(placement::minimumHeight(height), work.height));
        // A size changed here is a resize of its own: its corner and list
        // follow from the new size.
        if (Height() != height || Width() != width) return Form_Resize();
        List1->resize(std::max(0, roundTwips((Width() - 380) / tx)),
                      std::max(0, roundTwips((ScaleHeight() - 500) / ty)));
        PlaceDateLine();
        CheckListOverflow();
    }
}

void Form1::PlaceDateLine() {
    mDate->setGeometry(placement::dateLine(List1->geometry(), clientRect().height(),
                                           mDate->fontMetrics().height()));
    // Drawn over the list's edge where the two meet.
    mDate->setAutoFillBackground(true);
    mDate->raise();
}

void Form1::CheckListOverflow() {
    const double rowTwips = RowHeightPixels() * TwipsPerPixelY();
    const int listHeight = roundTwips(List1->height() * TwipsPerPixelY());
    if (placement::listOverflows(rowTwips, List1->ListItems().Count(), listHeight)) {
        showDigits(false);
        config_.hoverSelect = false;
        List1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        showDigits(true);
        List1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (config_.hoverSelectSaved) config_.hoverSelect = true;
    }
}

// The size and place of a fitted window: the part of FitWindowToList that
// must be done again when the window's frame turns out different.
void Form1::FitGeometry() {
    readWorkArea();
    const placement::Rect& work = placement_.work();
    int height =
        placement::fittedHeight(List1->ListItems().Count(), Height() - ScaleHeight(),
                                RowHeightPixels() * TwipsPerPixelY(), GetScreenDpi(), work.height);
    // The resize that follows a new height applies the minimum: the top
    // is found for the height the window ends with.
    if (normalState(this))
        height = placement::withinWork(placement::minimumHeight(height), work.height);
    const placement::Rect fitted{Left(), Top(), Width(), height};
    placeOuter(fitted.left, placement::fittedTop(fitted, config_.window2Mouse, work), fitted.width,
               height);
}

void Form1::FitWindowToList() {
    placement_.setFitted();
    FitGeometry();
    Form_Resize();
    List1->viewport()->update();
    CheckListOverflow();
    if (isVisible()) {
        List1->setFocus();
        const int n = List1->ListItems().Count();
        if (n >= 1 && List1->SelectedItem() > 0) List1->SetSelected(List1->SelectedItem(), false);
    }
}

void Form1::GrowForNewEntry() {
    const placement::Rect now = outer(*this);
    const placement::Rect grown = placement::grownForNewEntry(now, List1->ListItems().Count());
    if (grown == now) return;
    placeOuter(grown.left, grown.top, grown.width, grown.height);
    Form_Resize();
}

bool Form1::ForceForeground() {
    if (plat_.isForegroundWindow(this) && !isMinimized()) return true;
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    else if (!hiddenFromTray_)
        show();
    // A hidden window cannot be brought to the front.
    if (!isVisible()) return false;
    return plat_.activateWindow(this);
}

void Form1::ShowWin() {
    // A list changed by another program while the window was away is shown
    // as its file holds it, unless there are changes here to keep.
    if (model_.refreshOnRecall()) DrawLoadedList();
    UpdateDateAndStartTime();
    if (config_.window2Mouse) MoveWindowToMouse();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    show();
    List1->setFocus();
    ForceForeground();
}

void Form1::myShowWin() {
    readWorkArea();
    // A panel moved meanwhile is followed.
    if (config_.sidebarPosition > 0) sidebarSet();
    ShowWin();
}

void Form1::MoveWindowToMouse() {
    if (!normalState(this)) return;
    const QPoint at = placement::underPointer(plat_.cursorPos(), TwipsPerPixelX(), TwipsPerPixelY(),
                                              outer(*this), placement_.work());
    placeOuter(at.x(), at.y(), Width(), Height());
}

void Form1::mnuOnTop_Click() {
    const bool on = !model_.modes().onTop;
    plat_.setTopmost(this, on);
    model_.modes().onTop = on;
    drawRunModes();
}

void Form1::mnuStay_Click() {
    ToggleStayOpen();
    List1->setFocus();
}

void Form1::mnuAutoHide_Click() {
    const bool on = !model_.modes().autoShowHide;
    model_.modes().autoShowHide = on;
    drawRunModes();
    config_.autoShowHide = on;
    Write_Cfg();
    if (on)
        Timer2->start();
    else
        Timer2->stop();
}

void Form1::Timer2_Timer() {
    const QPoint pointer = plat_.cursorPos();
    if (model_.modes().resident && isVisible()) {
        const int left = TwipsToPixels(Left(), false),
                  right = TwipsToPixels(Left() + Width(), false);
        const int top = TwipsToPixels(Top(), true), bottom = TwipsToPixels(Top() + Height(), true);
        if (!placement::pointerOnWindow(pointer, left, top, right, bottom)) CloseRequest();
    } else {
        Timer2->stop();
    }
}

void Form1::Form_MouseMove(int, int, float, float) {
    if (isVisible() && !isActiveWindow()) ForceForeground();
    if (isVisible()) hiddenFromTray_ = false;
}

void Form1::Form_MouseUp(int, int, float, float) {
    Timer2->stop();
    if (pressHandled_)
        pressHandled_ = false;
    else
        ShowPopupMenu();
}

void Form1::List1_MouseMove(int, int, float, float Y) {
    if (List1->HideColumnHeaders() && config_.hoverSelect) {
        const int row =
            placement::hoverRow(Y, TwipsPerPixelY(), RowHeightPixels(), List1->ListItems().Count());
        if (row > 0) List1->SetSelected(row, true);
    }
    if (isVisible() && !isActiveWindow()) ForceForeground();
}
