#pragma once

#include <QByteArray>
#include <QFrame>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "app/form1.h"
#include "controls.h"
#include "fakeplatform.h"
#include "window/trayicon.h"

// A real Form1 over a fresh program folder, a recording platform and
// scripted dialogs.
class FormFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakePlatform plat;
    FakeDialogs dlg;
    std::unique_ptr<Form1> form;

    QString path(const QString& name) const { return dir.path() + u'/' + name; }
    // Writes raw bytes to a file of the program folder.
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    // Writes a list file from lines (CR LF after each).
    void writeList(const QString& stem, const QStringList& lines) const;

    // Creates the window and runs start-up with `cmd`, shows it as the
    // program does, and (when `ready`) runs the first timer tick.
    Form1& start(const QString& cmd = QString(), bool ready = true);

    // The titles of the rows shown.
    QStringList titles() const;
};
