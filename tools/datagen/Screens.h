#pragma once

#include <string>
#include <utility>
#include <vector>

class Gallery;

// The description every menu screen is drawn and laid out from: the same
// numbers place the controls in the layout files and draw their captions,
// grooves and frames into the screen's background picture.
namespace Screens {

struct Control {
    std::string name;    // layout name (keys name.x, name.y, name.z)
    std::string picture; // key of the resource table
    double x = 0, y = 0; // top-left corner, dialog-local for dialogs
    std::string caption; // drawn left of the control on the background
    double length = 0;   // track bars: the travel of the thumb

    Control(std::string n, std::string p, double cx, double cy, std::string cap = {},
            double len = 0)
        : name(std::move(n)), picture(std::move(p)), x(cx), y(cy), caption(std::move(cap)),
          length(len) {}
};

struct Screen {
    std::string layout;     // layout file
    std::string background; // key of the resource table
    bool dialog = false;
    double originX = 0, originY = 0; // where a dialog's local (0, 0) is on the screen
    int panelWidth = 800, panelHeight = 600;
    std::vector<Control> controls;

    Screen(std::string file, std::string back, bool isDialog = false, double ox = 0, double oy = 0,
           int pw = 800, int ph = 600)
        : layout(std::move(file)), background(std::move(back)), dialog(isDialog), originX(ox),
          originY(oy), panelWidth(pw), panelHeight(ph) {}
};

struct UiPicture {
    std::string key;
    std::string file;
    int width = 0;
    int frameHeight = 0;
    int frames = 1;
    bool inTable = true; // listed in "mui/resourses.txt"
};

const std::vector<Screen>& screens();
const std::vector<UiPicture>& uiPictures();
// The picture of a key of the resource table, or null.
const UiPicture* uiPicture(const std::string& key);

// Every menu picture, background, layout, "mui/resourses.txt", the padlock,
// the intro, and the game screen's own pictures and layout.
void addScreens(Gallery& gallery);

} // namespace Screens
