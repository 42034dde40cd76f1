#pragma once

#include "Picture.h"

class Gallery;

// The menu dragon (four looks, a wing-beat cycle, seen from above heading
// up), the two mouse pointers and the application icon.
void addCreatures(Gallery& gallery);

// The application icon, `size` pixels square: the drawing of "mui/icon.png"
// (which is the 128 pixel one) at any size.
Picture gameIcon(int size);
