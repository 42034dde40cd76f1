#pragma once

#include "ui/Window.h"

#include <memory>
#include <vector>

class Button;
class DragonFlock;
class HelpElement;
class MusicPlaylist;

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
    // Every element of every page, in document order.
    const std::vector<HelpElement*>& elements() const { return elements_; }
    Button* closeButton() const { return closeButton_; }
    Button* nextButton() const { return nextButton_; }
    Button* prevButton() const { return prevButton_; }

    // The music kept playing while the window is open: the game's playlist
    // unless replaced (not owned; none leaves the music alone).
    void setMusic(MusicPlaylist* music) { music_ = music; }

private:
    void loadPages();
    // Previous hidden on the first page, next on the last; one page counts
    // as the first.
    void updateButtons();
    // Client pixels to the window's logical screen.
    platform::Point clientToLogical(int x, int y) const;

    Button* closeButton_ = nullptr;
    Button* nextButton_ = nullptr;
    Button* prevButton_ = nullptr;
    float logicalWidth_;
    float logicalHeight_;
    std::vector<HelpElement*> elements_;
    std::unique_ptr<DragonFlock> dragons_;
    int pageCount_ = 0;
    int currentPage_ = 1;
    MusicPlaylist* music_ = nullptr;
};
