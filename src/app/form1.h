#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>

#include "app/launchermodel.h"
#include "desktop/desktopicons.h"
#include "edit/editrules.h"
#include "edit/editsession.h"
#include "lists/config.h"
#include "lists/listview.h"
#include "run/keychords.h"
#include "search/quicksearch.h"
#include "search/searchsession.h"
#include "settings/settingshost.h"
#include "window/sidebar.h"
#include "window/windowplacement.h"

class Platform;
class Dialogs;
class Form2;
class QFrame;
class QMimeData;
class TrayIcon;
class Form1Hooks;

// The digit column left of the list: "1" to "9" and "0", one per row.
class DigitColumn : public QLabel {
public:
    using QLabel::QLabel;
    // Row pitch in pixels, and where the first row starts relative to the
    // label; the label grows to hold its last digit.
    void SetRows(int rowHeight, int firstRowOffset) {
        rowHeight_ = rowHeight;
        offset_ = firstRowOffset;
        const int needed = offset_ + 10 * rowHeight_;
        if (height() < needed) resize(width(), needed);
        update();
    }

    int FirstRowOffset() const { return offset_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int rowHeight_ = 16;
    int offset_ = 0;
};

// The main window. Its handlers keep the names the launcher has always used;
// each is defined in the folder of the subsystem that owns it (app, lists,
// run, search, edit, window, settings, desktop).
//
// Geometry is kept in twips (1440 per inch) and converted with the logical
// resolution of the screen under the pointer.
class Form1 : public QWidget, public SettingsHost {
    Q_OBJECT

public:
    Form1(Platform& platform, Dialogs& dialogs, const QString& programFolder,
          const QString& commandLine, QWidget* parent = nullptr);
    ~Form1() override;

    // True once the program has ended (every form unloaded).
    bool Ended() const { return ended_; }
    const QString& AppPath() const override { return appPath_; }
    const QString& CommandLine() const { return cmd_; }
    Config& Cfg() override { return config_; }

    // ================= app: start-up, shutdown, command words =================
    void Form_Load();
    void Timer1_Timer();
    void Form_Unload(int& Cancel);
    void SetPriority(int vNewPriority);
    QString getVersion();
    // A close request: Form_Unload decides between hiding and ending.
    void CloseRequest();
    // One relayed command word, acted on as a change of the hidden text.
    void Text1_Change(const QString& word);
    // False when the sequence stopped at a character that is not a digit or
    // at an entry number beyond the list.
    bool RunDigitSequence(const QString& word);
    void ClickIntoWindow();
    // Words from a second copy, each acted on once and in order, repeats
    // included. Words that arrive while an earlier one is still being
    // handled, or before the first timer tick has finished start-up, wait
    // their turn.
    void DeliverWords(const QStringList& words);
    // Carries out a command, whichever key, menu item, button or word
    // named it; a command that changes the list acts only on a list read
    // from its file.
    void Do(Command c);
    // The launcher's state the window draws.
    LauncherModel& Model() { return model_; }
    const LauncherModel& Model() const { return model_; }

    // ================= lists: list files, view, navigation, settings file =====
    QString LoadList(QString& name);
    // Writes the shown list to its file; true when written, or when its
    // file was changed by another program and is shown instead.
    bool SaveList();
    // Asks whether the changes here go over a list file another program
    // changed; true keeps them.
    bool KeepMineOverOutsideChange(const QString& file);
    // Draws the list the model holds, as read from its file.
    void DrawLoadedList();
    // When the shown list is one that could not be read, says so and why
    // (`what` names the command that cannot act on it); true when it did.
    bool ReportUnreadableList(const QString& what);
    bool FileExists(const QString& path);
    void StartQuickSearch();
    void ResetListView();
    void ToggleColumns();
    void mBack_Click();
    void Parent_Click();
    // Asks to save a changed list. False when the user wanted it saved and
    // saving failed: the caller must then keep the list on screen.
    bool AskSaveList();
    void CheckEntries();
    void Load_Cfg() override;
    void Write_Cfg() override;

    // ================= run: launcher, run modes, keys =========================
    // Runs the selected row and decides what the window does next;
    // `keepOpen`: the window stays after a start. FollowRun carries the
    // decision out.
    RunOutcome RunEntry(bool keepOpen = false);
    void FollowRun(const RunOutcome& run);
    void RunSelection(int& runMode, float X, float Y);
    void ToggleStayOpen();
    void ShowPopupMenu();
    void ShowRunDialog();
    void mRunThis_Click();
    void mnuParent_Click();
    void mnuRun_Click();
    void mnuMyRun_Click();
    void mnuPendix_Click();
    void List1_MouseDown(int Button, int Shift, float X, float Y);
    void List1_MouseUp(int Button, int Shift, float X, float Y);
    void List1_KeyDown(int& KeyCode, int Shift);
    void List1_KeyPress(int& KeyAscii);
    void Form_KeyUp(int& KeyCode, int Shift);
    void myRun_KeyDown(int& KeyCode, int Shift);
    // Reads a shortcut file: its target, working directory, arguments, icon
    // and show command. False (outputs untouched) when it cannot be read.
    bool ResolveShortcut(const QString& path, QString& target, QString& workingDirectory,
                         QString& arguments, QString& iconFile, int& iconIndex, int& showCommand);

    // ================= search ================================================
    void Text2_Change();
    void Text2_KeyDown(int& KeyCode, int Shift);
    void Text2_KeyUp(int& KeyCode, int Shift);
    void mSearch(const QString& word);
    void mnuRefresh_Click();
    void mnuFindFS_Click();
    void BuildFsIndex();
    void ReadAllLists();
    void LoadFsIndex();
    void FsIndexStale() override;
    // The index a search filters, loaded from its cache when this run holds
    // none yet, or else the lines of every list; never a walk of the folders.
    void EnsureSearchIndex();
    // The search box's state and the file-system index.
    SearchSession& Search() { return *search_; }
    const SearchSession& Search() const { return *search_; }

    // ================= edit ==================================================
    // The view shows a list loaded from its file (not search results, not a
    // refused or unreadable list): the only view a save may write.
    bool EditableView() const { return model_.view().editable(); }
    bool EditMode() const;
    void SetEmptyListCommands();
    void DisableEditCommands();
    // Saves the list while it is editable; true when saved.
    bool mSave_Click();
    void mnuOrder_Click();
    void mEndEdit_Click();
    void CopyEntryPath();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuDelete_Click();
    void mDelete_Click();
    void mUp_Click();
    void mDown_Click();
    void mNew_Click();
    void mnuNew_Click();
    void RenameEntry();
    void mnuRename_Click();
    void EditEntryArguments();
    void mnuArgs_Click();
    void mnuBold_Click();
    void mnuColor_Click();
    void mnuBrowse_Click();
    void Browse_Click();
    void mnuEdit_Click();
    void mnuEditor_Click();
    void EditList_Click();
    void EditList_MouseDown(int Button);
    void mEndEdit_MouseDown(int Button);
    void Browse_MouseUp(int Button);
    void List1_OLEDragDrop(const QMimeData& data);
    // Appends the entry made from a path; true when a row was added.
    bool AddPathEntry(const QString& P);
    EditSession& Edit() { return edit_; }
    const EditSession& Edit() const { return edit_; }

private:
    // Mouse and drop events of the edit controls, set up with the controls.
    void setupEditEvents();
    // Enables the list commands for what the view shows.
    void applyEditCommands(const editrules::EditCommands& c);
    // The selected row for a command that changes the list; 0 when the
    // view refuses it.
    int editableRow(Command c) const;
    // Moves the selected entry up (-1) or down (+1).
    void moveEntry(int step);
    EditSession edit_;

public:
    // ================= window: placement, show/hide, tray, hotkey ============
    void GetDesktopRectt(int& Left, int& Top, int& Width, int& Height, bool ReturnAsTwips);
    int TwipsToPixels(int twips, bool vertical);
    double GetScreenDpi();
    double TwipsPerPixelX() override;
    double TwipsPerPixelY() override;
    // Window geometry in twips: the outer frame, and the client height.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    int ScaleHeight() const;
    void SetLeft(int twips);
    void SetTop(int twips);
    void SetWidth(int twips);
    void SetHeight(int twips);
    // Row height estimate in pixels used by the fitting rules.
    double RowHeightPixels();
    bool ForceForeground();
    void ShowWin();
    void myShowWin();
    void MoveWindowToMouse();
    void Form_Resize();
    void CheckListOverflow();
    void FitWindowToList();
    void GrowForNewEntry();
    void mnuOnTop_Click();
    void mnuStay_Click();
    void mnuAutoHide_Click();
    void Timer2_Timer();
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void Form_MouseUp(int Button, int Shift, float X, float Y);
    void List1_MouseMove(int Button, int Shift, float X, float Y);
    void mnuTray_Click();
    // Resident or not, switched by the tray command only when it differs.
    void SetResident(bool on) override;
    void t_MouseUp(int Button);
    void ShowDesktopMenu();
    // The global hotkey arrived.
    void HotkeyPressed(int key);
    void mnuSideBar_Click();
    void mnuQuit_Click();
    // The sidebar, made on first use: placed for the configured position
    // (checking "S&ideBar"), hidden (unchecking it), and whether it is shown.
    Sidebar& sidebar();
    void sidebarSet() override;
    void HideSidebar() override;
    bool SidebarShown() const;
    // Grabs the configured hotkey letter in place of the one grabbed
    // before; a cleared letter releases it.
    void GrabHotkey() override;
    // After the window was hidden in the tray: says once how to get it back
    // when the desktop lacks the tray or the hotkey.
    void SayHowToRecall();

    // ================= settings ==============================================
    void sCut() override;
    // How the entries the launcher writes name its program.
    QString EntryProgram() override;
    void RefreshOwnEntries();
    // Grabs `keyText`, or when empty the keyboard shortcut kept in the menu
    // entry sCut wrote. False when another client holds it (said in a
    // message) or it is no shortcut.
    bool GrabInstallShortcut(const QString& keyText = QString());
    // That shortcut was pressed: a recall, as by the hotkey.
    void InstallShortcutPressed();
    // Opens the settings window (or brings it up when open).
    void ShowSettings();
    Form2* Settings() const;
    void SettingsClosed() override;

    // ================= desktop ===============================================
    void UpdateDateAndStartTime();
    void mnuHideIcons_Click();
    void mnuMinimize_Click();
    void mnuHideMinimize_Click();
    void mnuLock_Click();
    void myHelp_MouseUp(int Button, int Shift, float X, float Y);
    void mnuHelp_Click();
    void Label2_Click();
    void mDate_Click();
    void Label3_MouseUp(int Button, int Shift, float X, float Y);
    void Parent_MouseUp(int Button, int Shift, float X, float Y);

    // ================= shared state ===========================================
    // The shown list was changed and not saved.
    bool ListDirty() const { return model_.dirty(); }
    void SetListDirty(bool dirty) { model_.setDirty(dirty); }
    // Below 1 while keys must wait: before the first tick and for a tick
    // after the context menu closed.
    int Readiness() const { return readiness_; }
    // True once the first tick has finished start-up.
    bool StartedUp() const { return startedUp_; }

signals:
    // The program has ended: the application should quit.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The controls are the window's own: callers give commands (Do) and
    // read the model; tests find a control by its object name.
    // ================= controls (named as the program always named them) ======
    ListView* List1;
    DigitColumn* Label2;  // digit column
    QLabel* Label3;       // status letter: "S" stay open, "R" resident
    QLabel* mDate;        // date line under the list
    QLineEdit* Text2;     // search box
    QLineEdit* myRun;     // run box
    QPushButton* mBack;
    QPushButton* Parent;
    QPushButton* EditList;
    QPushButton* Browse;
    QPushButton* Find;
    QPushButton* myHelp;
    QFrame* Frame1;  // edit bar
    QPushButton* mEndEdit;
    QPushButton* mUp;
    QPushButton* mDown;
    QPushButton* mDelete;
    QPushButton* mNew;
    QPushButton* mSave;
    QTimer* Timer1;  // start-up tick, then the key pause after the menu
    QTimer* Timer2;  // auto show/hide

    // Context menu and its items.
    QMenu* menu1;
    QAction* mRunThis;
    QAction* mnuParent;
    QAction* mnuRun;
    QAction* mnuMyRun;
    QAction* mnuPendix;
    QAction* mnuBrowse;
    QAction* mnuFindFS;
    QMenu* sub;  // "&Edit"
    QAction* mnuBold;
    QAction* mnuColor;
    QAction* mnuRename;
    QAction* mnuCopy;
    QAction* mnuPaste;
    QAction* mnuDelete;
    QAction* mnuEditor;
    QAction* mnuNew;
    QAction* mnuArgs;
    QAction* mnuEdit;
    QAction* mnuRefresh;
    QAction* mnuOrder;
    QAction* mnuStay;
    QAction* mnuTray;
    QAction* mnuOnTop;
    QAction* mnuAutoHide;
    QAction* mnuHelp;
    // Desktop menu.
    QMenu* menu2;
    QAction* mnuHideIcons;
    QAction* mnuMinimize;
    QAction* mnuHideMinimize;
    QAction* mnuLock;
    QAction* mnuSideBar;
    QAction* mnuSettings;
    QAction* mnuQuit;
    // The tray icon while resident.
    TrayIcon* t = nullptr;

    void buildControls();
    void buildMenus();
    void placeControls();
    void EndProgram();
    // run: file-name and program completion of the run box, set up once.
    void setupRunCompletion();
    // Places a child in twips relative to the client area.
    void placeTwips(QWidget* w, int left, int top, int width, int height);
    // Tests reach the state below through named hooks (tests/support).
    friend class Form1Hooks;

    Platform& plat_;
    Dialogs& dlg_;
    std::unique_ptr<Sidebar> sidebar_;
    QPointer<Form2> form2_;
    DesktopIcons desktopIcons_{plat_};
    int grabbedHotkey_ = 0;
    // The menu entry's shortcut text grabbed now, upper case.
    QString grabbedShortcut_;
    QString appPath_;
    QString cmd_;
    Config config_;
    LauncherModel model_;
    configfile::WriteGuard cfgGuard_;
    bool ended_ = false;
    bool inResize_ = false;
    int readiness_ = 0;
    // Keys pressed right after the context menu closed wait this long.
    static constexpr int kKeyPauseMs = 250;
    // run: the key whose press closed the run box; its release must not act
    // on the window as well.
    int runBoxKey_ = 0;
    // run: the modifiers of each key at its press, and the keys typed
    // before the first tick, acted on at that tick.
    KeyChords chords_;
    HeldKeys heldKeys_;
    void ActOnHeldKeys();

    // window: frame, asked geometry and work area; the geometry rules count
    // the frame in Left, Top, Width and Height.
    WindowPlacement placement_;
    // window: the hotkey is registered; the window was hidden from the tray
    // icon, so bringing it forward must not show it again; a press was
    // handled, so its release must not open the menu.
    bool hotkeyHooked_ = false;
    bool hiddenFromTray_ = false;
    bool pressHandled_ = false;
    bool hotkeyUnavailable_ = false;
    bool hotkeyWorks_ = false;
    bool recallTold_ = false;
    QRect clientRect() const;
    void readWorkArea();
    void placeClient(const QRect& r);
    void placeOuter(int left, int top, int width, int height);
    bool AdoptFrame();
    void FitGeometry();
    void PlaceDateLine();
    bool startedUp_ = false;
    // Draws the run modes: the status letter and the check marks.
    void drawRunModes();
    // The caption, the list's background, the run box and the status
    // letter: set in the model, then drawn.
    void setCaption(const QString& text);
    void setListColor(std::uint32_t color);
    void showRunBox(bool on);
    // Opens or closes the search box, shows or hides the digit column.
    void showSearchBox(bool on);
    void showDigits(bool on);
    // search: the box's state, what it filters and the index build.
    std::unique_ptr<SearchSession> search_;
    // The index build ended: the caption counts its lines.
    void FsIndexBuilt();
};
