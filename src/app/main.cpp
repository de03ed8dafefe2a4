#include <QApplication>
#include <QDir>

#include "app/form1.h"
#include "app/programfolder.h"
#include "platform/linux/linuxplatform.h"
#include "platform/linux/qtdialogs.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brennomix"));
    QApplication::setQuitOnLastWindowClosed(false);

    // The command line is the arguments joined with single blanks.
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const QString cmd = args.join(u' ');

    const QString folder = resolveProgramFolder(
        [](const char* name) { return qEnvironmentVariable(name); },
        QCoreApplication::applicationDirPath());
    QDir().mkpath(folder);

    LinuxPlatform platform;
    QtDialogs dialogs;
    Form1 form(platform, dialogs, folder, cmd);
    dialogs.setOwner(&form);
    QObject::connect(&form, &Form1::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    form.Form_Load();
    if (form.Ended()) return 0;
    // The start-up window is shown once its load handler has run.
    form.show();
    return app.exec();
}
