#include "app/launcher.h"

#include <QApplication>

#include <cstdio>

#include "app/appicon.h"
#include "app/form1.h"
#include "platform/linux/linkserver.h"
#include "platform/linux/linuxplatform.h"
#include "platform/linux/qtdialogs.h"

extern "C" __attribute__((visibility("default"))) int brennomix_run_launcher(
    const LauncherStart* start) {
    QApplication app(*start->argc, start->argv);
    QApplication::setApplicationName(QStringLiteral("Brennomix"));
    // Every window, message box included, carries the launcher's icon, and
    // the desktop can match the windows to the installed menu entry.
    QApplication::setWindowIcon(appIcon());
    QApplication::setDesktopFileName(QStringLiteral("brennomix"));
    QApplication::setQuitOnLastWindowClosed(false);

    // Listening starts before the window is built, so copies started in the
    // meantime wait only for the event loop to take their words.
    LinkServer link;
    if (!start->linkSocket.isEmpty() && !link.listen(start->linkSocket))
        std::fprintf(stderr, "brennomix: later copies cannot reach this one: %s\n",
                     qPrintable(link.errorString()));

    LinuxPlatform platform;
    QtDialogs dialogs;
    Form1 form(platform, dialogs, start->programFolder, start->commandLine);
    dialogs.setOwner(&form);
    QObject::connect(&form, &Form1::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&link, &LinkServer::wordsReceived, &form, &Form1::DeliverWords);
    form.Form_Load();
    if (form.Ended()) return 0;
    // The start-up window is shown once its load handler has run.
    form.show();
    return app.exec();
}
