#pragma once

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

// Lets events run until `done` holds or `ms` have passed. A timeout is a
// test failure (QTRY_* would only return from the test, which GoogleTest
// counts as a pass); the result tells the caller whether to go on.
// `what` names the awaited condition in the failure message.
inline bool waitFor(const std::function<bool()>& done, int ms = 5000, const char* what = nullptr) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) {
            ADD_FAILURE() << "waited " << ms << " ms in vain" << (what ? " for " : "")
                          << (what ? what : "");
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}
