#include "ToolkitSupport.h"

#include "gfx/Sprite.h"
#include "persist/ResourceManager.h"
#include "platform/Random.h"
#include "ui/DragonFlock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// A dragon sheet of 6 frames in 4 looks, 16 by 16 each, read from the disk.
class DragonTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string picture = dir.write(
            "dragon.tga", bandPicture(96, 16, {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}}));
        const std::string description =
            dir.write("dragon.spr", "file_name " + picture + "\nframes 6\ngroups 4\n");
        sheet.reset(Sprite::fromFile(resources, description));
        ASSERT_EQ(sheet->frames(), 6);
        ASSERT_EQ(sheet->groups(), 4);
        Random::seed(1234);
    }
    // A lone dragon that stays where it is put.
    std::unique_ptr<Dragon> still(float x, float y) {
        auto d = std::make_unique<Dragon>(new Sprite(*sheet));
        d->setPoint(x, y);
        d->setSpeed(0);
        return d;
    }

    void TearDown() override { ResourceManager::destroy("dragon-test"); }

    TempDir dir;
    ResourceManager* resources = ResourceManager::create("dragon-test");
    FakeFrame frame;
    std::unique_ptr<Sprite> sheet;
};

} // namespace

TEST_F(DragonTest, FourLooksFlockTakesTheLooksInTurnAtRandomFrames) {
    DragonFlock flock(sheet.get(), DragonFlock::Variant::FourLooks);
    ASSERT_EQ(flock.dragons().size(), 12u);
    std::set<int> frames;
    for (std::size_t i = 0; i < flock.dragons().size(); ++i) {
        const Dragon& d = *flock.dragons()[i];
        EXPECT_EQ(d.sprite()->group(), static_cast<int>(i % 4));
        EXPECT_FLOAT_EQ(d.sprite()->frameTime(), 1000.0f / 45);
        EXPECT_TRUE(d.sprite()->blend());
        EXPECT_TRUE(d.sprite()->flipV());
        EXPECT_NE(d.sprite(), sheet.get());
        frames.insert(d.sprite()->frame());
        // Below the bottom edge, somewhere across the screen.
        EXPECT_GE(d.x(), 0);
        EXPECT_LT(d.x(), 800);
        EXPECT_GE(d.y(), 600);
        EXPECT_LT(d.y(), 700);
        EXPECT_GE(d.speed(), 1.0f);
        EXPECT_LE(d.speed(), 1.99f);
        EXPECT_GE(d.turnRate(), -0.5f);
        EXPECT_LE(d.turnRate(), 0.495f);
    }
    EXPECT_GT(frames.size(), 2u);
}

TEST_F(DragonTest, ThreeLooksFlockStartsEachAnimationAtItsFirstFrame) {
    DragonFlock flock(sheet.get(), DragonFlock::Variant::ThreeLooks);
    ASSERT_EQ(flock.dragons().size(), 12u);
    std::set<int> groups;
    for (const auto& d : flock.dragons()) {
        groups.insert(d->sprite()->group());
        EXPECT_EQ(d->sprite()->frame(), 0);
        EXPECT_FLOAT_EQ(d->sprite()->frameTime(), 100);
        EXPECT_GE(d->y(), 600);
    }
    EXPECT_EQ(*groups.rbegin(), 2) << "the fourth look is never chosen";
    EXPECT_GT(groups.size(), 1u);
}

TEST_F(DragonTest, FlockWithoutASpriteIsEmpty) {
    DragonFlock flock(nullptr, DragonFlock::Variant::FourLooks);
    EXPECT_TRUE(flock.dragons().empty());
    flock.update(16);
    flock.draw();
}

TEST_F(DragonTest, FlyingDragonHeadsByItsAngle) {
    auto d = still(400, 300);
    d->setSpeed(2);
    d->setFlyTimer(1000);
    d->update(60); // ten steps of 6 ms: 20 pixels
    EXPECT_NEAR(d->x(), 400, 1e-3);
    EXPECT_NEAR(d->y(), 280, 1e-3);
    EXPECT_FLOAT_EQ(d->flyTimer(), 940);
    d->setAngle(90);
    d->update(30);
    EXPECT_NEAR(d->x(), 410, 1e-3);
    EXPECT_NEAR(d->y(), 280, 1e-3);
    EXPECT_FLOAT_EQ(d->sprite()->frameTime(), 1000.0f / 45);
}

TEST_F(DragonTest, TurningWrapsPastAFullCircle) {
    auto d = still(400, 300);
    d->setFlyTimer(1000);
    d->setTurnRate(1);
    d->setAngle(359);
    d->update(12);
    EXPECT_FLOAT_EQ(d->angle(), 1);
    d->setAngle(-359);
    d->setTurnRate(-1);
    d->update(12);
    EXPECT_FLOAT_EQ(d->angle(), -1);
    // Hovering turns at half the rate.
    d->setFlyTimer(0);
    d->setHoverTimer(5000);
    d->update(12);
    EXPECT_FLOAT_EQ(d->angle(), -2);
    EXPECT_FLOAT_EQ(d->sprite()->frameTime(), 100);
}

TEST_F(DragonTest, HoveringDragonStaysUntilItsTimeIsUp) {
    auto d = still(400, 300);
    d->setSpeed(2);
    d->setFlyTimer(-5);
    d->setHoverTimer(20);
    d->update(16);
    EXPECT_TRUE(d->isHovering());
    EXPECT_FLOAT_EQ(d->hoverTimer(), 4);
    EXPECT_EQ(d->x(), 400);
    EXPECT_EQ(d->y(), 300);
    d->update(16);
    EXPECT_FALSE(d->isHovering());
    EXPECT_GE(d->flyTimer(), 2500);
    EXPECT_LT(d->flyTimer(), 7500);
    EXPECT_GE(d->hoverTimer(), 2500);
    EXPECT_LT(d->hoverTimer(), 7500);
    EXPECT_EQ(d->y(), 300) << "it takes off on the next update";
    d->update(6);
    EXPECT_LT(d->y(), 300);
}

TEST_F(DragonTest, PointerWithin32PixelsScaresAHoveringDragonOff) {
    auto d = still(400, 300);
    d->setFlyTimer(0);
    d->setHoverTimer(100000);
    frame.mouse = {433, 300}; // 33 away
    d->update(16);
    EXPECT_TRUE(d->isHovering());
    frame.mouse = {400 + 19, 300 - 26}; // about 32.2 away
    d->update(16);
    EXPECT_TRUE(d->isHovering());
    frame.mouse = {432, 300}; // exactly 32
    d->update(16);
    EXPECT_FALSE(d->isHovering());
    EXPECT_LT(d->hoverTimer(), 7500);
}

TEST_F(DragonTest, FlyingDragonIgnoresThePointer) {
    auto d = still(400, 300);
    d->setFlyTimer(500);
    d->setHoverTimer(3000);
    frame.mouse = {400, 300};
    d->update(16);
    EXPECT_FLOAT_EQ(d->flyTimer(), 484);
    EXPECT_FLOAT_EQ(d->hoverTimer(), 3000);
}

TEST_F(DragonTest, DragonLeavingAnyEdgeComesBackFromBelow) {
    DragonFlock flock(sheet.get(), DragonFlock::Variant::FourLooks);
    const float places[][2] = {{-51, 300}, {851, 300}, {400, -51}, {400, 751},
                               {-50, -50}, {850, 750}, {300, 300}, {10, 700},
                               {20, 20},   {799, 1},   {-60, 800}, {900, -100}};
    for (int i = 0; i < 12; ++i) {
        Dragon& d = *flock.dragons()[i];
        d.setPoint(places[i][0], places[i][1]);
        d.setSpeed(0);
        d.setFlyTimer(100000);
    }
    std::set<float> columns;
    flock.update(16);
    for (int i = 0; i < 12; ++i) {
        const Dragon& d = *flock.dragons()[i];
        const bool outside = i < 4 || i >= 10;
        if (outside) {
            EXPECT_EQ(d.y(), 650) << i;
            EXPECT_GE(d.x(), 0) << i;
            EXPECT_LT(d.x(), 800) << i;
            EXPECT_EQ(d.x(), std::floor(d.x())) << i;
            columns.insert(d.x());
        } else {
            EXPECT_EQ(d.x(), places[i][0]) << i;
            EXPECT_EQ(d.y(), places[i][1]) << i;
        }
        EXPECT_EQ(d.speed(), 0) << "only the place changes";
    }
    EXPECT_GT(columns.size(), 1u);
}

TEST_F(DragonTest, TurnRateChangesWhenTheDrawIsEleven) {
    DragonFlock flock(sheet.get(), DragonFlock::Variant::FourLooks);
    const float unchanged = 5; // no draw gives this
    for (const auto& d : flock.dragons()) {
        d->setPoint(400, 300);
        d->setSpeed(0);
        d->setFlyTimer(1e9f);
        d->setTurnRate(unchanged);
    }
    int changed = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        // The draws the flock will make: one per dragon, and a second for
        // the new rate when the first leaves 11 over 20.
        Random::seed(seed);
        std::vector<float> expected;
        for (int i = 0; i < DragonFlock::size; ++i) {
            if (Random::rand() % 20 == 11) {
                expected.push_back(static_cast<float>(Random::rand() % 200 - 100) / 100);
                ++changed;
            } else {
                expected.push_back(unchanged);
            }
        }
        Random::seed(seed);
        flock.update(0);
        for (int i = 0; i < DragonFlock::size; ++i) {
            Dragon& d = *flock.dragons()[i];
            EXPECT_FLOAT_EQ(d.turnRate(), expected[i]) << "seed " << seed << " dragon " << i;
            EXPECT_TRUE(d.turnRate() == unchanged || (d.turnRate() >= -1 && d.turnRate() < 1));
            d.setTurnRate(unchanged);
        }
    }
    EXPECT_GT(changed, 5);
}
