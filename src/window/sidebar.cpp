#include "window/sidebar.h"

#include <QMouseEvent>

#include <cmath>

#include "platform/platform.h"
#include "window/sidebarstrip.h"

namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr int kArmDelayMs = 500;
}  // namespace

Sidebar::Sidebar(Platform& platform)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      plat_(platform) {
    setObjectName(QStringLiteral("sidebar"));
    setWindowTitle(QStringLiteral("Brennomix sidebar"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    arm_.setSingleShot(true);
    arm_.setInterval(kArmDelayMs);
    connect(&arm_, &QTimer::timeout, this, &Sidebar::armed);
}

void Sidebar::Place(int position) {
    const QPoint at = anchor ? anchor() : plat_.cursorPos();
    const double dpiX = plat_.screenDpiX(at), dpiY = plat_.screenDpiY(at);
    auto twips = [](int pixels, double dpi) {
        return int(std::lround(pixels * kTwipsPerInch / dpi));
    };
    auto pixels = [](int twips, double dpi) {
        return int(std::lround(twips * dpi / kTwipsPerInch));
    };
    const QRect work = plat_.workArea(at), screen = plat_.screenGeometry(at);
    const QRect workTwips(twips(work.x(), dpiX), twips(work.y(), dpiY), twips(work.width(), dpiX),
                          twips(work.height(), dpiY));
    const QPoint origin(twips(screen.x(), dpiX), twips(screen.y(), dpiY));
    const std::optional<QRect> strip = sidebarstrip::place(position, workTwips, origin);
    if (!strip) return;
    if (!isVisible()) plat_.keepOutOfTaskbar(this);
    setGeometry(pixels(strip->x(), dpiX), pixels(strip->y(), dpiY),
                std::max(1, pixels(strip->width(), dpiX)),
                std::max(1, pixels(strip->height(), dpiY)));
    show();
    raise();
}

void Sidebar::Form_MouseDown(int) {
    if (toggleMain) toggleMain();
}

void Sidebar::Form_MouseMove() {
    if (!mainHidden() || !autoShowHide()) return;
    if (autoHideRunning()) {
        toggleMain();
        plat_.setCursorPos(pointerTarget());
    } else if (!arm_.isActive()) {
        arm_.start();
    }
}

// The pause is over: auto show/hide is armed, and a pointer still resting on
// the strip counts as the next touch (an X server sends no moves for a
// pointer at rest).
void Sidebar::armed() {
    if (!mainHidden() || !autoShowHide()) return;
    startAutoHide();
    if (isVisible() && frameGeometry().contains(plat_.cursorPos())) Form_MouseMove();
}

void Sidebar::mousePressEvent(QMouseEvent*) {
    Form_MouseDown(1);
}

void Sidebar::mouseMoveEvent(QMouseEvent*) {
    Form_MouseMove();
}
