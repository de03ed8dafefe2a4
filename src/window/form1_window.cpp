#include <QScrollBar>

#include "app/form1.h"
#include "lists/listfile.h"
#include "platform/platform.h"

namespace {
constexpr double kTwipsPerInch = 1440.0;
int roundTwips(double v) { return int(listfile::roundHalfEven(v)); }
bool normalState(const QWidget* w) {
    return !(w->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
}
}  // namespace

double Form1::TwipsPerPixelX() { return kTwipsPerInch / plat_.screenDpiX(plat_.cursorPos()); }

double Form1::TwipsPerPixelY() { return kTwipsPerInch / plat_.screenDpiY(plat_.cursorPos()); }

double Form1::GetScreenDpi() { return plat_.screenDpiX(plat_.cursorPos()); }

int Form1::TwipsToPixels(int twips, bool vertical) {
    const QPoint at = plat_.cursorPos();
    const double dpi = vertical ? plat_.screenDpiY(at) : plat_.screenDpiX(at);
    return roundTwips(twips / kTwipsPerInch * dpi);
}

void Form1::GetDesktopRectt(int& Left, int& Top, int& Width, int& Height, bool ReturnAsTwips) {
    const QRect r = plat_.workArea(plat_.cursorPos());
    Left = r.left();
    Top = r.top();
    Width = r.width();
    Height = r.height();
    if (ReturnAsTwips) {
        const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
        Left = roundTwips(Left * tx);
        Width = roundTwips(Width * tx);
        Top = roundTwips(Top * ty);
        Height = roundTwips(Height * ty);
    }
}

int Form1::Left() const {
    return roundTwips(frameGeometry().x() * const_cast<Form1*>(this)->TwipsPerPixelX());
}
int Form1::Top() const {
    return roundTwips(frameGeometry().y() * const_cast<Form1*>(this)->TwipsPerPixelY());
}
int Form1::Width() const {
    return roundTwips(frameGeometry().width() * const_cast<Form1*>(this)->TwipsPerPixelX());
}
int Form1::Height() const {
    return roundTwips(frameGeometry().height() * const_cast<Form1*>(this)->TwipsPerPixelY());
}
int Form1::ScaleHeight() const {
    return roundTwips(height() * const_cast<Form1*>(this)->TwipsPerPixelY());
}

void Form1::SetLeft(int twips) { move(roundTwips(twips / TwipsPerPixelX()), frameGeometry().y()); }

void Form1::SetTop(int twips) { move(frameGeometry().x(), roundTwips(twips / TwipsPerPixelY())); }

void Form1::SetWidth(int twips) {
    const int frame = frameGeometry().width() - width();
    resize(std::max(1, roundTwips(twips / TwipsPerPixelX()) - frame), height());
}

void Form1::SetHeight(int twips) {
    const int frame = frameGeometry().height() - height();
    resize(width(), std::max(1, roundTwips(twips / TwipsPerPixelY()) - frame));
}

// The list's font is sized so that this estimate equals the real row of 240
// twips: pointer positions, digits and fitting then agree on every row.
double Form1::RowHeightPixels() { return List1->font().pointSizeF() + GetScreenDpi() / 13.5; }

void Form1::Form_Resize() {
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
        SetTop(WorkTop + WorkHeight - Height());
        SetLeft(WorkLeft + WorkWidth - Width());
    }
    if (normalState(this)) {
        if (Height() < 3340) SetHeight(3390);
        if (Width() < 4575) SetWidth(4650);
        List1->resize(std::max(0, roundTwips((Width() - 380) / tx)),
                      std::max(0, roundTwips((ScaleHeight() - 500) / ty)));
        CheckListOverflow();
    }
}

void Form1::CheckListOverflow() {
    const double needed = RowHeightPixels() * TwipsPerPixelY() * List1->ListItems().Count();
    const double listHeight = List1->height() * TwipsPerPixelY();
    if (needed > listHeight) {
        Label2->hide();
        config_.hoverSelect = false;
        List1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        Label2->show();
        List1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (config_.hoverSelectSaved) config_.hoverSelect = true;
    }
}

void Form1::FitWindowToList() {
    GetDesktopRectt(WorkLeft, WorkTop, WorkWidth, WorkHeight, true);
    const int n = List1->ListItems().Count();
    if (n <= 10) {
        SetHeight(Height() - ScaleHeight() + 2955);
    } else {
        int h = roundTwips(RowHeightPixels() * TwipsPerPixelY() * n + (Height() - ScaleHeight()) +
                           GetScreenDpi() * 6.09375);
        if (h > WorkHeight) h = WorkHeight;
        SetHeight(h);
    }
    if (!config_.window2Mouse || Top() + Height() > WorkTop + WorkHeight || Top() < 0)
        SetTop(WorkTop + WorkHeight - Height());
    Form_Resize();
    List1->viewport()->update();
    CheckListOverflow();
    if (isVisible()) {
        List1->setFocus();
        if (n >= 1 && List1->SelectedItem() > 0) List1->SetSelected(List1->SelectedItem(), false);
    }
}

// Placement, activation and auto show/hide are not built yet: plain no-ops.
bool Form1::ForceForeground() { return false; }
void Form1::ShowWin() {}
void Form1::myShowWin() {}
void Form1::MoveWindowToMouse() {}
void Form1::GrowForNewEntry() {}
void Form1::mnuOnTop_Click() {}
void Form1::mnuStay_Click() {}
void Form1::mnuAutoHide_Click() {}
void Form1::Timer2_Timer() {}
void Form1::Form_MouseMove(int, int, float, float) {}
void Form1::Form_MouseUp(int, int, float, float) {}
void Form1::List1_MouseMove(int, int, float, float) {}
