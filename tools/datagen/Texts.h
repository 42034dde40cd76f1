#pragma once

class Gallery;

// "mui/help.xml" with its animations, and the first hint page:
// "dat/hints/hints.xml", "dat/hints/hint00.tga", and the two gameplay
// animations "dat/hints/gameplay.xml" and "dat/hints/gameplay2.xml".
void addTexts(Gallery& gallery);
