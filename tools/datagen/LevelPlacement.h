#pragma once

#include "LevelOutline.h"

#include <string>

// Where an outline goes on the board: clear of the head-up display, centred
// in the space right of it, with its locked cells.
namespace leveldesign {

// The map text with the outline's centre on (centreRow, doubled x centreX).
std::string mapOf(const Outline& o, int centreRow, int centreX);
bool fitsAt(const Outline& o, int centreRow, int centreX);
// Locked cells in threes turned by 120 degrees about the centre where the
// outline allows, else in mirrored pairs, else singly; never on the rim and
// never cutting the free cells apart.
void lock(Outline& o, int count, int islands);

struct Placement {
    bool found = false;
    int row = 0;
    int x2 = 0;
    double offCentre = 0;
};

// The board position for the outline's centre that keeps it clear of the
// display and puts its bounding box nearest the middle of the free space.
Placement place(const Outline& o);

} // namespace leveldesign
