#pragma once

#include "ui/Window.h"

class Texture;

// The picture shown while the game loads. It is the first screen ever made
// active, so its activation sets the GL state everything after relies on.
class IntroWindow : public Window {
public:
    IntroWindow();
    ~IntroWindow() override;

    void draw() override;
    void activate() override;

    Texture* picture() const { return picture_; }

    static constexpr const char* pictureName = "mui/bgs/intro.jpg";

private:
    Texture* picture_;
};
