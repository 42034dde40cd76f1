#pragma once

class DataTree;

// Each generator adds one kind of the game's data to the tree. They are
// deterministic: fixed seeds, no clock, no machine-dependent output.
void addLevels(DataTree& tree);   // levels/level001.txt .. level100.txt
void addSounds(DataTree& tree);   // wav/*.wav (loose, read from disk)
void addMusic(DataTree& tree);    // music/*.xm
void addPictures(DataTree& tree); // pictures, sprites, font, layouts, texts
