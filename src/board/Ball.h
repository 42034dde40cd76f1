#pragma once

#include "board/Point.h"

#include <deque>

// A ball on the board or waiting to land. Its picture (group = colour of the
// ball skin, animating at frameRate) is drawn by the board's drawing code;
// nothing here depends on it.
struct Ball {
    enum class State { Idle = 0, Popping = 2, Exploding = 3, Moving = 4, Exploded = 5 };
    enum Colour { Joker = 13, ColourBomb = 14, BlastBall = 15 };

    static constexpr float speed = 1.65f; // px per 6 ms
    static constexpr float maxSize = 50.0f;

    // An idle ball of size 32 at point; draws its animation frame rate.
    Ball(int colour, Point point);

    bool isIdle() const { return state == State::Idle; }
    bool isSpecial() const { return colour >= Joker && colour <= BlastBall; }

    // Appearing: from half size up to one and a half, then settling. The delay
    // is a random wait the rules usually overwrite.
    void startPopping();
    // Fading out; with a burst the particles fly at once, otherwise when the
    // delay has run out.
    void startExploding(bool withBurst);
    // One step of the animation and of the travel along the waypoints.
    void update(float elapsedMs);

    State state = State::Idle;
    int colour = 0;
    int becomes = 0; // 0, or the special ball made in its place after exploding
    bool selected = false;
    bool marked = false;
    bool movedByPlayer = false;
    bool particlesSpawned = false;
    bool popSoundPlayed = false;
    float alpha = 1.0f;
    float alphaStep = -0.03f; // per 6 ms while exploding
    float scale = 1.0f;
    float delay = 0.0f; // ms
    float size = 32.0f;
    int frameRate = 15; // frames per second of its picture
    Point point;
    std::deque<Point> waypoints;

private:
    void travel(float elapsedMs);
    void emitBurst();
};
