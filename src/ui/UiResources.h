#pragma once

#include "gfx/Font.h"
#include "persist/PropertyFile.h"

#include <map>
#include <memory>
#include <string>

class Sprite;
class Texture;

// The pictures every menu screen shares: one texture per name of the table
// "mui/resourses.txt", the UI font, the padlock, the dragon and the two mouse
// pointers. One instance, owned by the main menu for the whole run.
class UiResources {
public:
    // The address the web-site button opens.
    static constexpr const char* siteAddress = "https://quillmere.org/";

    UiResources();
    ~UiResources();
    UiResources(const UiResources&) = delete;
    UiResources& operator=(const UiResources&) = delete;

    // The instance made last, or null.
    static UiResources* instance();

    // Loads everything through the pack "main"; what is missing stays empty.
    void load();

    // The texture of a table key (an empty texture for a key not loaded).
    Texture* getTexture(const std::string& key) const;
    Font* getFont() { return &font_; }
    Texture* getLockTexture() const { return lockTexture_.get(); }
    Sprite* getDragonSprite() const { return dragonSprite_.get(); }
    // 0 the normal pointer, 1 the second look; null for any other index.
    Sprite* getPointerSprite(int index) const;
    const char* getSiteAddress() const { return siteAddress; }

    // The keys of the table the screens use.
    static const char* const* tableKeys();
    static int tableKeyCount();

private:
    PropertyFile table_;
    std::unique_ptr<Texture> fontTexture_;
    std::map<std::string, std::unique_ptr<Texture>> textures_;
    std::unique_ptr<Texture> lockTexture_;
    Font font_;
    std::unique_ptr<Sprite> dragonSprite_;
    std::unique_ptr<Sprite> pointerSprite_;
    std::unique_ptr<Sprite> pointer2Sprite_;
    // Handed out for keys that were never loaded.
    std::unique_ptr<Texture> emptyTexture_;
};
