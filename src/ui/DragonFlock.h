#pragma once

#include "ui/Dragon.h"

#include <memory>
#include <vector>

class Sprite;

// The twelve dragons of one menu screen. The main menu and the high-score
// screen fly the four looks in turn at a random point of their animation;
// the options, help and level choice fly a random one of the first three.
class DragonFlock {
public:
    enum class Variant { FourLooks, ThreeLooks };
    static constexpr int size = 12;

    // Copies the shared dragon sprite (none: a flock that draws nothing).
    DragonFlock(const Sprite* dragonSprite, Variant variant);

    void update(float elapsedMs);
    // Hovering dragons first, then the flying ones over them.
    void draw();

    const std::vector<std::unique_ptr<Dragon>>& dragons() const { return dragons_; }

private:
    std::vector<std::unique_ptr<Dragon>> dragons_;
};
