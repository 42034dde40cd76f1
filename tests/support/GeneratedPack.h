#pragma once

// The game folder the build writes, entered for one test with its pack open
// as the resource manager "main"; the folder and manager are left afterwards.
#include "datagen/DataWriter.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"

#include <filesystem>

class GeneratedPack {
public:
    GeneratedPack() : before_(std::filesystem::current_path()) {
        std::filesystem::current_path(std::filesystem::path(QUILLMERE_BINARY_DIR) / "gamedata");
        ResourceManager* pack = ResourceManager::create("main");
        pack->setPassword(PackFormat::gamePassword);
        pack->open(DataWriter::packName);
        opened_ = !pack->directory().empty();
    }
    ~GeneratedPack() {
        ResourceManager::destroy("main");
        std::filesystem::current_path(before_);
    }
    GeneratedPack(const GeneratedPack&) = delete;
    GeneratedPack& operator=(const GeneratedPack&) = delete;

    // False when the build wrote no pack.
    bool isOpen() const { return opened_; }

private:
    std::filesystem::path before_;
    bool opened_ = false;
};
