#pragma once

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "formfixture.h"
#include "qtprinters.h"
#include "waitfor.h"

// A started, active Form1 over a top list, driven by real key and mouse
// events; shell calls and dialogs are recorded by the fakes.
class RunFixture : public FormFixture {
protected:
    // "Row <i>" entries for the programs /apps/tool<i>.
    static QStringList rows(int n) {
        QStringList out;
        for (int i = 1; i <= n; ++i) out << QStringLiteral("Row %1\t/apps/tool%1").arg(i);
        return out;
    }

    // Starts on a top list of `lines` with the window shown, active and
    // ready for keys. A small work area makes long lists scroll.
    void startOn(const QStringList& lines, bool ready = true) {
        plat.work = QRect(0, 0, 1280, 400);
        writeList("Brennomix", lines);
        start(QString(), ready);
        // Held before its first tick, however long the window takes to show.
        if (!ready) control<QTimer>(*form, "Timer1")->stop();
        form->activateWindow();
        waitFor([this] { return form->isActiveWindow(); }, 2000);
        control<ListView>(*form, "List1")->setFocus();
    }

    QStringList shellCalls() const { return plat.callsStartingWith("shellExecute|"); }

    // A key pressed and released as a keyboard delivers it: each event to
    // an open popup, else to the widget that has the focus at that moment.
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        auto target = [this](QWidget* fallback) {
            if (QWidget* popup = QApplication::activePopupWidget()) return popup;
            QWidget* w = QApplication::focusWidget();
            return w ? w : fallback;
        };
        QTest::keyPress(target(control<ListView>(*form, "List1")), Qt::Key(k), mods);
        QTest::keyRelease(target(form.get()), Qt::Key(k), mods);
    }

    // Closes the next popup menu once it shows, choosing `choice` if given;
    // `shown` tells whether a menu appeared at all.
    void closeMenuWhenShown(bool* shown = nullptr, QAction* choice = nullptr) {
        auto* poll = new QTimer(form.get());
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, shown, choice] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            if (shown) *shown = true;
            poll->deleteLater();
            if (choice) choice->trigger();
            menu->close();
        });
        poll->start();
    }

    bool windowClosed() const { return form->Ended() || !form->isVisible(); }
};
