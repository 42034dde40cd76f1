#pragma once

class Font;
class ParticleSprite;
class Sprite;
class Texture;

// The pictures the board draws with. The game's resources fill it at start-up
// and empty it at shutdown; the board never owns or loads any of them, so the
// rules run without a window. Anything left null is simply not drawn.
struct BoardSprites {
    static constexpr int ballSkinCount = 3;

    Sprite* ballSkins[ballSkinCount] = {nullptr, nullptr, nullptr};
    Sprite* cellBack = nullptr;
    Sprite* cellBackSmall = nullptr;
    Sprite* pathPoint = nullptr;
    ParticleSprite* particles = nullptr;
    Sprite* lock = nullptr;
    Texture* background = nullptr;
    Texture* backgroundSmall = nullptr;
    Texture* summary = nullptr;
    Texture* chainMeter = nullptr;
    Texture* chainMeterGrey = nullptr;
    Font* font = nullptr;

    // The board's animation clock in ms: balls pick their frame from it and
    // their own frame rate, so a ball needs no picture of its own.
    float clockMs = 0.0f;

    // The one registry; empty until the game's resources fill it.
    static BoardSprites& current();
    // Back to all null (the resources are about to go).
    static void reset();
    void advanceClock(float elapsedMs);
};
