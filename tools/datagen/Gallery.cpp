#include "Gallery.h"

#include "DataTree.h"
#include "ImageFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// QUILLMERE_DATA_DUMP=folder writes every picture there as a PNG, as the
// player sees it, for a closer look than the contact sheet gives.
void dump(const std::string& name, const Picture& picture) {
    const char* folder = std::getenv("QUILLMERE_DATA_DUMP");
    if (!folder || !*folder) {
        return;
    }
    std::string flat = name;
    for (char& c : flat) {
        if (c == '/' || c == ' ' || c == '*' || c == ':' || c == '(' || c == ')') {
            c = '_';
        }
    }
    std::filesystem::create_directories(folder);
    const auto bytes = ImageFiles::png(picture, 1);
    std::ofstream(std::filesystem::path(folder) / (flat + ".png"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace

void Gallery::add(const std::string& name, const Picture& picture, PictureUse use, bool onSheet) {
    DataTree::Bytes bytes;
    switch (use) {
    case PictureUse::Sprite:
        bytes = ImageFiles::tga(picture, ImageFiles::TgaRows::TopFirst, true);
        break;
    case PictureUse::SpritePng:
        bytes = ImageFiles::png(picture.flippedVertically());
        break;
    case PictureUse::Quad:
        bytes = ImageFiles::png(picture);
        break;
    case PictureUse::QuadTga:
        bytes = ImageFiles::tga(picture, ImageFiles::TgaRows::BottomFirst, true);
        break;
    case PictureUse::Photo:
        bytes = ImageFiles::jpeg(picture, 90);
        break;
    }
    tree_.addPacked(name, std::move(bytes));
    if (onSheet) {
        pictures_.emplace_back(name, picture);
        dump(name, picture);
    }
}

void Gallery::addEncoded(const std::string& name, const Picture& shown,
                         std::vector<unsigned char> bytes) {
    tree_.addPacked(name, std::move(bytes));
    pictures_.emplace_back(name, shown);
}

void Gallery::addText(const std::string& name, const std::string& text) {
    tree_.addPacked(name, text);
}

void Gallery::addReviewOnly(const std::string& name, const Picture& picture) {
    pictures_.emplace_back(name, picture);
    dump(name, picture);
}

const Picture* Gallery::find(const std::string& name) const {
    for (const auto& [shown, picture] : pictures_) {
        if (shown == name) {
            return &picture;
        }
    }
    return nullptr;
}
