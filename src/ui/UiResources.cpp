#include "ui/UiResources.h"

#include "gfx/Sprite.h"
#include "gfx/Texture.h"
#include "persist/ResourceManager.h"

namespace {

UiResources*& current() {
    static UiResources* resources = nullptr;
    return resources;
}

const char* const keys[] = {
    "m_new_game_btn",       "m_quit_game_btn",       "m_help_btn",
    "m_top7_btn",           "m_options_btn",         "m_qv_btn",
    "m_back_btn",           "m_cancel_btn",          "m_ok_btn",
    "m_start_btn",          "m_continuesaved_btn",   "m_startnew_btn",
    "m_help_next_btn",      "m_help_prev_btn",       "m_top_next_btn",
    "m_top_prev_btn",       "m_check_box",           "m_music_track_bar",
    "m_enter_name_editbox", "m_main_window_back",    "m_options_window_back",
    "m_top_window_back",    "m_help_window_back",    "m_cust_lev_wnd",
    "m_continue_dlg_back",  "m_enter_name_dlg_back",
};

// What a key that was never loaded gives: no file, no size, no GL name.
class NoPicture : public Texture {
public:
    NoPicture() : Texture(nullptr, "", false, false) {}
};

} // namespace

UiResources::UiResources() : emptyTexture_(std::make_unique<NoPicture>()) {
    current() = this;
}

UiResources::~UiResources() {
    if (current() == this) {
        current() = nullptr;
    }
}

UiResources* UiResources::instance() {
    return current();
}

const char* const* UiResources::tableKeys() {
    return keys;
}

int UiResources::tableKeyCount() {
    return static_cast<int>(sizeof keys / sizeof keys[0]);
}

void UiResources::load() {
    ResourceManager* pack = ResourceManager::get("main");

    fontTexture_.reset(Texture::load(pack, "mui/font.tga", false, false));
    font_ = Font();
    const FileData fontFile = pack != nullptr ? pack->readFile("mui/font.tga") : FileData();
    font_.loadGlyphs(fontFile.data(), fontFile.size, fontTexture_.get());

    table_.loadResource(pack, "mui/resourses.txt", true);
    textures_.clear();
    for (int i = 0; i < tableKeyCount(); ++i) {
        const std::string name = table_.getString(keys[i], "0");
        textures_[keys[i]].reset(Texture::load(pack, name, false, true));
    }

    lockTexture_.reset(Texture::load(pack, "mui/locked.tga", false, false));
    dragonSprite_.reset(Sprite::fromFile(pack, "mui/dragon.spr"));
    pointerSprite_.reset(Sprite::fromFile(pack, "mui/cursor.spr"));
    pointer2Sprite_.reset(Sprite::fromFile(pack, "mui/cursor2.spr"));
}

Texture* UiResources::getTexture(const std::string& key) const {
    const auto found = textures_.find(key);
    return found != textures_.end() && found->second ? found->second.get() : emptyTexture_.get();
}

Sprite* UiResources::getPointerSprite(int index) const {
    switch (index) {
    case 0:
        return pointerSprite_.get();
    case 1:
        return pointer2Sprite_.get();
    default:
        return nullptr;
    }
}
