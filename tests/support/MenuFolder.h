#pragma once

// A game folder for menu-screen tests: the working directory moves into a
// fresh folder holding a UI resource table, plain test pictures of known
// sizes and whatever layouts the test writes; the resource manager "main"
// reads it from the disk, and the settings object exists with its defaults.
#include "audio/CSoundManager.h"
#include "audio/ModulePlayer.h"
#include "audio/MusicPlaylist.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "picturewriter/PictureWriter.h"
#include "platform/MessageBox.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class MenuFolder : private platform::MessageBox {
public:
    // Button pictures are 100 by 160 (four frames of 40), check boxes 30 by
    // 120, the slider thumb 20 by 20, backgrounds 64 by 64.
    MenuFolder() : previous_(std::filesystem::current_path()) {
        // A box would wait for a click that never comes.
        platform::setMessageBox(this);
        std::filesystem::current_path(dir.path());
        // Where the game keeps the player's files, as the folders make it.
        std::filesystem::create_directories("data");
        ResourceManager::create("main");
        Settings::destroy();
        settings = Settings::create();
        write("pics/button.tga", picture(100, 160, 40, 200, 40));
        write("pics/box.tga", picture(30, 120, 200, 200, 200));
        write("pics/thumb.tga", picture(20, 20, 250, 250, 0));
        write("pics/back.tga", picture(64, 64, 20, 60, 140));
        std::string table;
        for (const char* key :
             {"m_new_game_btn", "m_quit_game_btn", "m_help_btn", "m_top7_btn", "m_options_btn",
              "m_qv_btn", "m_back_btn", "m_cancel_btn", "m_ok_btn", "m_start_btn",
              "m_continuesaved_btn", "m_startnew_btn", "m_help_next_btn", "m_help_prev_btn"})
            table += std::string(key) + " pics/button.tga\n";
        table += "m_check_box pics/box.tga\nm_music_track_bar pics/thumb.tga\n";
        for (const char* key : {"m_main_window_back", "m_options_window_back", "m_top_window_back",
                                "m_cust_lev_wnd", "m_continue_dlg_back"})
            table += std::string(key) + " pics/back.tga\n";
        write("mui/resourses.txt", table);
    }
    ~MenuFolder() {
        Settings::destroy();
        MusicPlaylist::destroy();
        if (ModulePlayer::exists())
            ModulePlayer::destroy();
        CSoundManager::destroy();
        ResourceManager::destroy("main");
        std::filesystem::current_path(previous_);
        platform::setMessageBox(nullptr);
    }
    MenuFolder(const MenuFolder&) = delete;
    MenuFolder& operator=(const MenuFolder&) = delete;

    void write(const std::string& name, const std::string& text) {
        const std::filesystem::path path = dir.path() / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    void write(const std::string& name, const PictureWriter::Bytes& bytes) {
        write(name, std::string(bytes.begin(), bytes.end()));
    }

    // An uncompressed 32-bit TGA of one opaque colour.
    static PictureWriter::Bytes picture(int width, int height, int r, int g, int b) {
        PictureWriter::Bytes pixels;
        for (int i = 0; i < width * height; ++i)
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                                         static_cast<std::uint8_t>(r), 255});
        return PictureWriter::tga(2, 32, width, height, pixels);
    }

    TempDir dir;
    Settings* settings = nullptr;
    std::vector<std::string> messages;

private:
    void show(const std::string& text, const std::string&, platform::MessageIcon) override {
        messages.push_back(text);
    }

    std::filesystem::path previous_;
};
