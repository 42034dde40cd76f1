#pragma once

#include "platform/Geometry.h"

#include <functional>
#include <optional>

class Field;
class Sprite;

// Mouse buttons on the game screen as selections and moves of the field:
// a ball is moved by dragging it or by two clicks, and rides under the
// cursor at half opacity while it is held. Coordinates are the 800 by 600
// screen's.
class FieldController {
public:
    // Every sound the controller plays goes through here (tests listen).
    using SoundSink = std::function<void(int id)>;

    explicit FieldController(Field* field);
    virtual ~FieldController();
    FieldController(const FieldController&) = delete;
    FieldController& operator=(const FieldController&) = delete;

    virtual void update(float elapsedMs);
    virtual void draw();
    virtual void onLButtonUp(int x, int y);
    virtual void onLButtonDown(int x, int y);
    virtual void onRButtonDown(int x, int y);

    bool isHolding() const { return held_ != nullptr; }
    const Sprite* held() const { return held_; }

    // While set, the held ball and its previewed path follow this point
    // instead of the mouse pointer (keyboard play aims at its cursor's cell).
    void setAim(std::optional<platform::Point> point) { aim_ = point; }
    const std::optional<platform::Point>& aim() const { return aim_; }

    // Replaces the sound manager as the controller's output; empty restores it.
    static void setSoundSink(SoundSink sink);

private:
    void drop(int x, int y);
    void releaseHeld();
    static void play(int id);
    platform::Point pointer() const;

    Sprite* held_ = nullptr;
    Field* field_;
    std::optional<platform::Point> aim_;
};
