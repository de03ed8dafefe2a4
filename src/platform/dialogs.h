#pragma once

#include <QString>
#include <optional>

// Message boxes, input boxes and file pickers. An empty title means the
// program's own title, "Brennomix". Tests script the answers.
class Dialogs {
public:
    virtual ~Dialogs();

    // A message with an OK button.
    virtual void message(const QString& text, const QString& title = QString()) = 0;
    // A question with Yes and No buttons; true on Yes.
    virtual bool question(const QString& text, const QString& title = QString()) = 0;
    // A one-line input box; Cancel gives no answer at all, which is not the
    // same as an answer left empty.
    virtual std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                                         const QString& defaultText = QString()) = 0;
    // File and folder pickers; Cancel gives an empty answer.
    virtual QString openFileName(const QString& title, const QString& dir) = 0;
    virtual QString folderName(const QString& title, const QString& dir) = 0;
};

// The title of every message and input box.
inline constexpr const char* kProgramTitle = "Brennomix";
