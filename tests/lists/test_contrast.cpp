#include <gtest/gtest.h>

#include "lists/contrast.h"
#include "lists/listfile.h"

using contrast::kReadable;
using contrast::ratio;
using contrast::readable;

namespace {
const std::uint32_t kWhite = listfile::rgb(255, 255, 255);
const std::uint32_t kBlack = 0;
const std::uint32_t kDarkBase = listfile::rgb(42, 42, 42);  // a dark theme's list
const std::uint32_t kSublist = listfile::rgb(180, 0, 0);
}  // namespace

TEST(Contrast, RatioFollowsTheGuidelinesFormula) {
    EXPECT_NEAR(ratio(kBlack, kWhite), 21.0, 1e-9);
    EXPECT_NEAR(ratio(kWhite, kBlack), 21.0, 1e-9);
    EXPECT_NEAR(ratio(kSublist, kSublist), 1.0, 1e-9);
    // The guidelines' own example: #777777 on white is just below 4.5.
    EXPECT_NEAR(ratio(listfile::rgb(0x77, 0x77, 0x77), kWhite), 4.48, 0.01);
}

TEST(Contrast, ColoursThatReadAlreadyAreKept) {
    EXPECT_EQ(readable(kSublist, kWhite), kSublist);
    EXPECT_EQ(readable(listfile::rgb(0, 110, 0), kWhite), listfile::rgb(0, 110, 0));
    EXPECT_EQ(readable(kWhite, kDarkBase), kWhite);
}

TEST(Contrast, DarkColoursOnADarkListAreLightenedJustEnough) {
    for (const std::uint32_t c : {kSublist, listfile::rgb(0, 0, 128), kBlack}) {
        const std::uint32_t shown = readable(c, kDarkBase);
        EXPECT_GE(ratio(shown, kDarkBase), kReadable) << c;
        // Lighter, not white: the entry keeps a trace of its own colour.
        EXPECT_GT(contrast::luminance(shown), contrast::luminance(c)) << c;
        EXPECT_LT(ratio(shown, kDarkBase), 5.0) << c;
    }
    // The sublists' red stays red.
    const std::uint32_t red = readable(kSublist, kDarkBase);
    EXPECT_GT(red & 0xFF, (red >> 8) & 0xFF);
}

TEST(Contrast, LightColoursOnALightListAreDarkened) {
    const std::uint32_t yellow = listfile::rgb(255, 255, 0);
    const std::uint32_t shown = readable(yellow, kWhite);
    EXPECT_GE(ratio(shown, kWhite), kReadable);
    EXPECT_LT(contrast::luminance(shown), contrast::luminance(yellow));
    // The pale yellow of the quick search darkens a dark theme's light text.
    const std::uint32_t pale = listfile::rgb(255, 255, 208);
    EXPECT_GE(ratio(readable(listfile::rgb(220, 220, 220), pale), pale), kReadable);
}

TEST(Contrast, AMiddleGreyBackgroundStillGetsReadableText) {
    for (int grey : {110, 118, 128, 140}) {
        const std::uint32_t bg = listfile::rgb(grey, grey, grey);
        EXPECT_GE(ratio(readable(bg, bg), bg), kReadable) << grey;
    }
}
