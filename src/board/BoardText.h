#pragma once

#include "board/Rgba.h"

#include <string>

class Font;

// Text of the board's displays with the game font; nothing without a font.
namespace BoardText {

// Left edge at x, baseline at y.
void left(const Font* font, const std::string& text, float size, float x, float y, Rgba colour);
// Horizontally centred on x: the left edge at x minus half the text's width.
void centred(const Font* font, const std::string& text, float size, float x, float y, Rgba colour);

} // namespace BoardText
