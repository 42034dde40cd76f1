#pragma once

class Gallery;

// The menu dragon (four looks, a wing-beat cycle, seen from above heading
// up), the two mouse pointers and the application icon.
void addCreatures(Gallery& gallery);
