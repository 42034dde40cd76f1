#pragma once

#include <memory>
#include <string>

class ParticleSprite;
class TextBlock;
class XmlNode;

// One item of a help page: a picture or animation, a block of wrapped text,
// or both, placed from its XML node. The text is set in the UI font.
class HelpElement {
public:
    static constexpr float defaultFrameTime = 30;

    // page counts from 1. The node's "pos", "font_color", "text" and "image"
    // children and its "width", "height" and "font_size" attributes describe
    // the element; the height of a text counts lines, not pixels.
    HelpElement(const XmlNode& node, int page);
    ~HelpElement();
    HelpElement(const HelpElement&) = delete;
    HelpElement& operator=(const HelpElement&) = delete;

    // Advances the animation, if the image is animated.
    void update(float elapsedMs);
    // The image centred on the position, then the text with its first
    // baseline there.
    void draw();

    int page() const { return page_; }
    const float* position() const { return position_; }
    float width() const { return width_; }
    float height() const { return height_; }
    const std::string& text() const { return text_; }
    // Null without an image, or when its pictures could not be read.
    ParticleSprite* image() const { return image_.get(); }
    bool isAnimated() const { return animated_; }
    float fontSize() const { return fontSize_; }
    // Null without a text.
    TextBlock* textBlock() const { return textBlock_.get(); }
    const float* fontColor() const { return fontColor_; }

private:
    void loadImage(const XmlNode& image);

    int page_;
    float position_[4] = {0, 0, 0, 0};
    float width_ = 0;
    float height_ = 0;
    std::string text_;
    std::unique_ptr<ParticleSprite> image_;
    bool animated_ = false;
    float fontSize_ = 0;
    std::unique_ptr<TextBlock> textBlock_;
    float fontColor_[4] = {1, 1, 1, 1};
};
