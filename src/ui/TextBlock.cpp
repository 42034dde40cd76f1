#include "ui/TextBlock.h"

#include "gfx/Font.h"

#include <algorithm>

namespace {
constexpr char carriageReturn = 13;
constexpr char lineFeed = 10;
constexpr float textDepth = 10;
} // namespace

TextBlock::TextBlock(const Font* font, float width, float fontSize, int visibleLines,
                     int scrollStep)
    : font_(font), width_(width), fontSize_(fontSize), visibleLines_(std::max(0, visibleLines)),
      scrollStep_(scrollStep) {}

float TextBlock::measure(const std::string& text) const {
    return font_ != nullptr ? font_->inkWidth(text.c_str(), fontSize_) : 0.0f;
}

void TextBlock::setText(const char* bytes, std::size_t length) {
    lines_.clear();
    firstLine_ = 0;
    std::string text = bytes != nullptr ? std::string(bytes, length) : std::string();
    text += carriageReturn;
    std::string line;
    std::string word;
    for (char c : text) {
        if (c == lineFeed) {
            continue;
        }
        if (c != ' ' && c != carriageReturn) {
            word += c;
            continue;
        }
        // Measured as drawn, letter spacing and all, so no line runs past
        // the block. An empty line takes the word whatever its width, so a
        // word wider than the block leaves no blank line above it.
        if (!line.empty() && measure(line + word) >= width_) {
            lines_.push_back(line);
            line = word + ' ';
        } else {
            line += word + ' ';
        }
        word.clear();
        if (c == carriageReturn) {
            lines_.push_back(line);
            line.clear();
        }
    }
}

std::vector<std::string> TextBlock::shownLines() const {
    const int count = static_cast<int>(lines_.size());
    const int first = std::clamp(firstLine_, 0, count);
    const int last = std::min(count, first + visibleLines_);
    return std::vector<std::string>(lines_.begin() + first, lines_.begin() + last);
}

void TextBlock::draw(float x, float y, float r, float g, float b, float a) const {
    if (font_ == nullptr) {
        return;
    }
    float baseline = y;
    for (const std::string& line : shownLines()) {
        font_->drawText(line.c_str(), fontSize_, x, baseline, textDepth, r, g, b, a, false, false);
        baseline += fontSize_;
    }
}
