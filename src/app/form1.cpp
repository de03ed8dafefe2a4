#include "app/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <optional>

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "run/keycodes.h"

void DigitColumn::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    const QStringList digits = text().split(QStringLiteral("\r\n"));
    for (int i = 0; i < digits.size(); ++i)
        p.drawText(QRect(0, offset_ + i * rowHeight_, width(), rowHeight_), Qt::AlignCenter,
                   digits[i]);
}

Form1::Form1(Platform& platform, Dialogs& dialogs, const QString& programFolder,
             const QString& commandLine, QWidget* parent)
    : QWidget(parent),
      plat_(platform),
      dlg_(dialogs),
      appPath_(programFolder),
      cmd_(commandLine),
      model_(programFolder),
      search_(std::make_unique<SearchSession>(platform)) {
    setObjectName(QStringLiteral("Form1"));
    setCaption(QStringLiteral("Brennomix test"));
    setMouseTracking(true);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    buildControls();
    buildMenus();
    placeControls();
    drawRunModes();
    setupEditEvents();
    qApp->installEventFilter(this);
    // The frame arrives after the window is shown; the placement counts it.
    connect(&plat_, &Platform::windowFrameChanged, this, [this](QWidget* w) {
        if (w == this) Form_Resize();
    });
    // A program the desktop could not start is reported, never lost silently.
    connect(&plat_, &Platform::programNotStarted, this,
            [this](const QString& text) { dlg_.message(text); });
}

Form1::~Form1() {
    qApp->removeEventFilter(this);
}

void Form1::buildControls() {
    auto named = [this](auto* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    auto button = [&](const char* name, const char* caption) {
        auto* b = named(new QPushButton(QString::fromUtf8(caption), this), name);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };

    Label3 = named(new QLabel(this), "Label3");
    mBack = button("mBack", "&Back");
    Parent = button("Parent", "&Top");
    EditList = button("EditList", "&Edit list");
    Browse = button("Browse", "B&rowse");
    Find = button("Find", "&Find");
    myHelp = button("myHelp", "&Help");

    List1 = named(new ListView(this), "List1");
    Label2 = named(new DigitColumn(this), "Label2");
    mDate = named(new QLabel(this), "mDate");

    Text2 = named(new QLineEdit(this), "Text2");
    Text2->hide();
    myRun = named(new QLineEdit(this), "myRun");
    showRunBox(false);

    Frame1 = named(new QFrame(this), "Frame1");
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setAutoFillBackground(true);
    auto frameButton = [&](const char* name, const char* caption) {
        auto* b = named(new QPushButton(QString::fromUtf8(caption), Frame1), name);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    mEndEdit = frameButton("mEndEdit", "End ed&it");
    mUp = frameButton("mUp", "&Up");
    mUp->setToolTip(QStringLiteral("CTRL+Up arrow"));
    mDown = frameButton("mDown", "D&own");
    mDown->setToolTip(QStringLiteral("CTRL+Down arrow"));
    mDelete = frameButton("mDelete", "&Delete");
    mNew = frameButton("mNew", "&New");
    mSave = frameButton("mSave", "Sa&ve");
    Frame1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kKeyPauseMs);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(500);

    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    // The buttons that act on a click name their commands; Edit list and
    // End edit act on the press (setupEditEvents).
    const std::pair<QPushButton*, Command> buttons[] = {
        {mBack, Command::Back},      {Parent, Command::Top},     {Browse, Command::AddFromFile},
        {mUp, Command::MoveUp},      {mDown, Command::MoveDown}, {mDelete, Command::Delete},
        {mNew, Command::NewSublist}, {mSave, Command::Save},
    };
    for (const auto& [b, c] : buttons)
        connect(b, &QPushButton::clicked, this, [this, c = c] { Do(c); });
    connect(EditList, &QPushButton::clicked, this, &Form1::EditList_Click);
    connect(mEndEdit, &QPushButton::clicked, this, &Form1::mEndEdit_Click);
    connect(Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);

    List1->onKeyDown = [this](int& k, int s) { List1_KeyDown(k, s); };
    List1->onKeyPress = [this](int& a) { List1_KeyPress(a); };
    List1->onMouseDown = [this](int b, int s, float x, float y) { List1_MouseDown(b, s, x, y); };
    List1->onMouseUp = [this](int b, int s, float x, float y) { List1_MouseUp(b, s, x, y); };
    List1->onMouseMove = [this](int b, int s, float x, float y) { List1_MouseMove(b, s, x, y); };
    // The digits stay beside their rows when the column headers come and go.
    List1->onRowsMoved = [this] {
        Label2->SetRows(List1->RowHeight(), List1->y() + List1->viewport()->y() - Label2->y());
    };
}

void Form1::buildMenus() {
    auto action = [this](QMenu* m, const char* name, const char* caption, const char* shown,
                         std::optional<Command> command) {
        QString text = QString::fromUtf8(caption);
        // The key is only shown; the keyboard handlers act on it, never the menu.
        if (shown) text += u'\t' + QString::fromLatin1(shown);
        QAction* a = m->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        if (command) connect(a, &QAction::triggered, this, [this, c = *command] { Do(c); });
        return a;
    };
    // A menu item with a check mark that its handler switches itself: Qt's
    // own toggle is undone first, so the handler sees the mark as it was.
    auto checkAction = [&](QMenu* m, const char* name, const char* caption, const char* shown,
                           Command command) {
        QAction* a = action(m, name, caption, shown, std::nullopt);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [a](bool nowChecked) { a->setChecked(!nowChecked); });
        connect(a, &QAction::triggered, this, [this, command] { Do(command); });
        return a;
    };

    menu1 = new QMenu(this);
    menu1->setObjectName(QStringLiteral("menu1"));
    mRunThis = action(menu1, "mRunThis", "R&un this and stay open (Ctrl+Enter)", nullptr,
                      Command::RunStayOpen);
    mRunThis->setEnabled(false);
    mnuParent = action(menu1, "mnuParent", "Open &parent folder (Shift+Enter)", nullptr,
                       Command::OpenFolder);
    mnuBrowse =
        action(menu1, "mnuBrowse", "&Browse for selected item", nullptr, Command::BrowseForEntry);
    menu1->addSeparator();
    sub = menu1->addMenu(QStringLiteral("&Edit"));
    sub->setObjectName(QStringLiteral("sub"));
    mnuBold = checkAction(sub, "mnuBold", "&Bold", nullptr, Command::Bold);
    mnuColor = action(sub, "mnuColor", "&Set color", "F4", Command::SetColor);
    mnuRename = action(sub, "mnuRename", "Re&name", "F6", Command::Rename);
    mnuCopy = action(sub, "mnuCopy", "&Copy", "Ctrl+Ins", Command::Copy);
    mnuPaste = action(sub, "mnuPaste", "&Paste", "Shift+Ins", Command::Paste);
    mnuPaste->setEnabled(false);
    mnuDelete = action(sub, "mnuDelete", "&Delete (Cut)", "Shift+Del", Command::Cut);
    mnuEditor = action(sub, "mnuEditor", "Editor", nullptr, Command::Editor);
    mnuNew = action(sub, "mnuNew", "&New list", nullptr, Command::NewSublist);
    mnuArgs = action(sub, "mnuArgs", "Edit arguments", "F9", Command::EditArguments);
    mnuEdit = action(sub, "mnuEdit", "Edit saved list in notepad", nullptr, Command::EditListFile);
    mnuRefresh =
        action(sub, "mnuRefresh", "&Refresh FS Search List", nullptr, Command::RefreshIndex);
    mnuOrder = checkAction(menu1, "mnuOrder", "Edit List m&ode", "F8", Command::EditMode);
    menu1->addSeparator();
    mnuFindFS = action(menu1, "mnuFindFS", "Fin&d in preset folders and all lists", "F3",
                       Command::FileSystemSearch);
    mnuRun = action(menu1, "mnuRun", "&Run...", nullptr, Command::RunDialog);
    mnuMyRun = action(menu1, "mnuMyRun", "&myRun...", nullptr, Command::RunBox);
    mnuPendix = action(menu1, "mnuPendix", "Send to &Pendix", nullptr, Command::Pendix);
    menu1->addSeparator();
    mnuStay = checkAction(menu1, "mnuStay", "S&tay open", "F5", Command::StayOpen);
    mnuTray = checkAction(menu1, "mnuTray", "Stay in tra&y", "F7", Command::Tray);
    mnuOnTop = checkAction(menu1, "mnuOnTop", "&Always on Top", "F11", Command::OnTop);
    mnuAutoHide =
        checkAction(menu1, "mnuAutoHide", "Auto Sho&w/Hide", nullptr, Command::AutoShowHide);
    menu1->addSeparator();
    mnuHelp = action(menu1, "mnuHelp", "&Help-Settings", "F1", Command::Help);

    menu2 = new QMenu(QStringLiteral("hello"), this);
    menu2->setObjectName(QStringLiteral("menu2"));
    mnuHideIcons =
        action(menu2, "mnuHideIcons", "&Hide/Show Desktop Icons", nullptr, Command::HideIcons);
    mnuMinimize =
        action(menu2, "mnuMinimize", "&Minimize all windows", nullptr, Command::MinimizeAll);
    mnuHideMinimize = action(menu2, "mnuHideMinimize", "Hi&de Icons and minimize windows", nullptr,
                             Command::ShowDesktop);
    mnuLock = action(menu2, "mnuLock", "&Lock session", nullptr, Command::Lock);
    mnuSideBar = checkAction(menu2, "mnuSideBar", "S&ideBar", nullptr, Command::Sidebar);
    // A program that lives in the tray is left and set up from its icon.
    menu2->addSeparator();
    mnuSettings = action(menu2, "mnuSettings", "&Settings", nullptr, Command::Help);
    mnuQuit = action(menu2, "mnuQuit", "&Quit", nullptr, Command::Quit);
}

void Form1::placeTwips(QWidget* w, int left, int top, int width, int height) {
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    w->setGeometry(int(std::lround(left / tx)), int(std::lround(top / ty)),
                   int(std::lround(width / tx)), int(std::lround(height / ty)));
}

// Design-time places of the controls that start-up does not move itself.
void Form1::placeControls() {
    const int buttonWidth = 710;
    int x = 200;
    for (QPushButton* b : {mBack, Parent, EditList, Browse, Find, myHelp}) {
        placeTwips(b, x, 35, buttonWidth, 300);
        x += buttonWidth;
    }
    Label3->lower();
    placeTwips(mDate, 200, 2820, 4270, 195);
    const int frameButton = 700;
    x = 40;
    for (QPushButton* b : {mEndEdit, mUp, mDown, mDelete, mNew, mSave}) {
        placeTwips(b, x, 100, frameButton, 300);
        x += frameButton;
    }
}

void Form1::closeEvent(QCloseEvent* e) {
    // The window's close box is a close request like any other; hiding or
    // ending is decided there, so the event itself never closes anything.
    e->ignore();
    CloseRequest();
}

void Form1::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (inResize_) return;
    inResize_ = true;
    Form_Resize();
    inResize_ = false;
}

void Form1::mouseMoveEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    Form_MouseMove(keycodes::mouseButtons(e->buttons()), keycodes::shiftState(e->modifiers()),
                   float(p.x() * TwipsPerPixelX()), float(p.y() * TwipsPerPixelY()));
}

void Form1::mouseReleaseEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    const int b = keycodes::mouseButton(e->button());
    Form_MouseUp(b, keycodes::shiftState(e->modifiers()), float(p.x() * TwipsPerPixelX()),
                 float(p.y() * TwipsPerPixelY()));
}

bool Form1::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if (type == QEvent::KeyRelease || type == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        auto* w = qobject_cast<QWidget*>(watched);
        const int original = keycodes::fromQt(ke->key(), ke->modifiers() & Qt::KeypadModifier);
        int shift = keycodes::shiftState(ke->modifiers());
        const bool atFocus =
            w && w->window() == this &&
            (w == QApplication::focusWidget() || (!QApplication::focusWidget() && w == this));
        // Keys typed as the window first appears wait for the first tick.
        if (!startedUp_ && atFocus) {
            heldKeys_.hold({type == QEvent::KeyPress, ke->key(), int(ke->modifiers()), ke->text(),
                            ke->isAutoRepeat()});
            return true;
        }
        if (original && atFocus && !ke->isAutoRepeat()) {
            if (type == QEvent::KeyPress)
                chords_.pressed(original, shift);
            else
                shift = chords_.released(original, shift);
        }
        // The window sees every key release first (key preview), once: at
        // the widget the event is delivered to. A key that hid the window
        // is not seen again as the release travels on to the window itself.
        if (type == QEvent::KeyRelease && atFocus && isVisible() && !ke->isAutoRepeat() &&
            original) {
            int code = original;
            Form_KeyUp(code, shift);
            if (code == 0) return true;
            if (watched == Text2) {
                Text2_KeyUp(code, shift);
                if (code == 0) return true;
            }
            return false;
        }
        if (type == QEvent::KeyPress && original) {
            int code = original;
            if (watched == Text2) {
                Text2_KeyDown(code, shift);
                return code == 0;
            }
            if (watched == myRun) {
                myRun_KeyDown(code, shift);
                return code == 0;
            }
        }
        return false;
    }
    // Presses seen before the window lost the keyboard are released elsewhere.
    if (type == QEvent::WindowDeactivate && watched == this) chords_.clear();
    // Until the first tick has finished start-up, clicks are held back
    // like keys: a button or the menu would act on a window not set up yet.
    if (!startedUp_ && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                        type == QEvent::MouseButtonDblClick)) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this) return true;
    }
    // A press of any button on Find starts the file-system search.
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
        watched == Find && Find->isEnabled()) {
        Timer2->stop();
        mSearch(QStringLiteral("searchFS"));
        // The left button still goes down; no other reaches the window.
        return static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton;
    }
    if (type == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(e);
        const int b = keycodes::mouseButton(me->button());
        const int s = keycodes::shiftState(me->modifiers());
        const QPointF p = me->position();
        const float x = float(p.x() * TwipsPerPixelX()), y = float(p.y() * TwipsPerPixelY());
        // Buttons still need the left release to click; the other buttons'
        // releases, and the labels', stop here instead of reaching the
        // window background, whose release opens the context menu.
        if (watched == myHelp) {
            myHelp_MouseUp(b, s, x, y);
            if (b != 1) return true;
        } else if (watched == Parent && Parent->isEnabled()) {
            Parent_MouseUp(b, s, x, y);
            if (b != 1) return true;
        } else if (watched == Find && Find->isEnabled()) {
            if (b != 1) return true;
        } else if (watched == Label3) {
            Label3_MouseUp(b, s, x, y);
            return true;
        } else if (watched == Label2 || watched == mDate) {
            if (b == 1) watched == Label2 ? Label2_Click() : mDate_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}
