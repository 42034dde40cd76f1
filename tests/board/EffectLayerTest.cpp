#include "board/EffectLayer.h"
#include "board/Shake.h"

#include "platform/Random.h"

#include <gtest/gtest.h>

TEST(EffectLayer, SingletonLifetime) {
    EffectLayer::destroy();
    EXPECT_EQ(EffectLayer::instance(), nullptr);
    EffectLayer* a = EffectLayer::create();
    EXPECT_EQ(EffectLayer::create(), a); // only when absent
    EXPECT_EQ(EffectLayer::instance(), a);
    EffectLayer::destroy();
    EXPECT_EQ(EffectLayer::instance(), nullptr);
}

TEST(EffectLayer, ParticlesSlowWithTheirLifeAndDie) {
    EffectLayer* layer = EffectLayer::create();
    layer->clear();
    Random::seed(5);
    layer->spawnParticle(16.0f, {100.0f, 100.0f}, {3.0f, 0.0f});
    ASSERT_EQ(layer->additiveParticles().size(), 1u);
    Particle p = layer->additiveParticles()[0];
    EXPECT_GE(p.fadeRate, 0.05f);
    EXPECT_LT(p.fadeRate, 0.1f);
    EXPECT_FLOAT_EQ(p.colour.a, 1.0f);
    EXPECT_FLOAT_EQ(p.size, 16.0f);
    layer->update(30.0f); // t = 1: moves by velocity x life
    const Particle& q = layer->additiveParticles()[0];
    EXPECT_FLOAT_EQ(q.point.x, 103.0f);
    EXPECT_FLOAT_EQ(q.colour.a, 1.0f - p.fadeRate);
    layer->update(30.0f);
    EXPECT_FLOAT_EQ(layer->additiveParticles()[0].point.x, 103.0f + 3.0f * (1.0f - p.fadeRate));
    // Lives 0.3 to 0.6 s.
    int updates = 0;
    while (!layer->additiveParticles().empty() && updates < 1000) {
        layer->update(30.0f);
        ++updates;
    }
    EXPECT_GE(updates + 2, 10);
    EXPECT_LE(updates + 2, 21);
    EffectLayer::destroy();
}

TEST(EffectLayer, BurstsFlyOutAtRandomSpeeds) {
    EffectLayer* layer = EffectLayer::create();
    layer->clear();
    layer->burst({50.0f, 60.0f}, 25, 0.0f);
    layer->burst({50.0f, 60.0f}, 15, -1.0f);
    ASSERT_EQ(layer->additiveParticles().size(), 40u);
    for (std::size_t i = 0; i < 40; ++i) {
        const Particle& p = layer->additiveParticles()[i];
        EXPECT_EQ(p.point, (Point{50.0f, 60.0f}));
        float speed = p.velocity.length();
        EXPECT_LE(speed, 7.0f + 1e-4f);
        if (i < 25) {
            EXPECT_FLOAT_EQ(p.size, 0.0f); // the picture's own size
        } else {
            EXPECT_GE(p.size, 18.0f);
            EXPECT_LE(p.size, 33.0f);
        }
    }
    EffectLayer::destroy();
}

TEST(EffectLayer, FloatingTextWaitsRisesGrowsAndFades) {
    EffectLayer* layer = EffectLayer::create();
    layer->clear();
    layer->addText("120", {200.0f, 100.0f}, 24.0f, {0.0f, -0.4f}, Rgba{1, 1, 1, 1});
    ASSERT_EQ(layer->texts().size(), 1u);
    FloatingText t = layer->texts()[0];
    EXPECT_FLOAT_EQ(t.point.y, 112.0f);
    EXPECT_GE(t.delay, 200.0f);
    EXPECT_LT(t.delay, 600.0f);
    EXPECT_GE(t.fadeRate, 0.02f);
    EXPECT_LT(t.fadeRate, 0.07f);
    layer->update(100.0f);
    const FloatingText& u = layer->texts()[0];
    EXPECT_FLOAT_EQ(u.point.y, 111.6f);
    EXPECT_FLOAT_EQ(u.size, 24.2f);
    EXPECT_FLOAT_EQ(u.colour.a, 1.0f); // still waiting
    int updates = 1;
    while (!layer->texts().empty() && updates < 10000) {
        layer->update(100.0f);
        ++updates;
    }
    EXPECT_LT(updates, 10000);
    EffectLayer::destroy();
}

TEST(Shake, OffsetsAlternateAndHoldThreeUpdates) {
    Random::seed(9);
    Shake shake;
    EXPECT_EQ(shake.offset(), (Point{}));
    shake.raise(4);
    ASSERT_EQ(shake.size(), 4);
    shake.raise(2); // already holds more
    EXPECT_EQ(shake.size(), 4);
    Point first = shake.offset();
    EXPECT_GE(first.x, -2.0f);
    EXPECT_LE(first.x, 1.0f);
    shake.update();
    shake.update();
    EXPECT_EQ(shake.offset(), first);
    shake.update();
    EXPECT_EQ(shake.offset(), (Point{-first.x, -first.y}));
    EXPECT_EQ(shake.size(), 3);
    for (int i = 0; i < 9; ++i) {
        shake.update();
    }
    EXPECT_EQ(shake.size(), 0);
    EXPECT_EQ(shake.offset(), (Point{}));
}
