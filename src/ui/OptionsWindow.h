#pragma once

#include "ui/MenuScreen.h"

#include <memory>

class Button;
class CheckBox;
class DragonFlock;
class TrackBar;

// The player's options: music volume, sound effects, hints, the menu dragons
// and full screen. Every change takes effect at once and lands in the
// settings, which are written when the game ends.
class OptionsWindow : public MenuScreen {
public:
    static constexpr const char* layoutName = "mui/options_wnd.txt";

    OptionsWindow(float logicalWidth, float logicalHeight);
    ~OptionsWindow() override;

    void onKeyDown(int key) override;
    void onCommand(Widget* widget) override;
    void update(float elapsedMs) override;
    void draw() override;

    Button* closeButton() const { return closeButton_; }
    TrackBar* volumeSlider() const { return volumeSlider_; }
    CheckBox* fullScreenBox() const { return fullScreenBox_; }
    CheckBox* soundBox() const { return soundBox_; }
    CheckBox* hintsBox() const { return hintsBox_; }
    CheckBox* dragonsBox() const { return dragonsBox_; }
    const DragonFlock& dragons() const { return *dragons_; }

private:
    // Brings the display in line with the full-screen box.
    void followFullScreenBox();

    Button* closeButton_;
    TrackBar* volumeSlider_;
    CheckBox* fullScreenBox_;
    CheckBox* soundBox_;
    CheckBox* hintsBox_;
    CheckBox* dragonsBox_;
    std::unique_ptr<DragonFlock> dragons_;
};
