#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

class SettingsHost;
class Platform;
class Dialogs;

// The settings window, captioned "Help": the buttons for the hotkey, the
// menu entry, extra search folders and a hand edit of the settings file,
// seven check boxes and the sidebar position list, each applied and saved
// at once, and the help text. It is built afresh each time it opens
// (Form_Load fills it) and deletes itself when closed.
class Form2 : public QWidget {
    Q_OBJECT

public:
    Form2(SettingsHost& main, Platform& platform, Dialogs& dialogs);

    void Form_Load();
    void Form_KeyUp(int& KeyCode, int Shift);
    void Form_Unload();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Check7_Click();
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void CreateStartupShortcut();
    void RemoveStartupShortcut();
    // The autostart entry's path.
    QString StartupShortcutPath();

    QPlainTextEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QCheckBox* Check3;
    QCheckBox* Check4;
    QCheckBox* Check5;
    QComboBox* Combo1;
    QLabel* Label1;
    QCheckBox* Check6;
    QCheckBox* Check7;
    QPushButton* Command5;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // A check box's value: 1 checked, 0 not.
    static int value(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }
    // Saves the settings, except while Form_Load fills the boxes in.
    void WriteCfg();

    SettingsHost& main_;
    Platform& plat_;
    Dialogs& dlg_;
    bool unloaded_ = false;
    bool loading_ = false;
};
