#pragma once

#include "Picture.h"

class Gallery;

// The game screen's own pictures: the backgrounds with the head-up display's
// labels, the level-summary panel, the chain meter and "dat/game.txt".
void addGameScreen(Gallery& gallery);

// The chain meter's jar, 128 by 128, dull or lit with fireflies (the help
// pages show it filling); the moves left go on its badge at (96, 38).
Picture chainJar(bool lit);
