#pragma once

#include "ui/Window.h"

#include <memory>
#include <vector>

class Button;
class DragonFlock;
class HelpElement;

// The help pages opened from the main menu: numbered pages of pictures,
// animations and word-wrapped text read from "mui/help.xml", with next,
// previous and close buttons.
class HelpWindow : public Window {
public:
    HelpWindow(float logicalWidth, float logicalHeight);
    ~HelpWindow() override;

    bool onMouseMove(int x, int y, unsigned flags) override;
    bool onLButtonUp(int x, int y, unsigned flags) override;
    bool onLButtonDown(int x, int y, unsigned flags) override;
    void onKeyDown(int key) override;
    void onCommand(Widget* widget) override;
    void update(float elapsedMs) override;
    void draw() override;

    int pageCount() const { return pageCount_; }
    int currentPage() const { return currentPage_; }

private:
    Button* closeButton_ = nullptr;
    Button* nextButton_ = nullptr;
    Button* prevButton_ = nullptr;
    float logicalWidth_;
    float logicalHeight_;
    std::vector<HelpElement*> elements_;
    std::unique_ptr<DragonFlock> dragons_;
    int pageCount_ = 0;
    int currentPage_ = 1;
};
