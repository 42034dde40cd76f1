#pragma once

class Gallery;

// The game screen's own pictures: the backgrounds with the head-up display's
// labels, the level-summary panel, the chain meter and "dat/game.txt".
void addGameScreen(Gallery& gallery);
