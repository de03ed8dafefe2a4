#pragma once

#include <QElapsedTimer>
#include <QTest>

#include <functional>

// Lets events run until `done` holds or `ms` have passed; true when it held.
// (QTRY_* only returns from the test on a timeout, which GoogleTest would
// count as a pass.)
inline bool waitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(10);
    }
    return true;
}
