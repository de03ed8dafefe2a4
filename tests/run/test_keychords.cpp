// The chord a key release acts with, and the keys held before the first tick.
#include <gtest/gtest.h>

#include "run/keychords.h"

TEST(KeyChords, AReleaseActsWithTheModifiersOfItsPress) {
    KeyChords c;
    c.pressed('S', 6);
    // Ctrl and Alt were let go first: still Ctrl+Alt+S, once.
    EXPECT_EQ(c.released('S', 0), 6);
    EXPECT_EQ(c.released('S', 0), 0);
    // A press not seen leaves the modifiers held at the release.
    EXPECT_EQ(c.released('A', 4), 4);
    c.pressed('A', 4);
    c.clear();
    EXPECT_EQ(c.released('A', 0), 0);
}

TEST(HeldKeys, PressesAndTheirReleasesAreHeldInOrder) {
    HeldKeys h;
    // The release of the key that started the program, and a repeat of it.
    EXPECT_FALSE(h.hold({false, 'R', 0, "", false}));
    EXPECT_FALSE(h.hold({true, 'R', 0, "r", true}));
    EXPECT_TRUE(h.hold({true, '2', 0, "2", false}));
    EXPECT_TRUE(h.hold({true, '2', 0, "2", true}));
    EXPECT_TRUE(h.hold({false, '2', 0, "2", false}));
    // Released: a later stray repeat of it is not held.
    EXPECT_FALSE(h.hold({false, '2', 0, "2", true}));
    EXPECT_TRUE(h.hold({true, 'X', 0, "x", false}));
    const std::vector<HeldKeys::Key> keys = h.take();
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_TRUE(keys[0].press && !keys[0].autoRepeat && keys[0].text == "2");
    EXPECT_TRUE(keys[1].autoRepeat);
    EXPECT_FALSE(keys[2].press);
    EXPECT_EQ(keys[3].key, 'X');
    EXPECT_TRUE(h.empty());

    // A flood is cut at the limit, not kept without end.
    for (size_t i = 0; i < HeldKeys::kLimit + 10; ++i)
        h.hold({true, int('a' + i % 26), 0, "", false});
    EXPECT_EQ(h.take().size(), HeldKeys::kLimit);
}
