#include "game/KeyboardCursor.h"

#include "board/Field.h"
#include "platform/Key.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

using platform::Key;

namespace {

// Just inside the cell's own hexagon (40 across the flats), so neighbouring
// markers never touch.
constexpr float markerRadius = 21.5f;
constexpr float pulseMs = 900.0f;
constexpr float pi = 3.14159265f;

void hexagon(float x, float y, float radius) {
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < 6; ++i) {
        // Points up and down: neighbours along a row share an upright side.
        const float a = pi / 6.0f + static_cast<float>(i) * pi / 3.0f;
        glVertex3f(x + radius * std::cos(a), y + radius * std::sin(a), 0);
    }
    glEnd();
}

} // namespace

KeyboardCursor::KeyboardCursor(const Field* field) {
    setField(field);
}

void KeyboardCursor::setField(const Field* field) {
    field_ = field;
    if (field_ == nullptr) {
        return;
    }
    if (!placed_ || !field_->isCell(cell_)) {
        cell_ = middleCell();
    }
    placed_ = true;
    aimX_ = field_->centre(cell_.row, cell_.col).x;
}

KeyboardCursor::Action KeyboardCursor::onKeyDown(int key) {
    const bool click = key == code(Key::Space) || key == code(Key::Return);
    const bool arrow = key == code(Key::Left) || key == code(Key::Right) || key == code(Key::Up) ||
                       key == code(Key::Down);
    if (field_ == nullptr || (!click && !arrow)) {
        return Action::None;
    }
    const bool wasVisible = visible_;
    visible_ = true;
    if (click) {
        return Action::Click;
    }
    if (!wasVisible) {
        return Action::Shown;
    }
    bool moved = false;
    switch (key) {
    case code(Key::Left):
        moved = moveAlongRow(-1);
        break;
    case code(Key::Right):
        moved = moveAlongRow(1);
        break;
    case code(Key::Up):
        moved = moveToRow(-1);
        break;
    default:
        moved = moveToRow(1);
        break;
    }
    return moved ? Action::Moved : Action::None;
}

bool KeyboardCursor::moveAlongRow(int step) {
    // Positions without a cell (holes in the level's map) are stepped over.
    for (int c = cell_.col + step; c >= 0 && c < field_->width(cell_.row); c += step) {
        if (field_->isCell(cell_.row, c)) {
            cell_.col = c;
            aimX_ = field_->centre(cell_.row, c).x;
            return true;
        }
    }
    aimX_ = field_->centre(cell_.row, cell_.col).x;
    return false;
}

bool KeyboardCursor::moveToRow(int step) {
    // A row without any cell is passed over to the next one that has some.
    for (int r = cell_.row + step; r >= 0 && r < field_->rows(); r += step) {
        Cell found;
        if (nearestInRow(r, aimX_, found)) {
            cell_ = found;
            return true;
        }
    }
    return false;
}

bool KeyboardCursor::nearestInRow(int r, float x, Cell& found) const {
    bool any = false;
    float best = 0.0f;
    for (int c = 0; c < field_->width(r); ++c) {
        if (!field_->isCell(r, c)) {
            continue;
        }
        const float distance = std::fabs(field_->centre(r, c).x - x);
        // Centres lie on a 20-pixel grid: a tie is exact, and the strict
        // comparison keeps the left one.
        if (!any || distance < best) {
            any = true;
            best = distance;
            found = {r, c};
        }
    }
    return any;
}

Cell KeyboardCursor::middleCell() const {
    // The middle of the cells themselves: a level's map may leave whole
    // stretches of its table without cells.
    int top = -1;
    int bottom = -1;
    float leftX = 0.0f;
    float rightX = 0.0f;
    for (int r = 0; r < field_->rows(); ++r) {
        for (int c = 0; c < field_->width(r); ++c) {
            if (!field_->isCell(r, c)) {
                continue;
            }
            const float x = field_->centre(r, c).x;
            if (top < 0) {
                top = r;
                leftX = x;
                rightX = x;
            }
            bottom = r;
            leftX = std::min(leftX, x);
            rightX = std::max(rightX, x);
        }
    }
    if (top < 0) {
        return {};
    }
    const int middle = (top + bottom) / 2;
    const float x = (leftX + rightX) / 2.0f;
    for (int offset = 0; offset <= bottom - top; ++offset) {
        for (int r : {middle - offset, middle + offset}) {
            Cell found;
            if (r >= top && r <= bottom && nearestInRow(r, x, found)) {
                return found;
            }
        }
    }
    return {};
}

platform::Point KeyboardCursor::point() const {
    if (field_ == nullptr) {
        return {};
    }
    const Point at = field_->centre(cell_.row, cell_.col);
    return {static_cast<int>(at.x), static_cast<int>(at.y)};
}

void KeyboardCursor::update(float elapsedMs) {
    clockMs_ = std::fmod(clockMs_ + elapsedMs, pulseMs);
}

void KeyboardCursor::draw() const {
    if (!visible_ || field_ == nullptr || !field_->isCell(cell_)) {
        return;
    }
    // It shakes with the board it marks.
    const Point shift = field_->shake().offset();
    const Point centre = field_->centre(cell_.row, cell_.col);
    const Point at{centre.x + shift.x, centre.y + shift.y};
    const float pulse = 0.5f + 0.5f * std::sin(clockMs_ / pulseMs * 2.0f * pi);
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // A dark rim under a light line reads on light and dark cells alike.
    glLineWidth(5.0f);
    glColor4f(0, 0, 0, 0.55f);
    hexagon(at.x, at.y, markerRadius);
    glLineWidth(2.5f);
    glColor4f(1.0f, 0.92f, 0.45f, 0.7f + 0.3f * pulse);
    hexagon(at.x, at.y, markerRadius);
    glPopAttrib();
    glColor4f(1, 1, 1, 1);
}
