#pragma once

#include "Picture.h"

#include <string>
#include <utility>
#include <vector>

class DataTree;

// How a picture file is read by the game, which decides its format and the
// order of its rows.
enum class PictureUse {
    Sprite,    // grid sprite or particle frame drawn without flipping: TGA, top row first
    SpritePng, // the same, as PNG (rows flipped so that the first texture row is the top)
    Quad,      // drawn as a textured quad with v = 1 at the top: PNG
    QuadTga,   // the same, as a TGA with the usual lower-left origin
    Photo,     // an opaque picture drawn as a quad: JPEG
};

// Encodes the pictures into the data tree and keeps them, as the player sees
// them, for the contact sheet.
class Gallery {
public:
    explicit Gallery(DataTree& tree) : tree_(tree) {}

    // `onSheet` false keeps it off the contact sheet (frames of an
    // animation, which the sheet shows once as a strip).
    void add(const std::string& name, const Picture& picture, PictureUse use, bool onSheet = true);
    // A file encoded by the caller (the font picture), shown on the sheet too.
    void addEncoded(const std::string& name, const Picture& shown,
                    std::vector<unsigned char> bytes);
    void addText(const std::string& name, const std::string& text);
    // A picture for the contact sheet only (a mock-up of a screen, say).
    void addReviewOnly(const std::string& name, const Picture& picture);

    const std::vector<std::pair<std::string, Picture>>& pictures() const { return pictures_; }
    // A picture added before, as shown on the sheet; null when there is none.
    const Picture* find(const std::string& name) const;

private:
    DataTree& tree_;
    std::vector<std::pair<std::string, Picture>> pictures_;
};
