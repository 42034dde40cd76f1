// The written game folder read back through the game's resource manager:
// every name the game asks for is found, packed files come from the pack
// scrambled with the game's password, sound effects stay on the disk.
#include "DataGenerated.h"

#include "datagen/DataWriter.h"
#include "persist/PackFormat.h"
#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The files the game opens by name, from its resources, screens and board.
const std::vector<std::string> kPictureFiles{
    "dat/block.spr",          "dat/bonuses_buttons.txt", "dat/cellback.spr",
    "dat/cellback_small.spr", "dat/dymamite.png",        "dat/dymamite_gray.png",
    "dat/game.txt",           "dat/game_bg.jpg",         "dat/game_bg_small.jpg",
    "dat/hints/gameplay.xml", "dat/hints/gameplay2.xml", "dat/hints/hint00.tga",
    "dat/hints/hints.xml",    "dat/insects.spr",         "dat/maun_menu_btn.tga",
    "dat/particles.spr",      "dat/pathpoint.spr",       "dat/skin01.spr",
    "dat/stat.jpg",           "mui/bgs/intro.jpg",       "mui/continue_dlg.txt",
    "mui/cursor.spr",         "mui/cursor2.spr",         "mui/custom_wnd.txt",
    "mui/dragon.spr",         "mui/entername_dlg.txt",   "mui/font.tga",
    "mui/help.xml",           "mui/help_wnd.txt",        "mui/locked.tga",
    "mui/main_wnd.txt",       "mui/options_wnd.txt",     "mui/resourses.txt",
    "mui/top_wnd.txt"};
const std::vector<std::string> kSoundFiles{
    "wav/glassbreaks.wav", "wav/pop.wav",      "wav/waterdrop2.wav", "wav/bonk.wav",
    "wav/bowl.wav",        "wav/shot.wav",     "wav/select.wav",     "wav/unselect.wav",
    "wav/takeoff.wav",     "wav/btn_click.wav"};
const std::vector<std::string> kMusicFiles{"music/menu.xm", "music/game01.xm", "music/game02.xm",
                                           "music/game03.xm", "music/game04.xm"};

std::vector<std::string> levelFiles() {
    std::vector<std::string> names;
    for (int level = 1; level <= 100; ++level) {
        char name[32];
        std::snprintf(name, sizeof name, "levels/level%03d.txt", level);
        names.push_back(name);
    }
    return names;
}

std::string text(const std::string& name) {
    const auto* bytes = DataGenerated::file(name);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// Names written inside the data itself: the resource table, sprite
// descriptions and the XML animation lists.
std::set<std::string> namesInsideTheData() {
    std::set<std::string> names;
    PropertyFile table;
    const std::string resources = text("mui/resourses.txt");
    table.loadBuffer(reinterpret_cast<const unsigned char*>(resources.data()), resources.size(),
                     true);
    for (const auto& [key, value] : table.all()) {
        names.insert(value);
    }
    const std::regex element("<(frame|image)[^>]*>([^<]+)</(frame|image)>");
    for (const auto& [name, bytes] : DataGenerated::tree().packed()) {
        const std::string body(bytes.begin(), bytes.end());
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".spr") == 0 &&
            body.rfind("<", 0) != 0) {
            PropertyFile spr;
            spr.loadBuffer(bytes.data(), bytes.size(), true);
            names.insert(spr.getString("file_name", "0"));
        } else if (name.size() > 4 &&
                   (name.compare(name.size() - 4, 4, ".xml") == 0 || name == "dat/particles.spr")) {
            for (std::sregex_iterator it(body.begin(), body.end(), element), end; it != end; ++it) {
                names.insert((*it)[2]);
            }
        }
    }
    return names;
}

// The build's game folder, read the way the game reads it.
class DataPack : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        manager = ResourceManager::create("datatest");
        manager->setPassword(PackFormat::gamePassword);
        manager->open((DataGenerated::folder() / DataWriter::packName).string());
    }
    static void TearDownTestSuite() { ResourceManager::destroy("datatest"); }

    // Reads a name from inside the game folder, as the game does.
    static FileData read(const std::string& name) {
        const fs::path before = fs::current_path();
        fs::current_path(DataGenerated::folder());
        FileData data = manager->readFile(name);
        fs::current_path(before);
        return data;
    }

    static void expectFound(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            const FileData data = read(name);
            EXPECT_FALSE(data.empty()) << name << " is neither in the pack nor on the disk";
        }
    }

    static inline ResourceManager* manager = nullptr;
};

TEST_F(DataPack, EveryPictureLayoutAndTextTheGameAsksForIsInThePack) {
    for (const std::string& name : kPictureFiles) {
        const FileData data = read(name);
        ASSERT_FALSE(data.empty()) << name;
        EXPECT_NE(data.offset, 0u) << name << " should come from the pack";
        EXPECT_EQ(data.scrambled, 'y') << name;
    }
}

TEST_F(DataPack, EveryNameWrittenInsideTheDataIsFound) {
    const std::set<std::string> names = namesInsideTheData();
    EXPECT_GT(names.size(), 50u);
    expectFound(std::vector<std::string>(names.begin(), names.end()));
}

TEST_F(DataPack, LevelsAndMusicAreInThePack) {
    expectFound(levelFiles());
    if (!DataGenerated::file(kMusicFiles[0])) {
        GTEST_SKIP() << "the music generator has not produced its modules yet";
    }
    expectFound(kMusicFiles);
}

TEST_F(DataPack, SoundEffectsStayOnTheDiskBesideThePack) {
    const auto& names = manager->entryNames();
    for (const std::string& name : kSoundFiles) {
        const FileData data = read(name);
        ASSERT_FALSE(data.empty()) << name;
        EXPECT_EQ(data.offset, 0u) << name << " must be read from the disk";
        for (const std::string& entry : names) {
            EXPECT_EQ(entry.find("wav"), std::string::npos) << entry << " should not be packed";
        }
    }
}

TEST_F(DataPack, EveryEntryIsScrambledWithTheGamePasswordInTheFile) {
    std::ifstream in(DataGenerated::folder() / DataWriter::packName, std::ios::binary);
    const DataTree::Bytes raw((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    const auto& names = manager->entryNames();
    ASSERT_EQ(names.size(), DataGenerated::tree().packed().size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const FileData& record = manager->directory()[i];
        EXPECT_EQ(record.scrambled, 'y') << names[i];
        // The stored name uses the game's "\" separators.
        EXPECT_EQ(names[i].find('/'), std::string::npos) << names[i];
        const FileData plain = manager->readEntry(i);
        ASSERT_GE(raw.size(), record.offset + plain.size);
        if (plain.size >= 16) {
            EXPECT_FALSE(std::equal(plain.data(), plain.data() + 16, raw.begin() + record.offset))
                << names[i];
        }
    }
}

} // namespace
