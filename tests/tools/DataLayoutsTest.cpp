// Every layout file places its controls inside the 800 by 600 screen without
// overlaps, with the sizes the controls take from their pictures.
#include "DataGenerated.h"

#include "datagen/Screens.h"
#include "persist/PropertyFile.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using DataGenerated::properties;

struct Box {
    std::string name;
    double x0, y0, x1, y1;
};

// The controls a screen reads from its layout, with the pictures they are
// made with (by key of the resource table, or by file for the game screen).
struct Expected {
    const char* layout;
    double originX, originY; // dialog position on the screen
    std::vector<std::pair<std::string, std::string>> controls;
    std::vector<std::pair<std::string, double>> tracks; // track bars and their length
};

const std::vector<Expected>& expectedScreens() {
    static const std::vector<Expected> screens{
        {"mui/main_wnd.txt",
         0,
         0,
         {{"m_game_btn", "m_new_game_btn"},
          {"m_quit_game_btn", "m_quit_game_btn"},
          {"m_help_btn", "m_help_btn"},
          {"m_top_btn", "m_top7_btn"},
          {"m_options_btn", "m_options_btn"},
          {"m_qv_btn", "m_qv_btn"}},
         {}},
        {"mui/options_wnd.txt",
         0,
         0,
         {{"m_close_btn", "m_back_btn"},
          {"m_fs_cb", "m_check_box"},
          {"m_sound_cb", "m_check_box"},
          {"m_hints_cb", "m_check_box"},
          {"m_dragons_cb", "m_check_box"}},
         {{"m_musik_volume_track_bar", 204}}},
        {"mui/top_wnd.txt", 0, 0, {{"m_close_btn", "m_back_btn"}}, {}},
        {"mui/help_wnd.txt",
         0,
         0,
         {{"m_close_btn", "m_back_btn"},
          {"m_next_btn", "m_help_next_btn"},
          {"m_prev_btn", "m_help_prev_btn"}},
         {}},
        {"mui/custom_wnd.txt",
         0,
         0,
         {{"m_close_btn", "m_cancel_btn"},
          {"m_ok_btn", "m_start_btn"},
          {"m_next_btn", "m_help_next_btn"},
          {"m_prev_btn", "m_help_prev_btn"}},
         {{"m_level_track_bar", 495}}},
        {"mui/continue_dlg.txt",
         144,
         44,
         {{"m_continuesaved_btn", "m_continuesaved_btn"},
          {"m_startnew_btn", "m_startnew_btn"},
          {"m_cancel_btn", "m_cancel_btn"}},
         {}},
        {"mui/entername_dlg.txt",
         144,
         172,
         {{"m_ok_btn", "m_ok_btn"}, {"m_enter_name_box", "m_enter_name_editbox"}},
         {}},
        {"dat/bonuses_buttons.txt", 0, 0, {{"m_main_menu_btn", "dat/maun_menu_btn.tga"}}, {}},
    };
    return screens;
}

// Width and height of a control made with this picture.
std::pair<double, double> controlSize(const std::string& picture, bool thumb) {
    const PropertyFile table = properties("mui/resourses.txt");
    const std::string file =
        picture.find('/') == std::string::npos ? table.getString(picture, "0") : picture;
    const auto* bytes = DataGenerated::file(file);
    if (!bytes) {
        ADD_FAILURE() << picture << " names no generated picture (" << file << ")";
        return {0, 0};
    }
    const auto d = DataGenerated::decode(file, *bytes);
    const int frames = thumb ? 1 : picture == "m_enter_name_editbox" ? 2 : 4;
    return {d.width, static_cast<double>(d.height) / frames};
}

TEST(DataLayouts, ControlsLieInsideTheScreenWithoutOverlapping) {
    for (const Expected& screen : expectedScreens()) {
        const PropertyFile layout = properties(screen.layout);
        std::vector<Box> boxes;
        auto place = [&](const std::string& name, const std::string& picture, double extra,
                         bool thumb) {
            ASSERT_TRUE(layout.has(name + ".x") && layout.has(name + ".y"))
                << screen.layout << " " << name;
            const double x = screen.originX + layout.getFloat(name + ".x", 0);
            const double y = screen.originY + layout.getFloat(name + ".y", 0);
            const auto [w, h] = controlSize(picture, thumb);
            EXPECT_GT(w * h, 0) << name;
            boxes.push_back({name, x, y, x + w + extra, y + h});
        };
        for (const auto& [name, picture] : screen.controls) {
            place(name, picture, 0, false);
        }
        for (const auto& [name, length] : screen.tracks) {
            place(name, "m_music_track_bar", length, true);
        }
        for (const Box& b : boxes) {
            EXPECT_GE(b.x0, 0) << screen.layout << " " << b.name;
            EXPECT_GE(b.y0, 0) << screen.layout << " " << b.name;
            EXPECT_LE(b.x1, 800) << screen.layout << " " << b.name;
            EXPECT_LE(b.y1, 600) << screen.layout << " " << b.name;
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                const Box &a = boxes[i], &b = boxes[j];
                const bool apart = a.x1 <= b.x0 || b.x1 <= a.x0 || a.y1 <= b.y0 || b.y1 <= a.y0;
                EXPECT_TRUE(apart) << screen.layout << ": " << a.name << " overlaps " << b.name;
            }
        }
    }
}

TEST(DataLayouts, DialogControlsStayOnTheirPanels) {
    for (const Expected& screen : expectedScreens()) {
        if (screen.originX == 0) {
            continue;
        }
        const PropertyFile layout = properties(screen.layout);
        const double panelHeight =
            screen.layout == std::string("mui/entername_dlg.txt") ? 256 : 512;
        for (const auto& [name, picture] : screen.controls) {
            const double y = layout.getFloat(name + ".y", -1);
            const auto [w, h] = controlSize(picture, false);
            EXPECT_GE(y, 0) << name;
            EXPECT_LE(y + h, panelHeight) << screen.layout << " " << name;
        }
    }
}

TEST(DataLayouts, HighScoreRowsAndSpacingsAreGiven) {
    const PropertyFile top = properties("mui/top_wnd.txt");
    double previous = 0;
    for (int k = 1; k <= 7; ++k) {
        char key[32];
        std::snprintf(key, sizeof key, "string_pos_%02d.y", k);
        ASSERT_TRUE(top.has(key)) << key;
        const double y = top.getFloat(key, 0);
        EXPECT_GT(y, previous + top.getFloat("m_font_size", 10)) << "rows must not overlap";
        previous = y;
    }
    EXPECT_LT(previous, 520);
    EXPECT_GE(top.getFloat("m_font_size", 0), 20);
}

TEST(DataLayouts, TheDescriptionThatDrawsTheBackgroundsIsTheOneWritten) {
    for (const Screens::Screen& screen : Screens::screens()) {
        const PropertyFile layout = properties(screen.layout);
        for (const Screens::Control& c : screen.controls) {
            EXPECT_FLOAT_EQ(layout.getFloat(c.name + ".x", -1), static_cast<float>(c.x)) << c.name;
            EXPECT_FLOAT_EQ(layout.getFloat(c.name + ".y", -1), static_cast<float>(c.y)) << c.name;
        }
    }
}

TEST(DataLayouts, ResourceTableNamesEveryMenuPicture) {
    const PropertyFile table = properties("mui/resourses.txt");
    for (int i = 0; i < UiResources::tableKeyCount(); ++i) {
        const char* key = UiResources::tableKeys()[i];
        EXPECT_NE(DataGenerated::file(table.getString(key, "0")), nullptr) << key;
    }
}

} // namespace
