#include "game/HintPage.h"

#include <gtest/gtest.h>

TEST(HintPage, FadesInOverSixHundredMilliseconds) {
    HintPage page(0);
    EXPECT_FLOAT_EQ(page.alpha(), 0.0f);
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(page.update(30.0f));
    }
    EXPECT_NEAR(page.alpha(), 0.5f, 1e-4);
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(page.update(30.0f));
    }
    EXPECT_NEAR(page.alpha(), 1.0f, 1e-4);
    // Fully shown it stays until clicked.
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(page.update(30.0f));
    }
    EXPECT_FALSE(page.isClosing());
}

TEST(HintPage, ClickDuringTheFadeInFadesOutFromThere) {
    HintPage page(0);
    for (int i = 0; i < 6; ++i) {
        page.update(30.0f);
    }
    const float reached = page.alpha();
    ASSERT_NEAR(reached, 0.3f, 1e-4);
    page.onLButtonDown();
    EXPECT_TRUE(page.isClosing());
    page.update(30.0f);
    EXPECT_NEAR(page.alpha(), reached - 0.05f, 1e-4);
    // Five more steps reach 0, the sixth goes below: gone.
    int steps = 1;
    while (!page.update(30.0f)) {
        ++steps;
        ASSERT_LT(steps, 100);
    }
    EXPECT_EQ(steps, 6);
}

TEST(HintPage, SecondClickDoesNotTurnTheFadeAround) {
    HintPage page(0);
    for (int i = 0; i < 20; ++i) {
        page.update(30.0f);
    }
    page.onLButtonDown();
    page.update(30.0f);
    page.onLButtonDown();
    EXPECT_TRUE(page.isClosing());
    page.update(30.0f);
    EXPECT_NEAR(page.alpha(), 0.9f, 1e-4);
}

TEST(HintPage, PageWithoutARecordDrawsNothingAndStillFades) {
    HintPage page(7);
    page.draw(); // no resources, no record: must not crash
    page.onLButtonDown();
    EXPECT_TRUE(page.update(30.0f));
}
