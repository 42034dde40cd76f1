#pragma once

#include "board/Cell.h"
#include "platform/Geometry.h"

class Field;

// The cell cursor of keyboard play. The arrow keys move it over the board's
// cells; Space and Enter ask for a click on the cell it marks. It is drawn
// only once a key has been used, and the mouse hides it again.
class KeyboardCursor {
public:
    // What a key asked of the game screen.
    enum class Action { None, Shown, Moved, Click };

    explicit KeyboardCursor(const Field* field = nullptr);

    // Binds the cursor to a new board; it stays on its cell when the new
    // board has one there and goes to the middle of the board otherwise.
    void setField(const Field* field);

    // A key on a hidden cursor only shows it where it is, so that the first
    // arrow never moves it unseen; Space and Enter click in any case.
    Action onKeyDown(int key);
    void hide() { visible_ = false; }

    bool isVisible() const { return visible_; }
    Cell cell() const { return cell_; }
    // A screen point inside the marked cell, for the pointer operations.
    platform::Point point() const;

    void update(float elapsedMs);
    // The marker around the cell, while the cursor is visible.
    void draw() const;

private:
    bool moveAlongRow(int step);
    bool moveToRow(int step);
    // The cell of row r whose centre lies nearest to x; ties go left.
    bool nearestInRow(int r, float x, Cell& found) const;
    Cell middleCell() const;

    const Field* field_ = nullptr;
    Cell cell_{};
    // Where up and down aim: repeated vertical moves keep to one column
    // instead of drifting along a diagonal, since every row is offset by half
    // a cell from the next.
    float aimX_ = 0.0f;
    bool placed_ = false;
    bool visible_ = false;
    float clockMs_ = 0.0f;
};
