#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class Platform;
class QWidget;

// The icon in the notification area. The owner sets OwnerForm, Icon and
// Tooltip, then calls Add; Modify shows a new icon or tool tip; Remove takes
// the icon away. The platform's clicks come back as MouseDown, MouseUp and
// MouseDblClick with the button (1 left, 2 right).
class TrayIcon : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(Platform& platform, QObject* parent = nullptr);
    ~TrayIcon() override;

    QWidget* OwnerForm = nullptr;
    QIcon Icon;

    QString Tooltip() const;
    void SetTooltip(const QString& tip);
    // 0 removed (or never added), 1 added, 2 modified.
    int State() const { return state_; }

    void Add();
    void Modify();
    void Remove();

    // The tool tip as the notification area shows it: at most 63
    // characters, the room the icon's record has for text.
    QString ShownTooltip() const;

signals:
    void MouseDown(int Button);
    void MouseUp(int Button);
    void MouseDblClick(int Button);

private:
    // Raises one event unless a handler of an earlier one is still running
    // (a menu opened from a click runs its own event loop).
    template <typename Event>
    void raise(Event event, int button);

    Platform& plat_;
    QString tip_ = QString(QChar(u'\0'));
    int state_ = 0;
    bool busy_ = false;
};
