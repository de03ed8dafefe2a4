#include <gtest/gtest.h>

#include "run/runmodes.h"

TEST(RunModes, TheStatusLetterAndEditModeHoldHoverSelection) {
    RunModes m;
    EXPECT_EQ(m.statusLetter(), "");
    m.resident = true;
    EXPECT_EQ(m.statusLetter(), "R");
    // Stay-open shows while on, whatever residency did meanwhile.
    m.stayOpen = true;
    EXPECT_EQ(m.statusLetter(), "S");

    bool hover = true;
    m.setEditMode(true, hover);
    EXPECT_FALSE(hover);
    m.setEditMode(false, hover);
    EXPECT_TRUE(hover);
    // Hover selection that was off stays off.
    hover = false;
    m.setEditMode(true, hover);
    m.setEditMode(false, hover);
    EXPECT_FALSE(hover);
}

TEST(RunModes, WhatTheWindowDoesAfterARun) {
    using runmodes::afterStart;
    EXPECT_EQ(afterStart(true, 0, true), RunNext::OpenSublist);
    EXPECT_EQ(afterStart(false, 42, true), RunNext::Close);
    EXPECT_EQ(afterStart(false, runmodes::kNotFound, true), RunNext::AskBrowse);
    EXPECT_EQ(afterStart(false, runmodes::kNotFound, false), RunNext::NotFound);
}
