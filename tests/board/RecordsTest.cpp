#include "board/Ball.h"
#include "board/CellBack.h"
#include "board/EffectLayer.h"
#include "board/PathMarker.h"

#include <gtest/gtest.h>

TEST(BallAnimation, PopsAfterItsDelayAndSettles) {
    Ball ball(2, {10.0f, 10.0f});
    ball.startPopping();
    ball.delay = 20.0f;
    ball.update(16.0f);
    EXPECT_FLOAT_EQ(ball.scale, 0.5f); // still waiting
    ball.update(16.0f);
    EXPECT_FLOAT_EQ(ball.scale, 0.5f); // the update that ends the wait does nothing else
    EXPECT_FALSE(ball.popSoundPlayed);
    int updates = 0;
    while (ball.state == Ball::State::Popping && updates < 100) {
        ball.update(16.0f);
        ++updates;
    }
    EXPECT_TRUE(ball.popSoundPlayed);
    EXPECT_EQ(updates, 17);
    EXPECT_GE(ball.scale, 1.5f);
    updates = 0;
    while (ball.scale > 1.0f && updates < 100) {
        ball.update(16.0f);
        ++updates;
    }
    EXPECT_FLOAT_EQ(ball.scale, 1.0f);
    EXPECT_EQ(updates, 18);
    ball.size = 80.0f;
    ball.update(16.0f);
    EXPECT_FLOAT_EQ(ball.size, 50.0f);
}

TEST(BallAnimation, ExplosionWithoutBurstBurstsWhenTheDelayRunsOut) {
    EffectLayer* layer = EffectLayer::create();
    layer->clear();
    Ball ball(1, {0.0f, 0.0f});
    ball.startExploding(false);
    ball.delay = 10.0f;
    EXPECT_TRUE(layer->additiveParticles().empty());
    ball.update(6.0f);
    EXPECT_TRUE(layer->additiveParticles().empty());
    EXPECT_FLOAT_EQ(ball.alpha, 1.0f);
    ball.update(6.0f);
    EXPECT_EQ(layer->additiveParticles().size(), 25u);
    EXPECT_FLOAT_EQ(ball.alpha, 0.97f);
    ball.update(6.0f);
    EXPECT_EQ(layer->additiveParticles().size(), 25u); // only once
    ball.startExploding(true);
    EXPECT_EQ(layer->additiveParticles().size(), 50u);
    EffectLayer::destroy();
    // Without a layer nothing breaks.
    ball.startExploding(true);
    for (int i = 0; i < 40; ++i) {
        ball.update(6.0f);
    }
    EXPECT_EQ(ball.state, Ball::State::Exploded);
    EXPECT_FLOAT_EQ(ball.alpha, 0.0f);
    EXPECT_FLOAT_EQ(ball.alphaStep, 0.0f);
}

TEST(CellBackAnimation, FadesAfterItsDelay) {
    CellBack back(CellBack::Fill::Empty, {0.0f, 0.0f});
    back.delay = 30.0f;
    back.update(16.0f);
    EXPECT_FLOAT_EQ(back.alpha, 0.0f);
    back.update(16.0f);
    EXPECT_FLOAT_EQ(back.delay, 0.0f);
    EXPECT_FLOAT_EQ(back.alpha, 0.05f);
    for (int i = 0; i < 30; ++i) {
        back.update(16.0f);
    }
    EXPECT_FLOAT_EQ(back.alpha, 1.0f);
    back.fadeStep = -0.05f;
    for (int i = 0; i < 30; ++i) {
        back.update(16.0f);
    }
    EXPECT_FLOAT_EQ(back.alpha, 0.0f);
    EXPECT_EQ(CellBack::fillAfterExplosion(CellBack::Fill::Locked), CellBack::Fill::Empty);
    EXPECT_EQ(CellBack::fillAfterExplosion(CellBack::Fill::Empty), CellBack::Fill::Half);
    EXPECT_EQ(CellBack::fillAfterExplosion(CellBack::Fill::Half), CellBack::Fill::Filled);
    EXPECT_EQ(CellBack::fillAfterExplosion(CellBack::Fill::Filled), CellBack::Fill::Filled);
}

TEST(PathMarkerAnimation, StaysWithinZeroAndOne) {
    PathMarker marker({0.0f, 0.0f});
    marker.update();
    EXPECT_FLOAT_EQ(marker.alpha, 0.0f);
    marker.fadeStep = 0.04f;
    for (int i = 0; i < 30; ++i) {
        marker.update();
    }
    EXPECT_FLOAT_EQ(marker.alpha, 1.0f);
}
