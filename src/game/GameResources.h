#pragma once

#include "gfx/Font.h"

#include <memory>
#include <string>
#include <vector>

class ParticleSprite;
class Sprite;
class Texture;

// The fonts, textures, sprites and sounds the game screen and the board draw
// and play with, loaded once at start-up. What cannot be loaded stays empty
// and is drawn as nothing.
class GameResources {
public:
    // Where one hint picture goes on the screen.
    struct Hint {
        float x = 0, y = 0;
        float closeX = 0, closeY = 0;
        Texture* image = nullptr;
    };

    static constexpr int ballSkinCount = 3;

    // Loads everything on first use; answers the one instance.
    static GameResources* instance();
    // Whether the instance has been made.
    static bool exists();
    static void destroy();

    GameResources(const GameResources&) = delete;
    GameResources& operator=(const GameResources&) = delete;

    Font* font() { return &font_; }
    Texture* background() const { return background_.get(); }
    Texture* backgroundSmall() const { return backgroundSmall_.get(); }
    Texture* summary() const { return summary_.get(); }
    Sprite* ballSkin(int index) const;
    Sprite* cellBack() const { return cellBack_.get(); }
    Sprite* cellBackSmall() const { return cellBackSmall_.get(); }
    Sprite* pathPoint() const { return pathPoint_.get(); }
    ParticleSprite* particles() const { return particles_.get(); }
    Sprite* insects() const { return insects_.get(); }
    Sprite* lock() const { return lock_.get(); }
    // The two animations of the first hint page.
    ParticleSprite* gameplay(int index) const;
    Texture* mainMenuButton() const { return mainMenuButton_.get(); }
    Texture* chainMeter() const { return chainMeter_.get(); }
    Texture* chainMeterGrey() const { return chainMeterGrey_.get(); }
    const std::vector<Hint>& hints() const { return hints_; }

    // The sound effects and the files they are read from, by id.
    struct SoundFile {
        int id;
        const char* file;
    };
    static const std::vector<SoundFile>& soundFiles();

private:
    GameResources();
    ~GameResources();
    void loadHints();
    void loadSprites();
    void registerWithBoard();

    std::vector<Hint> hints_;
    std::unique_ptr<Texture> fontTexture_;
    Font font_;
    std::unique_ptr<Texture> background_;
    std::unique_ptr<Texture> backgroundSmall_;
    std::unique_ptr<Texture> summary_;
    std::unique_ptr<Sprite> ballSkins_[ballSkinCount];
    std::unique_ptr<Sprite> cellBack_;
    std::unique_ptr<Sprite> cellBackSmall_;
    std::unique_ptr<Sprite> pathPoint_;
    std::unique_ptr<ParticleSprite> particles_;
    std::unique_ptr<Sprite> insects_;
    std::unique_ptr<Sprite> lock_;
    std::unique_ptr<ParticleSprite> gameplay_[2];
    std::unique_ptr<Texture> mainMenuButton_;
    std::unique_ptr<Texture> chainMeter_;
    std::unique_ptr<Texture> chainMeterGrey_;
    std::vector<std::unique_ptr<Texture>> hintImages_;
};
