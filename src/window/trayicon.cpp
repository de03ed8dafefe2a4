#include "window/trayicon.h"

#include "platform/platform.h"

TrayIcon::TrayIcon(Platform& platform, QObject* parent) : QObject(parent), plat_(platform) {
    connect(&plat_, &Platform::trayMouseDown, this,
            [this](int b) { raise(&TrayIcon::MouseDown, b); });
    connect(&plat_, &Platform::trayMouseUp, this, [this](int b) { raise(&TrayIcon::MouseUp, b); });
    connect(&plat_, &Platform::trayMouseDblClick, this,
            [this](int b) { raise(&TrayIcon::MouseDblClick, b); });
}

TrayIcon::~TrayIcon() = default;

// The tip is kept with the NUL that ends it in the icon's record.
QString TrayIcon::Tooltip() const {
    return tip_.left(tip_.size() - 1);
}

void TrayIcon::SetTooltip(const QString& tip) {
    tip_ = tip + QChar(u'\0');
}

QString TrayIcon::ShownTooltip() const {
    return Tooltip().section(QChar(u'\0'), 0, 0).left(63);
}

void TrayIcon::Add() {
    plat_.trayAdd(Icon, ShownTooltip());
    state_ = 1;
}

void TrayIcon::Modify() {
    plat_.trayModify(Icon, ShownTooltip());
    state_ = 2;
}

void TrayIcon::Remove() {
    plat_.trayRemove();
    state_ = 0;
}

template <typename Event>
void TrayIcon::raise(Event event, int button) {
    if (busy_ || (button != 1 && button != 2)) return;
    busy_ = true;
    emit(this->*event)(button);
    busy_ = false;
}
