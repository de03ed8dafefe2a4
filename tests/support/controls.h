#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

// A control of a window, found by its object name as a user finds it by
// its place; a missing control fails the test.
template <class W>
W* control(const QObject& window, const char* name) {
    W* w = window.findChild<W*>(QString::fromLatin1(name));
    if (!w) ADD_FAILURE() << "no control named " << name;
    return w;
}
