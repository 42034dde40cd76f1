#include "game/HelpWindow.h"

#include "audio/MusicPlaylist.h"
#include "game/HelpElement.h"
#include "gfx/Texture.h"
#include "persist/PropertyFile.h"
#include "persist/XmlNode.h"
#include "ui/Button.h"
#include "ui/Cursor.h"
#include "ui/DragonFlock.h"
#include "ui/Frame.h"
#include "ui/Layout.h"
#include "ui/Setup2D.h"
#include "ui/UiResources.h"

#include <GL/gl.h>

namespace {

constexpr int escapeKey = 27;

Texture* uiTexture(const char* key) {
    UiResources* ui = UiResources::instance();
    return ui != nullptr ? ui->getTexture(key) : nullptr;
}

// The background is a 1024 square laid over the 800 by 600 screen.
void drawBackground() {
    Texture* back = uiTexture("m_help_window_back");
    if (back == nullptr || back->width() <= 0) {
        return;
    }
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    back->bind();
    glColor4f(1, 1, 1, 1);
    back->drawSized(-112, -212, 0, 1024, 1024);
    glDisable(GL_TEXTURE_2D);
}

} // namespace

HelpWindow::HelpWindow(float logicalWidth, float logicalHeight)
    : logicalWidth_(logicalWidth), logicalHeight_(logicalHeight) {
    PropertyFile layoutFile;
    layout::load(layoutFile, "mui/help_wnd.txt");
    Frame* frame = Frame::instance();
    setDraggable(frame != nullptr && !frame->isFullScreen());

    loadPages();

    closeButton_ = new Button(this, uiTexture("m_back_btn"));
    nextButton_ = new Button(this, uiTexture("m_help_next_btn"));
    prevButton_ = new Button(this, uiTexture("m_help_prev_btn"));
    closeButton_->loadPosition(layoutFile, "m_close_btn");
    nextButton_->loadPosition(layoutFile, "m_next_btn");
    prevButton_->loadPosition(layoutFile, "m_prev_btn");
    addWidget(closeButton_);
    addWidget(nextButton_);
    addWidget(prevButton_);
    updateButtons();

    UiResources* ui = UiResources::instance();
    dragons_ = std::make_unique<DragonFlock>(ui != nullptr ? ui->getDragonSprite() : nullptr,
                                             DragonFlock::Variant::ThreeLooks);
    music_ = MusicPlaylist::instance();
}

HelpWindow::~HelpWindow() {
    for (HelpElement* element : elements_) {
        delete element;
    }
    delete closeButton_;
    delete nextButton_;
    delete prevButton_;
}

void HelpWindow::loadPages() {
    // A missing or malformed file leaves the window without pages.
    XmlNode root;
    if (!root.loadResource("main", "mui/help.xml")) {
        return;
    }
    int page = 0;
    for (const XmlNode* pageNode : root.getChildren()) {
        ++page;
        for (const XmlNode* item : pageNode->getChildren()) {
            elements_.push_back(new HelpElement(*item, page));
        }
    }
    pageCount_ = page;
    currentPage_ = 1;
}

void HelpWindow::updateButtons() {
    const bool first = currentPage_ <= 1;
    const bool last = currentPage_ >= pageCount_;
    prevButton_->setVisible(!first);
    // A single page is the first one, which shows next; with none there is
    // nowhere to go.
    nextButton_->setVisible(pageCount_ > 0 && (first || !last));
}

platform::Point HelpWindow::clientToLogical(int x, int y) const {
    Frame* frame = Frame::instance();
    if (frame == nullptr || frame->clientWidth() <= 0 || frame->clientHeight() <= 0 ||
        logicalWidth_ <= 0 || logicalHeight_ <= 0) {
        return platform::Point{x, y};
    }
    const float scaleX = static_cast<float>(frame->clientWidth()) / logicalWidth_;
    const float scaleY = static_cast<float>(frame->clientHeight()) / logicalHeight_;
    return platform::Point{static_cast<int>(x / scaleX), static_cast<int>(y / scaleY)};
}

bool HelpWindow::onMouseMove(int x, int y, unsigned flags) {
    const platform::Point p = clientToLogical(x, y);
    return Window::onMouseMove(p.x, p.y, flags);
}

bool HelpWindow::onLButtonUp(int x, int y, unsigned flags) {
    const platform::Point p = clientToLogical(x, y);
    return Window::onLButtonUp(p.x, p.y, flags);
}

bool HelpWindow::onLButtonDown(int x, int y, unsigned flags) {
    const platform::Point p = clientToLogical(x, y);
    return Window::onLButtonDown(p.x, p.y, flags);
}

void HelpWindow::onKeyDown(int key) {
    if (key == escapeKey) {
        onCommand(closeButton_);
    }
    Window::onKeyDown(key);
}

void HelpWindow::onCommand(Widget* widget) {
    Window::onCommand(widget);
    if (widget == closeButton_) {
        if (Frame* frame = Frame::instance()) {
            frame->closeTop(false);
        }
    } else if (widget == nextButton_) {
        if (currentPage_ < pageCount_) {
            ++currentPage_;
        }
    } else if (widget == prevButton_) {
        if (currentPage_ > 1) {
            --currentPage_;
        }
    }
    updateButtons();
}

void HelpWindow::update(float elapsedMs) {
    Window::update(elapsedMs);
    if (Cursor* cursor = Cursor::instance()) {
        cursor->update(elapsedMs);
    }
    dragons_->update(elapsedMs);
    for (HelpElement* element : elements_) {
        if (element->page() == currentPage_) {
            element->update(elapsedMs);
        }
    }
    if (music_ != nullptr) {
        music_->service();
    }
}

void HelpWindow::draw() {
    setUpLogicalScreen(logicalWidth_, logicalHeight_);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Drawn in order, back to front: the dragons fly over the buttons.
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    drawBackground();
    updateButtons();
    Window::draw();
    for (HelpElement* element : elements_) {
        if (element->page() == currentPage_) {
            element->draw();
        }
    }
    dragons_->draw();
    glPopMatrix();
    if (Cursor* cursor = Cursor::instance()) {
        cursor->draw();
    }
}
