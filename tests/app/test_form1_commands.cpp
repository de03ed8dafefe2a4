// A key, a menu item, a button and a relayed word that name the same
// command act the same: each way is driven on a fresh window over the same
// files, and what the user can see afterwards compares equal.
#include <QDir>

#include "runfixture.h"

namespace {

struct Way {
    enum Kind { Key, Menu, Button, Word } kind;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    QString name;  // the menu item's or button's object name, or the word
};

Way keyWay(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    return {Way::Key, k, m, {}};
}
Way menuWay(const char* name) {
    return {Way::Menu, Qt::Key_unknown, Qt::NoModifier, QString::fromLatin1(name)};
}
Way buttonWay(const char* name) {
    return {Way::Button, Qt::Key_unknown, Qt::NoModifier, QString::fromLatin1(name)};
}
Way wordWay(const char* word) {
    return {Way::Word, Qt::Key_unknown, Qt::NoModifier, QString::fromLatin1(word)};
}

// What a user can tell after a command.
struct Outcome {
    bool stayOpen = false, resident = false, onTop = false, closed = false;
    ViewKind view = ViewKind::Nothing;
    QStringList titles;
    QStringList shell;
    QByteArray listFile;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* os) {
    *os << "stay " << o.stayOpen << " resident " << o.resident << " top " << o.onTop << " closed "
        << o.closed << " view " << int(o.view) << " titles " << o.titles.join(u'|').toStdString()
        << " shell " << o.shell.join(u'|').toStdString() << " file "
        << o.listFile.toHex().toStdString();
}

}  // namespace

class Commands : public RunFixture {
protected:
    // `setup` brings the window to where the command is given.
    Outcome outcome(const std::function<void(Form1&)>& setup, const Way* way) {
        form.reset();
        plat.calls.clear();
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        writeList("mTools", {"hammer\t/apps/hammer"});
        startOn({"alpha\t/apps/a", "beta\t/apps/b", "Tools"});
        form->findChild<ListView*>("List1")->SetSelected(1, true);
        if (setup) setup(*form);
        if (way) act(*way);
        Outcome o;
        const RunModes& m = form->Model().modes();
        o.stayOpen = m.stayOpen;
        o.resident = m.resident;
        o.onTop = m.onTop;
        o.closed = windowClosed();
        o.view = form->Model().view().kind;
        o.titles = titles();
        o.shell = shellCalls();
        o.listFile = readFile("Brennomix.ini");
        return o;
    }

    void act(const Way& w) {
        switch (w.kind) {
            case Way::Key:
                key(w.key, w.mods);
                break;
            case Way::Menu: {
                auto* a = form->findChild<QAction*>(w.name);
                ASSERT_TRUE(a) << w.name.toStdString();
                a->trigger();
                break;
            }
            case Way::Button: {
                auto* b = form->findChild<QPushButton*>(w.name);
                ASSERT_TRUE(b) << w.name.toStdString();
                b->click();
                break;
            }
            case Way::Word:
                form->DeliverWords({w.name});
                break;
        }
    }
};

TEST_F(Commands, EveryWayOfNamingACommandActsTheSame) {
    const auto changed = [](Form1& f) {
        f.Model().list().setTitle(2, "changed");
        f.SetListDirty(true);
    };
    const auto searched = [changed](Form1& f) {
        changed(f);
        f.Do(Command::QuickSearch);
        f.findChild<ListView*>("List1")->setFocus();
    };
    const struct {
        const char* what;
        std::function<void(Form1&)> setup;
        std::vector<Way> ways;
    } cases[] = {
        {"file-system search",
         nullptr,
         {keyWay(Qt::Key_F3), menuWay("mnuFindFS"), wordWay("/search")}},
        {"stay open", nullptr, {keyWay(Qt::Key_F5), menuWay("mnuStay")}},
        {"tray", nullptr, {keyWay(Qt::Key_F7), menuWay("mnuTray")}},
        {"on top", nullptr, {keyWay(Qt::Key_F11), menuWay("mnuOnTop")}},
        {"open the folder",
         nullptr,
         {keyWay(Qt::Key_Return, Qt::ShiftModifier), menuWay("mnuParent")}},
        {"move down", nullptr, {keyWay(Qt::Key_Down, Qt::ControlModifier), buttonWay("mDown")}},
        {"cut", nullptr, {keyWay(Qt::Key_Delete, Qt::ShiftModifier), menuWay("mnuDelete")}},
        {"top",
         [](Form1& f) {
             f.findChild<ListView*>("List1")->SetSelected(3, true);
             f.Do(Command::Run);
         },
         {keyWay(Qt::Key_Backspace), buttonWay("Parent")}},
        {"save",
         changed,
         {keyWay(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier), buttonWay("mSave")}},
        // Refused the same way on search results, whichever way it came.
        {"save over results",
         searched,
         {keyWay(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier), buttonWay("mSave")}},
        {"quit", nullptr, {menuWay("mnuQuit"), wordWay("quit")}},
    };
    for (const auto& c : cases) {
        const Outcome before = outcome(c.setup, nullptr);
        const Outcome first = outcome(c.setup, &c.ways.front());
        if (std::string_view(c.what) != "save over results")
            EXPECT_FALSE(first == before) << c.what << ": the command did nothing";
        else
            EXPECT_EQ(first.listFile, before.listFile);
        for (const Way& w : c.ways)
            EXPECT_EQ(outcome(c.setup, &w), first) << c.what << ", way " << int(w.kind);
    }
}
