#include "board/BoardText.h"

#include "gfx/Font.h"

void BoardText::left(const Font* font, const std::string& text, float size, float x, float y,
                     Rgba colour) {
    if (font == nullptr) {
        return;
    }
    font->drawText(text.c_str(), size, x, y, 0, colour.r, colour.g, colour.b, colour.a, false,
                   false);
}

void BoardText::centred(const Font* font, const std::string& text, float size, float x, float y,
                        Rgba colour) {
    if (font == nullptr) {
        return;
    }
    left(font, text, size, x - font->textWidth(text.c_str(), size) / 2, y, colour);
}
