#pragma once

#include <cstddef>
#include <string>

class ResourceManager;

// The animation and drawing state shared by grid sprites and particle
// sprites: a grid of frames (columns) in groups (rows), a looping frame
// clock, and how the picture is blended. A sprite draws centred on the
// current model-view origin; its owner translates first.
class SpriteBase {
public:
    // Texture coordinates of the current cell.
    struct Cell {
        float uLeft, uRight, vLow, vHigh;
    };

    SpriteBase() = default;
    // Copies the state; a copy has no resources or name and owns nothing.
    SpriteBase(const SpriteBase& other);
    SpriteBase& operator=(const SpriteBase&) = delete;

    // Copies the animation and drawing state of another sprite.
    virtual void assign(const SpriteBase& other);
    virtual ~SpriteBase() = default;
    virtual void load(ResourceManager* resources, const unsigned char* data, std::size_t size) = 0;
    virtual void releaseTexture() = 0;
    virtual void draw() = 0;
    virtual void drawAdditive() = 0;
    // Advances the looping animation by the elapsed milliseconds.
    virtual void update(float elapsedMs);
    // Selects a group; one that does not exist selects group 0.
    virtual void setGroup(int group);

    void setVisible(bool visible) { visible_ = visible; }
    // Selects a frame and the time it starts at; one that does not exist selects 0.
    void setFrame(int frame);
    void setFrameSize(float width, float height);
    // Blending and the alpha test exclude each other.
    void setBlend(bool blend);
    void setAlphaTest(bool alphaTest);
    void setFlipV(bool flipV) { flipV_ = flipV; }
    void setReverse(bool reverse) { reverse_ = reverse; }
    // Frames per second; below 0.001 counts as 0.001.
    void setFrameRate(float framesPerSecond);
    void setPosition(float x, float y, float z);

    const float* position() const { return position_; }
    const std::string& fileName() const { return fileName_; }
    ResourceManager* resources() const { return resources_; }
    int groups() const { return groups_; }
    int frames() const { return frames_; }
    float frameWidth() const { return frameWidth_; }
    float frameHeight() const { return frameHeight_; }
    int frame() const { return frame_; }
    int group() const { return group_; }
    bool visible() const { return visible_; }
    bool ownsTexture() const { return ownsTexture_; }
    bool blend() const { return blend_; }
    bool alphaTest() const { return alphaTest_; }
    bool flipV() const { return flipV_; }
    bool reverse() const { return reverse_; }
    float time() const { return time_; }
    float frameTime() const { return frameTime_; }
    // The cell of the current frame and group in a grid of frames x groups.
    Cell cell() const;

protected:
    SpriteBase(ResourceManager* resources, const std::string& fileName)
        : fileName_(fileName), resources_(resources) {}
    // Reads the sprite's own file through its resources and loads it.
    void loadOwnFile();
    // GL state around a draw: blending or alpha test, 2D texturing.
    void beginDraw(bool additive) const;
    void endDraw() const;
    // The centred quad of frameWidth by frameHeight at depth 0.
    void drawQuad(float uLeft, float uRight, float vLow, float vHigh) const;

    float position_[4] = {0, 0, 0, 0};
    std::string fileName_;
    ResourceManager* resources_ = nullptr;
    int groups_ = 0;
    int frames_ = 0;
    float frameWidth_ = 0;
    float frameHeight_ = 0;
    int frame_ = 0;
    int group_ = 0;
    bool visible_ = true;
    bool ownsTexture_ = false;
    bool blend_ = false;
    bool alphaTest_ = false;
    bool flipV_ = false;
    bool reverse_ = false;
    float time_ = 0;
    float frameTime_ = 1000.0f / 3.0f;
};
