#pragma once

#include "Picture.h"

#include <string>

// The pictures of the controls. Frame strips hold their frames stacked
// vertically with frame 1 at the bottom of the picture, as the controls
// read them (v = k / n at the top edge of frame k).
namespace UiArt {

enum class Glyph { None, Left, Right };

// A button: 4 frames (normal, under the cursor, pressed, dimmed).
Picture button(int width, int frameHeight, const std::string& label, Glyph glyph = Glyph::None);
// A check box: clear, clear under the cursor, ticked, ticked under the cursor.
Picture checkBox(int size);
// The slider thumb, one picture.
Picture thumb(int width, int height);
// An edit box: idle and focused; the field covers `fieldWidth` from the left.
Picture editBox(int width, int frameHeight, int fieldWidth);
// The padlock of the level chooser.
Picture padlock(int size);

} // namespace UiArt
