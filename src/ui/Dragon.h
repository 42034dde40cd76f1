#pragma once

class Sprite;

// One of the small dragons that fly over the menu screens, wander, hover and
// take off again when the pointer comes near.
class Dragon {
public:
    // Takes ownership of its sprite copy.
    explicit Dragon(Sprite* sprite);
    ~Dragon();
    Dragon(const Dragon&) = delete;
    Dragon& operator=(const Dragon&) = delete;

    void update(float elapsedMs);
    // Shadow, then body; nothing when the dragon setting is off.
    void draw();
    bool isHovering() const { return flyTimer_ <= 0; }

    Sprite* sprite() const { return sprite_; }
    float x() const { return position_[0]; }
    float y() const { return position_[1]; }
    void setPoint(float x, float y);
    float speed() const { return speed_; }
    void setSpeed(float speed) { speed_ = speed; }
    float angle() const { return angle_; }
    void setAngle(float angle) { angle_ = angle; }
    float turnRate() const { return turnRate_; }
    void setTurnRate(float turnRate) { turnRate_ = turnRate; }
    float flyTimer() const { return flyTimer_; }
    void setFlyTimer(float ms) { flyTimer_ = ms; }
    float hoverTimer() const { return hoverTimer_; }
    void setHoverTimer(float ms) { hoverTimer_ = ms; }

private:
    Sprite* sprite_;
    float position_[4] = {0, 0, 0, 1};
    float speed_ = 0;
    float angle_ = 0;
    float turnRate_ = 0;
    float flyTimer_ = 0;
    float hoverTimer_ = 0;
};
