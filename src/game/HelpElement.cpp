#include "game/HelpElement.h"

#include "gfx/ParticleSprite.h"
#include "gfx/Texture.h"
#include "persist/ResourceManager.h"
#include "persist/XmlNode.h"
#include "ui/TextBlock.h"
#include "ui/UiResources.h"

#include <GL/gl.h>

namespace {

// A description that names no readable picture would draw a blank quad.
bool hasPictures(const ParticleSprite& sprite) {
    if (sprite.groups() <= 0 || sprite.frames() <= 0) {
        return false;
    }
    for (const auto& group : sprite.textures()) {
        for (const Texture* texture : group) {
            if (texture == nullptr || texture->width() <= 0 || texture->height() <= 0) {
                return false;
            }
        }
    }
    return true;
}

// The name written on its own indented line keeps its layout around it.
std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

HelpElement::HelpElement(const XmlNode& node, int page) : page_(page) {
    if (const XmlNode* pos = node.findChild("pos")) {
        position_[0] = pos->getFloat("x", 0);
        position_[1] = pos->getFloat("y", 0);
        position_[2] = pos->getFloat("z", 0);
    }
    if (const XmlNode* colour = node.findChild("font_color")) {
        fontColor_[0] = colour->getFloat("r", 1);
        fontColor_[1] = colour->getFloat("g", 1);
        fontColor_[2] = colour->getFloat("b", 1);
        fontColor_[3] = colour->getFloat("a", 1);
    }
    fontSize_ = node.getFloat("font_size", 0);
    width_ = node.getFloat("width", 0);
    height_ = node.getFloat("height", 0);

    if (const XmlNode* text = node.findChild("text")) {
        text_ = text->getText();
        UiResources* ui = UiResources::instance();
        const int lines = static_cast<int>(height_);
        textBlock_ = std::make_unique<TextBlock>(ui != nullptr ? ui->getFont() : nullptr, width_,
                                                 fontSize_, lines, lines);
        textBlock_->setText(text_);
    }
    if (const XmlNode* image = node.findChild("image")) {
        loadImage(*image);
    }
}

HelpElement::~HelpElement() = default;

void HelpElement::loadImage(const XmlNode& image) {
    animated_ = image.getInt("animated", 0) != 0;
    std::unique_ptr<ParticleSprite> sprite(
        ParticleSprite::fromFile(ResourceManager::get("main"), trimmed(image.getText())));
    if (!hasPictures(*sprite)) {
        return;
    }
    sprite->setPosition(position_[0], position_[1], position_[2]);
    float frameTime = image.getFloat("frame_time", defaultFrameTime);
    if (!(frameTime > 0)) {
        frameTime = defaultFrameTime;
    }
    sprite->setFrameRate(1000.0f / frameTime);
    sprite->setGroup(image.getInt("group", 0));
    if (width_ > 0 && height_ > 0) {
        sprite->setFrameSize(width_, height_);
    }
    // The frames are cut out on transparent ground.
    sprite->setBlend(true);
    image_ = std::move(sprite);
}

void HelpElement::update(float elapsedMs) {
    if (image_ && animated_) {
        image_->update(elapsedMs);
    }
}

void HelpElement::draw() {
    if (image_) {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glTranslatef(position_[0], position_[1], 0);
        glColor4f(1, 1, 1, 1);
        image_->draw();
        glPopMatrix();
    }
    if (textBlock_) {
        textBlock_->draw(position_[0], position_[1], fontColor_[0], fontColor_[1], fontColor_[2],
                         fontColor_[3]);
    }
}
