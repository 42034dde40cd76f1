#include "ui/OptionsWindow.h"

#include "audio/CSoundManager.h"
#include "audio/MusicPlaylist.h"
#include "persist/PropertyFile.h"
#include "persist/Settings.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Cursor.h"
#include "ui/DragonFlock.h"
#include "ui/Frame.h"
#include "ui/Layout.h"
#include "ui/TrackBar.h"
#include "ui/UiResources.h"

#include <GL/gl.h>

OptionsWindow::OptionsWindow(float logicalWidth, float logicalHeight)
    : MenuScreen(logicalWidth, logicalHeight) {
    followDisplayMode();
    PropertyFile store;
    layout::load(store, layoutName);
    Settings* settings = Settings::instance();
    Frame* frame = Frame::instance();

    closeButton_ = new Button(this, picture("m_back_btn"));
    closeButton_->loadPosition(store, "m_close_btn");
    addWidget(closeButton_);

    volumeSlider_ = new TrackBar(this, picture("m_music_track_bar"));
    volumeSlider_->loadPosition(store, "m_musik_volume_track_bar");
    volumeSlider_->setRange(0, 64);
    volumeSlider_->setLength(204);
    volumeSlider_->setValue(static_cast<float>(settings ? settings->musicVolume : 0));
    addWidget(volumeSlider_);

    CheckBox** boxes[] = {&soundBox_, &hintsBox_, &dragonsBox_, &fullScreenBox_};
    const char* names[] = {"m_sound_cb", "m_hints_cb", "m_dragons_cb", "m_fs_cb"};
    for (int i = 0; i < 4; ++i) {
        *boxes[i] = new CheckBox(this, picture("m_check_box"));
        (*boxes[i])->loadPosition(store, names[i]);
        addWidget(*boxes[i]);
    }
    soundBox_->setChecked(settings && settings->sound);
    hintsBox_->setChecked(settings && settings->hints);
    dragonsBox_->setChecked(settings && settings->showDragons);
    fullScreenBox_->setChecked(frame && frame->isFullScreen());

    UiResources* resources = UiResources::instance();
    dragons_ = std::make_unique<DragonFlock>(resources ? resources->getDragonSprite() : nullptr,
                                             DragonFlock::Variant::ThreeLooks);
}

OptionsWindow::~OptionsWindow() {
    delete closeButton_;
    delete volumeSlider_;
    delete fullScreenBox_;
    delete soundBox_;
    delete hintsBox_;
    delete dragonsBox_;
}

void OptionsWindow::onKeyDown(int key) {
    if (isQuitKey(key))
        onCommand(closeButton_);
    Window::onKeyDown(key);
}

void OptionsWindow::onCommand(Widget* widget) {
    Window::onCommand(widget);
    Settings* settings = Settings::instance();
    if (widget == closeButton_) {
        if (Frame* frame = Frame::instance())
            frame->closeTop(false);
        return;
    }
    if (!settings)
        return;
    if (widget == volumeSlider_) {
        settings->musicVolume = static_cast<int>(volumeSlider_->getValue());
    } else if (widget == soundBox_) {
        settings->sound = soundBox_->isChecked();
        CSoundManager::instance()->setEnabled(settings->sound);
    } else if (widget == hintsBox_) {
        settings->hints = hintsBox_->isChecked();
    } else if (widget == dragonsBox_) {
        settings->showDragons = dragonsBox_->isChecked();
    }
}

void OptionsWindow::followFullScreenBox() {
    Frame* frame = Frame::instance();
    if (!frame || fullScreenBox_->isChecked() == frame->isFullScreen())
        return;
    MusicPlaylist* music = MusicPlaylist::instance();
    music->stop();
    if (fullScreenBox_->isChecked()) {
        // A display that refuses the mode leaves the box ticked and the game
        // windowed: the switch is tried again at the next update.
        if (frame->enterFullScreen(static_cast<int>(logicalWidth_),
                                   static_cast<int>(logicalHeight_)))
            setup2D();
    } else {
        frame->leaveFullScreen();
        setup2D();
    }
    followDisplayMode();
    music->playNext();
}

void OptionsWindow::update(float elapsedMs) {
    updateScreen(elapsedMs, *dragons_);
    followFullScreenBox();
}

void OptionsWindow::draw() {
    clearFrame();
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    drawBackground(picture("m_options_window_back"));
    Window::draw();
    dragons_->draw();
    glPopMatrix();
    // Every frame, so the music follows the thumb while it is dragged.
    const int volume = static_cast<int>(volumeSlider_->getValue());
    if (Settings* settings = Settings::instance())
        settings->musicVolume = volume;
    MusicPlaylist* music = MusicPlaylist::instance();
    music->setVolume(volume);
    music->service();
    if (Cursor* cursor = Cursor::instance())
        cursor->draw();
}
