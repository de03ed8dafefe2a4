#include "app/form1.h"
#include "lists/config.h"
#include "lists/textfile.h"
#include "platform/dialogs.h"

namespace {
QString configPath(const QString& folder) {
    return folder + u'/' + QString::fromLatin1(configfile::kFileName);
}
}  // namespace

void Form1::Load_Cfg() {
    QStringList lines;
    const textfile::ReadStatus read =
        textfile::readLines(configPath(appPath_), lines, configfile::kMaxFileSize);
    cfgGuard_.afterRead(read);
    if (read == textfile::ReadStatus::Ok) {
        const configfile::Effects fx = configfile::apply(lines, config_);
        if (fx.showSidebar) sidebarSet();
        model_.modes().autoShowHide = fx.autoShowHide;
        drawRunModes();
        if (fx.autoShowHide) Timer2->start();
    }
    config_.hoverSelectSaved = config_.hoverSelect;
}

void Form1::Write_Cfg() {
    bool tell = false;
    if (!cfgGuard_.mayWrite(tell)) {
        if (tell)
            dlg_.message(QStringLiteral("The settings file %1 could not be read, so it is not "
                                        "written over: changed settings last until the program "
                                        "ends.")
                             .arg(configPath(appPath_)));
        return;
    }
    QString error;
    if (!textfile::writeLines(configPath(appPath_), configfile::lines(config_, SidebarShown()),
                              &error)) {
        dlg_.message(QStringLiteral("Could not save the settings file %1\r\n%2")
                         .arg(configPath(appPath_), error));
    }
}
