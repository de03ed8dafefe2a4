// The keyboard command table driven by real key events on the real Form1,
// grouped by the handler that owns the key.
#include "controls.h"
#include "runfixture.h"

using ListKeys = RunFixture;

TEST_F(ListKeys, DigitsRunTheirRowOnlyWhileEveryRowFits) {
    const struct {
        int rows;
        Qt::Key key;
        QString ran;  // empty: nothing runs
    } cases[] = {{2, Qt::Key_2, "/apps/tool2"},   {2, Qt::Key_5, ""},
                 {9, Qt::Key_9, "/apps/tool9"},   {9, Qt::Key_0, ""},
                 {10, Qt::Key_0, "/apps/tool10"}, {12, Qt::Key_0, "/apps/tool10"},
                 {12, Qt::Key_3, "/apps/tool3"},  {30, Qt::Key_3, ""}};
    for (const auto& c : cases) {
        plat.calls.clear();
        startOn(rows(c.rows));
        EXPECT_EQ(!control<DigitColumn>(*form, "Label2")->isHidden(), c.rows != 30) << c.rows;
        key(c.key);
        if (c.ran.isEmpty()) {
            EXPECT_TRUE(shellCalls().isEmpty()) << c.rows << " rows, key " << c.key;
            EXPECT_FALSE(windowClosed());
        } else {
            EXPECT_EQ(shellCalls(), QStringList{"shellExecute|" + c.ran + "||"})
                << c.rows << " rows, key " << c.key;
            EXPECT_TRUE(windowClosed());
        }
    }
}

TEST_F(ListKeys, KeypadDigitsActAsTheMainOnes) {
    startOn(rows(12));
    form->ToggleStayOpen();
    key(Qt::Key_5, Qt::KeypadModifier);
    key(Qt::Key_0, Qt::KeypadModifier);
    key(Qt::Key_0);
    EXPECT_EQ(shellCalls(),
              (QStringList{"shellExecute|/apps/tool5||", "shellExecute|/apps/tool10||",
                           "shellExecute|/apps/tool10||"}));
    // A modifier makes a digit an ordinary key.
    key(Qt::Key_4, Qt::ShiftModifier);
    EXPECT_EQ(shellCalls().size(), 3);
}

TEST_F(ListKeys, DigitsNeverTypeToSelectInAScrollingList) {
    startOn({"1 one\tone", "2 two\ttwo", "3 three\tthree"});
    control<ListView>(*form, "List1")->ListItems().AddRows(std::vector<ListModel::Row>(40));
    form->CheckListOverflow();
    ASSERT_TRUE(control<DigitColumn>(*form, "Label2")->isHidden());
    control<ListView>(*form, "List1")->SetSelected(1, true);
    key(Qt::Key_3);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);
}

// A list just shown has no current row: the first End goes to the last
// entry, the first Home to the first, in a list that fits and one that
// scrolls, also when the list is shown again while the keyboard is on it.
TEST_F(ListKeys, EndAndHomeOnAFreshListGoToTheLastAndFirstEntry) {
    for (const int n : {4, 30}) {
        startOn(rows(n));
        QString top = "Brennomix";
        // First as started (the window took the focus after the rows came),
        // then shown again while the keyboard is on the list.
        bool started = true;
        for (const Qt::Key k : {Qt::Key_Home, Qt::Key_End, Qt::Key_Home, Qt::Key_End}) {
            if (!started) form->LoadList(top);
            started = false;
            ASSERT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 0);
            key(k);
            const int expected = k == Qt::Key_End ? n : 1;
            EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), expected)
                << n << " rows, key " << k;
            EXPECT_TRUE(control<ListView>(*form, "List1")->Selected(expected))
                << n << " rows, key " << k;
        }
    }
}

TEST_F(ListKeys, ArrowsWrapAndRightRuns) {
    startOn(rows(4));
    control<ListView>(*form, "List1")->SetSelected(1, true);
    key(Qt::Key_Up);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 4);
    key(Qt::Key_Down);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);
    key(Qt::Key_Down);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 2);
    key(Qt::Key_Up);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);

    // Page keys only as arrows when set so.
    form->Cfg().pageKeysAsArrows = true;
    key(Qt::Key_PageUp);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 4);
    key(Qt::Key_PageDown);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);

    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|/apps/tool1||"});
    EXPECT_FALSE(windowClosed());
    key(Qt::Key_Right);
    EXPECT_EQ(shellCalls().size(), 2);
    EXPECT_TRUE(windowClosed());
}

TEST_F(ListKeys, UpWrapsByTextFromARowTitledLikeTheFirst) {
    startOn({"Same\ta", "Other\tb", "Same\tc"});
    control<ListView>(*form, "List1")->SetSelected(3, true);
    key(Qt::Key_Up);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 3);
}

TEST_F(ListKeys, SpaceAndEnterRunTheCurrentRow) {
    startOn(rows(3));
    form->ToggleStayOpen();
    control<ListView>(*form, "List1")->SetSelected(3, true);
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(shellCalls(), QStringList(3, "shellExecute|/apps/tool3||"));
}

TEST_F(ListKeys, KeysBackToTheTopList) {
    writeList("mTools", {"hammer\thammer"});
    startOn({"Tools", "top\ttop"});
    auto openTools = [this] {
        control<ListView>(*form, "List1")->SetSelected(1, true);
        key(Qt::Key_Return);
        ASSERT_EQ(form->windowTitle(), "Brennomix Tools");
    };
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Backspace, Qt::AltModifier},
                                                              {Qt::Key_QuoteLeft, Qt::NoModifier},
                                                              {Qt::Key_Minus, Qt::KeypadModifier},
                                                              {Qt::Key_Period, Qt::KeypadModifier},
                                                              {Qt::Key_Left, Qt::ControlModifier}};
    for (const auto& [k, m] : keys) {
        openTools();
        key(k, m);
        EXPECT_EQ(form->windowTitle(), "Brennomix Launcher") << k;
    }

    // In edit mode only Backspace leaves the list.
    openTools();
    form->mnuOrder_Click();
    key(Qt::Key_QuoteLeft);
    key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(form->windowTitle(), "Brennomix Tools");
    key(Qt::Key_Backspace);
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
    form->mnuOrder_Click();

    // Left goes back to the list the sublist came from.
    openTools();
    key(Qt::Key_Left);
    EXPECT_EQ(form->windowTitle(), "Brennomix Launcher");
}

TEST_F(ListKeys, LettersOpenTheQuickSearch) {
    startOn({"alpha\ta", "beta\tb"});
    key(Qt::Key_B);
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isHidden());
    key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_FALSE(control<QLineEdit>(*form, "Text2")->isHidden());
    EXPECT_EQ(control<QLineEdit>(*form, "Text2")->text(), "b");
    EXPECT_FALSE(form->EditableView());
}

TEST_F(ListKeys, LettersWithQuickSearchOnAskToSaveFirst) {
    startOn({"alpha\ta", "beta\tb"});
    form->Cfg().quickSearch = true;
    form->SetListDirty(true);
    dlg.answers = {false};
    key(Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(dlg.shown, QStringList{"question||List not saved. Save now?"});
    EXPECT_EQ(control<QLineEdit>(*form, "Text2")->text(), "a");
}

TEST_F(ListKeys, CopyAndTheCheckOfEntries) {
    startOn({"App\tapp\t/tools/", "Gone\t/no/such/file"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(plat.clipboard, "/tools/app");
    key(Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ(titles(), (QStringList{" ! App", " ! Gone"}));
}

using WindowKeys = RunFixture;

TEST_F(WindowKeys, KeysTypedBeforeTheFirstTickActAtItInOrder) {
    startOn(rows(3), false);
    // The release of a key pressed before the window existed.
    QTest::keyRelease(control<ListView>(*form, "List1"), Qt::Key_Escape);
    key(Qt::Key_F5);
    key(Qt::Key_2);
    // Start-up made the program resident; nothing acted yet.
    EXPECT_EQ(form->Model().modes().statusLetter(), "R");
    EXPECT_TRUE(shellCalls().isEmpty());
    form->Timer1_Timer();
    // Stay-open first, so the run of row 2 keeps the window; the stray
    // Escape closed nothing.
    EXPECT_EQ(form->Model().modes().statusLetter(), "S");
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|/apps/tool2||"});
    EXPECT_FALSE(windowClosed());
    key(Qt::Key_F5);
    EXPECT_EQ(form->Model().modes().statusLetter(), "R");
}

TEST_F(WindowKeys, ChordsActWhateverTheReleaseOrder) {
    startOn({"alpha\ta", "beta\tb"});
    // The modifiers are let go before the key, as xdotool does.
    auto chord = [this](Qt::Key k, Qt::KeyboardModifiers mods) {
        QTest::keyPress(QApplication::focusWidget(), k, mods);
        QTest::keyRelease(QApplication::focusWidget(), k, Qt::NoModifier);
    };
    form->Model().list().setTitle(1, "renamed");
    chord(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(readFile("Brennomix.ini").startsWith("renamed\ta"));
    chord(Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(form->Model().modes().statusLetter(), "S");
    control<ListView>(*form, "List1")->SetSelected(2, true);
    chord(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|b||"});
    chord(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_FALSE(control<QLineEdit>(*form, "Text2")->isHidden());
    // Each press counts once: a bare S afterwards is no chord.
    chord(Qt::Key_Escape, Qt::NoModifier);
    control<ListView>(*form, "List1")->setFocus();
    form->Model().list().setTitle(1, "again");
    QTest::keyRelease(control<ListView>(*form, "List1"), Qt::Key_S);
    EXPECT_TRUE(readFile("Brennomix.ini").startsWith("renamed\ta"));
}

TEST_F(WindowKeys, StayOpenTogglesOncePerKey) {
    startOn(rows(3));
    key(Qt::Key_F5);
    EXPECT_EQ(form->Model().modes().statusLetter(), "S");
    EXPECT_TRUE(form->Model().modes().stayOpen);
    key(Qt::Key_F5, Qt::ShiftModifier | Qt::ControlModifier);
    // Back to the residency marker.
    EXPECT_EQ(form->Model().modes().statusLetter(), "R");
    key(Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(form->Model().modes().statusLetter(), "S");
    control<ListView>(*form, "List1")->SetSelected(2, true);
    key(Qt::Key_2);
    EXPECT_EQ(shellCalls().size(), 1);
    EXPECT_FALSE(windowClosed());
}

TEST_F(WindowKeys, EscapeClosesTheSearchBoxOrElseTheWindow) {
    startOn(rows(3));
    form->mSearch("all-lists");
    key(Qt::Key_Escape);
    // Closing the search box belongs to the search; the window stays.
    EXPECT_FALSE(windowClosed());
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isHidden());
    control<ListView>(*form, "List1")->setFocus();
    key(Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_TRUE(windowClosed());
}

TEST_F(WindowKeys, EnterWithModifiersRunsAndStaysOrOpensTheFolder) {
    startOn({"Tool\ttool\t/apps/"});
    control<ListView>(*form, "List1")->SetSelected(1, true);
    key(Qt::Key_Return, Qt::ControlModifier);
    key(Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(shellCalls(), (QStringList{"shellExecute|tool||/apps/", "shellExecute|tool||/apps/",
                                         "shellExecute|/apps/||"}));
    EXPECT_EQ(plat.clipboard, "/apps/tool");
    EXPECT_FALSE(windowClosed());
}

TEST_F(WindowKeys, RunBoxAndRunDialogKeys) {
    startOn(rows(2));
    key(Qt::Key_QuoteLeft, Qt::ControlModifier);
    EXPECT_FALSE(control<QLineEdit>(*form, "myRun")->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>(*form, "myRun"));
    // Down in the run box leaves the focus there.
    key(Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>(*form, "myRun"));
    control<QLineEdit>(*form, "myRun")->hide();
    control<ListView>(*form, "List1")->setFocus();

    plat.runDialogResult = true;
    key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(plat.callsStartingWith("openRunDialog").size(), 1);
    EXPECT_TRUE(windowClosed());
}

TEST_F(WindowKeys, F12StartsTheFileFinderWithTheSearchText) {
    startOn(rows(2));
    key(Qt::Key_F12);
    EXPECT_TRUE(shellCalls().isEmpty());
    // The finder takes over: the search box closes and the window with it.
    form->mSearch("all-lists");
    control<QLineEdit>(*form, "Text2")->setText("report");
    plat.programs["Norva.exe"] = "/opt/norva/Norva";
    key(Qt::Key_F12);
    EXPECT_EQ(shellCalls(), QStringList{"shellExecute|/opt/norva/Norva|report|"});
    EXPECT_TRUE(control<QLineEdit>(*form, "Text2")->isHidden());
    EXPECT_TRUE(windowClosed());
    // The external locator only when installed (the hidden window was
    // reset to the top list, which emptied the box).
    form->show();
    control<ListView>(*form, "List1")->setFocus();
    control<QLineEdit>(*form, "Text2")->setText("report");
    key(Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_EQ(shellCalls().size(), 1);
    plat.programs["locate32.exe"] = "/opt/locate/locate32";
    key(Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_EQ(shellCalls().value(1), "shellExecute|/opt/locate/locate32|report|/opt/locate/");
}

TEST_F(WindowKeys, ColumnHeadersWithAltF12) {
    startOn(rows(2));
    key(Qt::Key_F12, Qt::AltModifier);
    EXPECT_FALSE(control<ListView>(*form, "List1")->HideColumnHeaders());
    key(Qt::Key_F12, Qt::AltModifier);
    EXPECT_TRUE(control<ListView>(*form, "List1")->HideColumnHeaders());
}

TEST_F(WindowKeys, SaveKeyNeverWritesSearchResults) {
    startOn({"alpha\ta", "beta\tb"});
    const QByteArray before = readFile("Brennomix.ini");
    form->Model().list().setTitle(1, "renamed");
    key(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(readFile("Brennomix.ini"), QByteArray("renamed\ta\t\t\t\t\r\nbeta\tb\t\t\t\t\r\n"));

    // With the quick search on, the press of S already shows the search
    // box in place of the list: the release must not save what is shown.
    QString top = "Brennomix";
    form->LoadList(top);
    form->Cfg().quickSearch = true;
    control<ListView>(*form, "List1")->setFocus();
    const QByteArray saved = readFile("Brennomix.ini");
    form->Model().list().setTitle(1, "found");
    key(Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(control<QLineEdit>(*form, "Text2")->isHidden());
    EXPECT_EQ(readFile("Brennomix.ini"), saved);
    EXPECT_NE(before, saved);
}

// Keys on a list of a million rows: wrapping compares two rows, never the
// whole list. Figures are printed, not asserted.
TEST_F(ListKeys, MillionRowsWrapWithoutWalkingTheList) {
    startOn(rows(1));
    std::vector<ListModel::Row> many(999'999);
    for (size_t i = 0; i < many.size(); ++i) many[i].text = QString::number(i);
    control<ListView>(*form, "List1")->ListItems().AddRows(std::move(many));
    form->CheckListOverflow();
    control<ListView>(*form, "List1")->SetSelected(1, true);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 100; ++i) {
        key(Qt::Key_Up);
        key(Qt::Key_Down);
    }
    const qint64 ms = t.elapsed();
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1);
    key(Qt::Key_Up);
    EXPECT_EQ(control<ListView>(*form, "List1")->SelectedItem(), 1'000'000);
    std::printf("[ figures  ] 1,000,000 rows: 200 wrapping arrow keys %lld ms\n",
                static_cast<long long>(ms));
}
