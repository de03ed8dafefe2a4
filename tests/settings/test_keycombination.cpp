#include <gtest/gtest.h>

#include "platform/keycombination.h"

namespace {
KeyCombination keys(const char* text) {
    const auto k = keycombination::parse(QString::fromUtf8(text));
    EXPECT_TRUE(k.has_value()) << text;
    return k.value_or(KeyCombination{});
}
}  // namespace

TEST(KeyCombination, ReadsTheExamplesOfThePrompt) {
    EXPECT_EQ(keys("CTRL+ALT+A"), (KeyCombination{false, true, true, false, "A"}));
    EXPECT_EQ(keys("CTRL+A"), (KeyCombination{false, true, false, false, "A"}));
    EXPECT_EQ(keys("CTRL+SHIFT+A"), (KeyCombination{true, true, false, false, "A"}));
    EXPECT_EQ(keys("ALT+A"), (KeyCombination{false, false, true, false, "A"}));
}

TEST(KeyCombination, AnyCaseBlanksAndOtherKeys) {
    EXPECT_EQ(keys(" ctrl + alt + a "), keys("CTRL+ALT+A"));
    EXPECT_EQ(keys("ctrl\t+\ta"), keys("CTRL+A"));
    EXPECT_EQ(keys("Control+Alt+F12").key, "F12");
    EXPECT_EQ(keys("F5"), (KeyCombination{false, false, false, false, "F5"}));
    EXPECT_EQ(keys("SHIFT+F24").key, "F24");
    EXPECT_EQ(keys("super+space").key, "SPACE");
    EXPECT_EQ(keys("ALT+;").key, ";");
    EXPECT_EQ(keycombination::keysym(keys("CTRL+ALT+A")), 0x61u);
    EXPECT_EQ(keycombination::keysym(keys("CTRL+F1")), 0xffbeu);
    EXPECT_EQ(keycombination::keysym(keys("ALT+PGDN")),
              keycombination::keysym(keys("ALT+PAGEDOWN")));
}

TEST(KeyCombination, RefusesWhatIsNoShortcut) {
    for (const char* text : {"", "CTRL+", "FOO", "CTRL+FOO", "A", "SHIFT+A", "CTRL+ALT", "CTRL++",
                             "F0", "F25", "F05", "HYPER+A", "CTRL+AB", "CTRL+\xc3\xa9\xc3\xa9",
                             // Would not read back from the one line it is stored in.
                             "CTRL+ALT+\nA", "CTRL\r\n+A", "CTRL+A\n",
                             "CTRL+\x1b"
                             "A"})
        EXPECT_FALSE(keycombination::parse(QString::fromUtf8(text)).has_value()) << text;
}
