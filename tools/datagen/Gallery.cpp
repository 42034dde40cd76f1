#include "Gallery.h"

#include "DataTree.h"
#include "ImageFiles.h"

void Gallery::add(const std::string& name, const Picture& picture, PictureUse use) {
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
    m_tree.addPacked(name, std::move(bytes));
    m_pictures.emplace_back(name, picture);
}

void Gallery::addEncoded(const std::string& name, const Picture& shown,
                         std::vector<unsigned char> bytes) {
    m_tree.addPacked(name, std::move(bytes));
    m_pictures.emplace_back(name, shown);
}

void Gallery::addText(const std::string& name, const std::string& text) {
    m_tree.addPacked(name, text);
}

void Gallery::addReviewOnly(const std::string& name, const Picture& picture) {
    m_pictures.emplace_back(name, picture);
}
