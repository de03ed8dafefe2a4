// One dispatch for every command, whichever way it came: a key, a menu
// item, a button or a relayed word. Commands that change the list are
// refused here outside a list read from its file.
#include "app/form1.h"
#include "platform/platform.h"
#include "run/entryrules.h"

void Form1::Do(Command c) {
    if (!model_.allows(c)) return;
    int mode = 0;
    switch (c) {
        case Command::Save:
        case Command::AskSave:
            SaveList();
            break;
        case Command::Drop:
            // A drop brings its files with it: List1_OLEDragDrop.
            break;
        case Command::Paste:
            mnuPaste_Click();
            break;
        case Command::NewSublist:
            mNew_Click();
            break;
        case Command::Rename:
            RenameEntry();
            break;
        case Command::SetColor:
            mnuColor_Click();
            break;
        case Command::Bold:
            mnuBold_Click();
            break;
        case Command::EditArguments:
            EditEntryArguments();
            break;
        case Command::Delete:
            mDelete_Click();
            break;
        case Command::Cut:
            mnuDelete_Click();
            break;
        case Command::MoveUp:
            mUp_Click();
            break;
        case Command::MoveDown:
            mDown_Click();
            break;
        case Command::BrowseForEntry:
            mnuBrowse_Click();
            break;
        case Command::AddFromFile:
            Browse_Click();
            break;
        case Command::EditMode:
            mnuOrder_Click();
            break;
        case Command::EditListFile:
            mnuEdit_Click();
            break;
        case Command::Run:
            RunSelection(mode, 0, 0);
            break;
        case Command::RunStayOpen:
            mRunThis_Click();
            break;
        case Command::OpenFolder:
            mnuParent_Click();
            break;
        case Command::Copy:
            CopyEntryPath();
            break;
        case Command::Editor:
            mnuEditor_Click();
            break;
        case Command::Pendix:
            mnuPendix_Click();
            break;
        case Command::Back:
            mBack_Click();
            break;
        case Command::Top:
            Parent_Click();
            break;
        case Command::QuickSearch:
            StartQuickSearch();
            break;
        case Command::FocusSearch:
            Text2->setFocus();
            break;
        case Command::FocusList:
            List1->setFocus();
            break;
        case Command::CloseSearch:
            if (model_.searchBoxShown())
                mSearch(QStringLiteral("disable"));
            else
                CloseRequest();
            break;
        case Command::AllListsSearch:
            mSearch(QStringLiteral("all-lists"));
            break;
        case Command::FileSystemSearch:
            mSearch(QStringLiteral("searchFS"));
            break;
        case Command::FileFinder: {
            const QString finder = plat_.findProgram(QStringLiteral("Norva.exe"), appPath_);
            plat_.shellExecute(finder.isEmpty() ? QStringLiteral("Norva.exe") : finder,
                               Text2->text(), QString());
            mSearch(QStringLiteral("disable"));
            break;
        }
        case Command::FileLocator: {
            // Nothing happens when the file locator is not installed.
            const QString locator = plat_.findProgram(QStringLiteral("locate32.exe"), appPath_);
            if (!locator.isEmpty())
                plat_.shellExecute(locator, Text2->text(), entryrules::folderOf(locator));
            break;
        }
        case Command::RefreshIndex:
            mnuRefresh_Click();
            break;
        case Command::RunBox:
            mnuMyRun_Click();
            break;
        case Command::RunDialog:
            ShowRunDialog();
            break;
        case Command::ContextMenu:
            ShowPopupMenu();
            break;
        case Command::StayOpen:
            ToggleStayOpen();
            break;
        case Command::Tray:
            mnuTray_Click();
            break;
        case Command::OnTop:
            mnuOnTop_Click();
            break;
        case Command::AutoShowHide:
            mnuAutoHide_Click();
            break;
        case Command::Columns:
            ToggleColumns();
            break;
        case Command::CheckEntries:
            CheckEntries();
            break;
        case Command::Help:
            myHelp_MouseUp(1, 0, 0, 0);
            break;
        case Command::HideIcons:
            mnuHideIcons_Click();
            break;
        case Command::MinimizeAll:
            mnuMinimize_Click();
            break;
        case Command::ShowDesktop:
            mnuHideMinimize_Click();
            break;
        case Command::Lock:
            mnuLock_Click();
            break;
        case Command::Sidebar:
            mnuSideBar_Click();
            break;
        case Command::Hide:
            myShowWin();
            if (model_.modes().resident && isVisible()) hide();
            break;
        case Command::Quit:
            mnuQuit_Click();
            break;
    }
}
