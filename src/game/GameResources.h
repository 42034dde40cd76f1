#pragma once

// The fonts, textures, sprites and sounds the game screen and the board draw
// and play with, loaded once at start-up. What cannot be loaded stays empty
// and is drawn as nothing.
class GameResources {
public:
    // Loads everything on first use; answers the one instance.
    static GameResources* instance();
    // Whether the instance has been made.
    static bool exists();
    static void destroy();

    GameResources(const GameResources&) = delete;
    GameResources& operator=(const GameResources&) = delete;

private:
    GameResources();
    ~GameResources();
};
