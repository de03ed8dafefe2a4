#include "platform/linux/qtdialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QString titleOr(const QString& title) {
    return title.isEmpty() ? QString::fromLatin1(kProgramTitle) : title;
}
// Message texts keep the CR LF line breaks of the program's messages.
QString shown(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
}  // namespace

void QtDialogs::message(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), shown(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtDialogs::question(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, titleOr(title), shown(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& title,
                                        const QString& defaultText) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(owner_, titleOr(title), prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

QString QtDialogs::openFileName(const QString& title, const QString& dir) {
    return QFileDialog::getOpenFileName(owner_, titleOr(title), dir);
}

QString QtDialogs::folderName(const QString& title, const QString& dir) {
    return QFileDialog::getExistingDirectory(owner_, titleOr(title), dir);
}
