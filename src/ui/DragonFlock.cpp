#include "ui/DragonFlock.h"

#include "gfx/Sprite.h"
#include "persist/Settings.h"
#include "platform/Random.h"

namespace {

constexpr int looks = 4;
constexpr int commonLooks = 3;

// A dragon that strays this far past the screen comes back from below.
bool offScreen(const Dragon& d) {
    return d.x() < -50 || d.x() > 850 || d.y() < -50 || d.y() > 750;
}

} // namespace

DragonFlock::DragonFlock(const Sprite* dragonSprite, Variant variant) {
    if (dragonSprite == nullptr) {
        return;
    }
    for (int i = 0; i < size; ++i) {
        auto* sprite = new Sprite(*dragonSprite);
        sprite->setBlend(true);
        sprite->setFlipV(true);
        if (variant == Variant::FourLooks) {
            sprite->setFrameRate(45);
            sprite->setGroup(i % looks);
            // A sprite without frames has no point of its animation to pick.
            if (sprite->frames() > 0) {
                sprite->setFrame(Random::rand() % sprite->frames());
            }
        } else {
            sprite->setFrameRate(10);
            sprite->setGroup(Random::rand() % commonLooks);
        }
        auto dragon = std::make_unique<Dragon>(sprite);
        const float x = static_cast<float>(Random::rand() % 800);
        const float y = static_cast<float>(Random::rand() % 100 + 600);
        dragon->setPoint(x, y);
        dragon->setSpeed(static_cast<float>(Random::rand() % 100) / 100 + 1.0f);
        dragon->setTurnRate(static_cast<float>(Random::rand() % 200 - 100) / 200);
        dragons_.push_back(std::move(dragon));
    }
}

void DragonFlock::update(float elapsedMs) {
    for (auto& dragon : dragons_) {
        dragon->update(elapsedMs);
        if (Random::rand() % 20 == 11) {
            dragon->setTurnRate(static_cast<float>(Random::rand() % 200 - 100) / 100);
        }
        if (offScreen(*dragon)) {
            dragon->setPoint(static_cast<float>(Random::rand() % 800), 650);
        }
    }
}

void DragonFlock::draw() {
    const Settings* settings = Settings::instance();
    if (settings != nullptr && !settings->showDragons) {
        return;
    }
    // Flying dragons pass over the hovering ones.
    for (bool hovering : {true, false}) {
        for (auto& dragon : dragons_) {
            if (dragon->isHovering() == hovering) {
                dragon->draw();
            }
        }
    }
}
