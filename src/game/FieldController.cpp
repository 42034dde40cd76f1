#include "game/FieldController.h"

#include "audio/CSoundManager.h"
#include "board/BoardSprites.h"
#include "board/Field.h"
#include "gfx/Sprite.h"
#include "platform/Random.h"
#include "ui/Frame.h"

#include <GL/gl.h>

namespace {

constexpr int soundBonk = 104;
constexpr int soundSelect = 107;
constexpr int soundUnselect = 108;

FieldController::SoundSink& sink() {
    static FieldController::SoundSink s;
    return s;
}

platform::Point cursor() {
    Frame* frame = Frame::instance();
    return frame != nullptr ? frame->clientCursorPosition() : platform::Point{};
}

} // namespace

FieldController::FieldController(Field* field) : field_(field) {}

FieldController::~FieldController() {
    delete held_;
}

void FieldController::setSoundSink(SoundSink s) {
    sink() = std::move(s);
}

void FieldController::play(int id) {
    if (sink()) {
        sink()(id);
    } else {
        CSoundManager::instance()->play(id, true, false);
    }
}

platform::Point FieldController::pointer() const {
    return aim_ ? *aim_ : cursor();
}

void FieldController::releaseHeld() {
    delete held_;
    held_ = nullptr;
}

void FieldController::update(float elapsedMs) {
    if (held_ == nullptr || field_ == nullptr) {
        return;
    }
    held_->update(elapsedMs);
    const platform::Point p = pointer();
    const int r = field_->rowAt(p.y);
    const int c = field_->columnAt(p.x, p.y);
    const Point at = field_->centre(r, c);
    held_->setPosition(at.x, at.y, 0);
}

void FieldController::draw() {
    if (held_ == nullptr || field_ == nullptr) {
        return;
    }
    const platform::Point p = pointer();
    field_->previewPath(p.x, p.y);
    const float* at = held_->position();
    const int x = static_cast<int>(at[0]);
    const int y = static_cast<int>(at[1]);
    if (!field_->isCell(field_->rowAt(y), field_->columnAt(x, y))) {
        return;
    }
    glPushMatrix();
    glTranslatef(at[0], at[1], 0);
    glColor4f(1, 1, 1, 0.5f);
    held_->draw();
    glColor4f(1, 1, 1, 1);
    glPopMatrix();
}

void FieldController::onLButtonDown(int x, int y) {
    if (field_ == nullptr) {
        return;
    }
    const int r = field_->rowAt(y);
    const int c = field_->columnAt(x, y);
    if (held_ != nullptr) {
        drop(x, y);
        return;
    }
    const int colour = field_->selectBall(r, c);
    if (colour != -1) {
        const Sprite* skin = BoardSprites::current().ballSkins[0];
        held_ = skin != nullptr ? new Sprite(*skin) : new Sprite;
        held_->setGroup(colour);
        // At the size the board draws the ball, whatever the picture's cells.
        if (const Ball* ball = field_->ballAt(r, c)) {
            held_->setFrameSize(ball->size, ball->size);
        }
        // Drawn with or without a picture, so a seed replays the same game.
        const int frameMs = Random::rand() % 30 + 15;
        held_->setFrameRate(1000.0f / static_cast<float>(frameMs));
        const Point at = field_->centre(r, c);
        held_->setPosition(at.x, at.y, 0);
        play(soundSelect);
        return;
    }
    // An empty or unusable cell answers with a bonk; a locked one says so
    // in its own text instead.
    const CellBack* back = field_->cellBackAt(r, c);
    if (field_->isCell(r, c) && field_->state() == Field::State::Play && !field_->isFinished() &&
        (back == nullptr || back->fill != CellBack::Fill::Locked)) {
        play(soundBonk);
    }
}

void FieldController::onLButtonUp(int x, int y) {
    if (held_ == nullptr || field_ == nullptr) {
        return;
    }
    // Letting go over the held ball keeps it: the next press picks the target.
    if (!field_->isSelectedAt(field_->rowAt(y), field_->columnAt(x, y))) {
        drop(x, y);
    }
}

void FieldController::drop(int x, int y) {
    const bool moved = field_->moveSelectedTo(field_->rowAt(y), field_->columnAt(x, y));
    play(moved ? soundSelect : soundUnselect);
    releaseHeld();
    field_->deselectAll();
}

void FieldController::onRButtonDown(int x, int y) {
    releaseHeld();
    if (field_ != nullptr) {
        field_->deselectAll();
        field_->previewPath(x, y);
    }
    play(soundUnselect);
}
