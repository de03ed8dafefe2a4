#pragma once

#include "platform/dialogs.h"

class QWidget;

// Dialogs as Qt message boxes, input boxes and file pickers.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const QString& text, const QString& title) override;
    bool question(const QString& text, const QString& title) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    QString openFileName(const QString& title, const QString& dir) override;
    QString folderName(const QString& title, const QString& dir) override;

private:
    QWidget* owner_;
};
