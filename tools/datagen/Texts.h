#pragma once

#include <string>
#include <vector>

class Gallery;

struct HelpPage {
    std::string title;
    std::string animation; // description file
    std::string caption;
    std::string text;
};

// The pages of "mui/help.xml", in order.
const std::vector<HelpPage>& helpPages();

// "mui/help.xml" with its animations, and the first hint page:
// "dat/hints/hints.xml", "dat/hints/hint00.tga", and the two gameplay
// animations "dat/hints/gameplay.xml" and "dat/hints/gameplay2.xml".
void addTexts(Gallery& gallery);
