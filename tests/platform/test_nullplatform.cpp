#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/form1.h"
#include "controls.h"
#include "platform/null/nullplatform.h"
#include "platform/processstart.h"

// The null system: the launcher runs over it without touching anything
// outside its program folder.
TEST(NullPlatform, TheLauncherRunsOverItWithoutEffects) {
    QTemporaryDir dir;
    QFile list(dir.path() + "/Brennomix.ini");
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("Tool\ttool\r\n");
    list.close();
    NullPlatform platform;
    NullDialogs dialogs;
    Form1 form(platform, dialogs, dir.path(), QString());
    form.Form_Load();
    form.Timer1_Timer();
    ASSERT_EQ(control<ListView>(form, "List1")->ListItems().Count(), 1);
    control<ListView>(form, "List1")->SetSelected(1, true);
    // Nothing starts: the entry is not found and the window stays.
    int mode = 0;
    form.RunSelection(mode, 0, 0);
    EXPECT_FALSE(form.Ended());
    EXPECT_EQ(mode, 2);
}

TEST(NullPlatform, StartUpRunsAloneAndHasNoWindowsToLoad) {
    const auto claim = processstart::makeInstanceClaim("/nowhere");
    EXPECT_EQ(claim->claim({"aa", "/2"}), processstart::Role::Alone);
    std::string error;
    EXPECT_EQ(processstart::loadLauncher(processstart::executableFolder(), &error), nullptr);
    EXPECT_FALSE(error.empty());
}
