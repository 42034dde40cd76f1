#pragma once

class Sprite;

// The game's own mouse pointer: two animated sprites (the normal pointer and
// a second look), drawn in front of everything at the mouse position in
// place of the hidden system cursor. Its hot spot is the sprite's centre.
class Cursor {
public:
    // Makes blended, row-flipped copies of the two cursor sprites (either may
    // be null); the first is current. The copies share the sprites' textures,
    // which must outlive the cursor.
    static void create(const Sprite* first, const Sprite* second);
    static Cursor* instance();
    static void destroy();

    // 0 or 1; any other index keeps the current look.
    void setKind(int index);
    void update(float elapsedMs);
    // Draws the current sprite at the mouse's client position, depth 40.
    void draw();

    Sprite* current() const { return current_; }
    Sprite* sprite(int index) const;

private:
    Cursor(const Sprite* first, const Sprite* second);
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    Sprite* sprites_[2] = {nullptr, nullptr};
    Sprite* current_ = nullptr;
};
