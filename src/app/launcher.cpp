#include "app/launcher.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <utility>

#include "app/appicon.h"
#include "app/form1.h"
#include "platform/windowsystem.h"

namespace {

// Gives every window the launcher's icon once the first window has painted:
// the rows are on screen sooner, and the window manager takes the icon as
// well a moment later. Then `done` runs: start-up is over.
class IconAfterFirstPaint : public QObject {
public:
    IconAfterFirstPaint(QObject* parent, std::function<void()> done)
        : QObject(parent), done_(std::move(done)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, this, [this] {
                QApplication::setWindowIcon(appIcon());
                qApp->removeEventFilter(this);
                done_();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> done_;
    bool painted_ = false;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int brennomix_run_launcher(
    const LauncherStart* start) {
    QApplication app(*start->argc, start->argv);
    QApplication::setApplicationName(QStringLiteral("Brennomix"));
    // The desktop can match the windows to the installed menu entry.
    QApplication::setDesktopFileName(QStringLiteral("brennomix"));
    QApplication::setQuitOnLastWindowClosed(false);

    // Listening starts before the window is built, so copies started in the
    // meantime wait only for the event loop to take their words.
    const std::unique_ptr<WindowSystem> system = makeWindowSystem();
    // Every window, message box included, carries the launcher's icon; once
    // it is set, what start-up freed is returned.
    app.installEventFilter(
        new IconAfterFirstPaint(&app, [s = system.get()] { s->returnFreedMemory(); }));
    QString error;
    const QString linkSocket = QFile::decodeName(start->linkSocket);
    if (!linkSocket.isEmpty() && !system->listen(linkSocket, &error))
        std::fprintf(stderr, "brennomix: later copies cannot reach this one: %s\n",
                     qPrintable(error));

    Form1 form(system->platform(), system->dialogs(), QFile::decodeName(start->programFolder),
               QString::fromLocal8Bit(start->commandLine));
    system->setDialogOwner(&form);
    // An ending program stops answering before anything else: a copy
    // started now must not have its words taken and then dropped.
    QObject::connect(&form, &Form1::programEnded, system.get(), &WindowSystem::stopListening);
    QObject::connect(&form, &Form1::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(system.get(), &WindowSystem::wordsReceived, &form, &Form1::DeliverWords);
    form.Form_Load();
    if (form.Ended()) return 0;
    // The start-up window is shown once its load handler has run.
    form.show();
    return app.exec();
}
