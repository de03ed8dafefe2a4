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
    using runmodes::afterRun;
    // Whatever the other facts, a sublist opens.
    EXPECT_EQ(afterRun({.sublist = true, .shellCode = runmodes::kNotFound}), RunNext::OpenSublist);
    // A start closes the window unless it was asked to stay; a failure the
    // shell reports itself is no reason to keep it.
    EXPECT_EQ(afterRun({.shellCode = 42, .listEditable = true}), RunNext::Close);
    EXPECT_EQ(afterRun({.shellCode = 5, .keepOpen = true}), RunNext::Stay);
    // Nothing started (no row) closes the window as a start does.
    EXPECT_EQ(afterRun({}), RunNext::Close);
    // Not found: browsing is offered only where the entry can be changed,
    // and either way the window stays for the answer.
    EXPECT_EQ(afterRun({.shellCode = runmodes::kNotFound, .listEditable = true}),
              RunNext::AskBrowse);
    EXPECT_EQ(afterRun({.shellCode = runmodes::kNotFound, .keepOpen = false}), RunNext::NotFound);
}
