// The panel over the board at the end of a level.
#include "board/BoardSprites.h"
#include "board/BoardText.h"
#include "board/Field.h"
#include "board/FieldDrawing.h"
#include "gfx/Texture.h"

#include <GL/gl.h>

#include <string>

std::string FieldDrawing::levelTime(int ms) {
    const int all = ms / 1000;
    const int hours = all / 60 / 60;
    const int minutes = all / 60 - hours * 60;
    const int seconds = all - (hours * 3600 + minutes * 60);
    return std::to_string(hours) + ":" + std::to_string(minutes) + ":" + std::to_string(seconds);
}

void Field::drawSummary() const {
    if (state() != Field::State::LevelOver) {
        return;
    }
    BoardSprites& sprites = BoardSprites::current();
    const float a = summaryAlpha();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, a);
    if (sprites.summary != nullptr && sprites.summary->glName() != 0) {
        glEnable(GL_TEXTURE_2D);
        sprites.summary->bind();
        Texture::drawRegion(144, 44, 0, 512, 512, 0, 1, 0, 1);
    }

    const Font* font = sprites.font;
    BoardText::centred(font, isComplete() ? "Level completed!" : "Level not completed!", 36, 400,
                       240, Rgba{1, 0.2f, 0.2f, a});
    const Rgba white{1, 1, 1, a};
    BoardText::left(font, "Score on level : " + std::to_string(scoreOnLevel()), 28, 231, 290,
                    white);
    BoardText::left(font, "Balls exploded : " + std::to_string(ballsExploded()), 28, 236, 330,
                    white);
    BoardText::left(font, "Time on level : " + FieldDrawing::levelTime(timeOnLevel()), 28, 233, 370,
                    white);
    BoardText::left(font, "Time bonus : " + std::to_string(timeBonus()), 28, 271, 410, white);
    BoardText::left(font, "Chain bonus : " + std::to_string(chainBonus()), 28, 262, 450, white);
    BoardText::centred(font, "click to continue ...", 24, 400, 510, white);
    glColor4f(1, 1, 1, 1);
}
