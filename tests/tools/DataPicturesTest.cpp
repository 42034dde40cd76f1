// The generated pictures, sprites, font and animations decode with the sizes
// their use in the game needs.
#include "DataGenerated.h"

#include "persist/PropertyFile.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

using DataGenerated::decode;
using DataGenerated::Decoded;

Decoded picture(const std::string& name) {
    const auto* bytes = DataGenerated::file(name);
    if (!bytes) {
        ADD_FAILURE() << name << " was not generated";
        return {};
    }
    Decoded d = decode(name, *bytes);
    EXPECT_TRUE(d.ok) << name << " does not decode";
    return d;
}

using DataGenerated::properties;

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(DataPictures, EveryPictureFileDecodes) {
    int pictures = 0;
    for (const auto& [name, bytes] : DataGenerated::tree().packed()) {
        if (endsWith(name, ".tga") || endsWith(name, ".png") || endsWith(name, ".jpg")) {
            const Decoded d = decode(name, bytes);
            EXPECT_TRUE(d.ok && d.width > 0 && d.height > 0) << name;
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 100);
}

TEST(DataPictures, BackgroundsAndPanelsHaveTheSizesTheScreensDrawThemAt) {
    for (const char* name : {"dat/game_bg.jpg", "dat/game_bg_small.jpg", "mui/bgs/intro.jpg"}) {
        const Decoded d = picture(name);
        EXPECT_EQ(d.width, 1024) << name;
        EXPECT_EQ(d.height, 1024) << name;
    }
    const Decoded stat = picture("dat/stat.jpg");
    EXPECT_EQ(stat.width, 512);
    EXPECT_EQ(stat.height, 512);
    for (const char* name : {"dat/dymamite.png", "dat/dymamite_gray.png"}) {
        const Decoded d = picture(name);
        EXPECT_EQ(d.width, 128) << name;
        EXPECT_EQ(d.height, 128) << name;
    }
    const PropertyFile table = properties("mui/resourses.txt");
    const struct {
        const char* key;
        int width, height;
    } panels[] = {{"m_main_window_back", 1024, 1024}, {"m_options_window_back", 1024, 1024},
                  {"m_top_window_back", 1024, 1024},  {"m_help_window_back", 1024, 1024},
                  {"m_cust_lev_wnd", 1024, 1024},     {"m_continue_dlg_back", 512, 512},
                  {"m_enter_name_dlg_back", 512, 256}};
    for (const auto& p : panels) {
        const Decoded d = picture(table.getString(p.key, "0"));
        EXPECT_EQ(d.width, p.width) << p.key;
        EXPECT_EQ(d.height, p.height) << p.key;
    }
}

TEST(DataPictures, ControlStripsDivideIntoTheirFrames) {
    const PropertyFile table = properties("mui/resourses.txt");
    const char* fourFrames[] = {"m_new_game_btn",  "m_quit_game_btn",     "m_help_btn",
                                "m_top7_btn",      "m_options_btn",       "m_qv_btn",
                                "m_back_btn",      "m_cancel_btn",        "m_ok_btn",
                                "m_start_btn",     "m_continuesaved_btn", "m_startnew_btn",
                                "m_help_next_btn", "m_help_prev_btn",     "m_top_next_btn",
                                "m_top_prev_btn",  "m_check_box"};
    for (const char* key : fourFrames) {
        ASSERT_TRUE(table.has(key)) << key;
        const Decoded d = picture(table.getString(key, "0"));
        EXPECT_EQ(d.height % 4, 0) << key;
        EXPECT_GE(d.height / 4, 24) << key << " is too small to click";
    }
    const Decoded edit = picture(table.getString("m_enter_name_editbox", "0"));
    EXPECT_EQ(edit.height % 2, 0);
    const Decoded thumb = picture(table.getString("m_music_track_bar", "0"));
    EXPECT_GT(thumb.width, 0);
    const Decoded menuButton = picture("dat/maun_menu_btn.tga");
    EXPECT_EQ(menuButton.height % 4, 0);
    const Decoded hint = picture("dat/hints/hint00.tga");
    EXPECT_GT(hint.width, 0);
    EXPECT_EQ(picture("mui/locked.tga").width, 64);
}

TEST(DataPictures, EverySpriteLoadsWithGroupsAndFramesThatDivideItsPicture) {
    const struct {
        const char* name;
        int groups; // 0: any number above 0
    } sprites[] = {{"dat/skin01.spr", 16},   {"dat/cellback.spr", 5}, {"dat/cellback_small.spr", 2},
                   {"dat/pathpoint.spr", 0}, {"dat/insects.spr", 0},  {"dat/block.spr", 0},
                   {"mui/dragon.spr", 4},    {"mui/cursor.spr", 0},   {"mui/cursor2.spr", 0}};
    for (const auto& s : sprites) {
        const PropertyFile spr = properties(s.name);
        const int groups = spr.getInt("groups", 1), frames = spr.getInt("frames", 1);
        EXPECT_GT(groups, 0) << s.name;
        EXPECT_GT(frames, 0) << s.name;
        if (s.groups) {
            EXPECT_EQ(groups, s.groups) << s.name;
        }
        const Decoded d = picture(spr.getString("file_name", "0"));
        ASSERT_GT(groups * frames, 0);
        EXPECT_EQ(d.width % frames, 0) << s.name;
        EXPECT_EQ(d.height % groups, 0) << s.name;
    }
}

TEST(DataPictures, CursorsHaveTheirPointAtTheCentreOfTheFrame) {
    for (const char* name : {"mui/cursor.spr", "mui/cursor2.spr"}) {
        const PropertyFile spr = properties(name);
        const Decoded d = picture(spr.getString("file_name", "0"));
        const int frameWidth = d.width / spr.getInt("frames", 1);
        // The centre pixel of the first frame is drawn (the hot spot).
        const std::size_t centre =
            (static_cast<std::size_t>(d.height / 2) * d.width + frameWidth / 2) * 4;
        ASSERT_LT(centre + 3, d.rgba.size());
        EXPECT_GT(d.rgba[centre + 3], 128) << name;
    }
}

// The animations: an XML root with groups of frames, each naming a picture.
TEST(DataPictures, ParticleAndAnimationDescriptionsListGroupsOfDecodableFrames) {
    const std::regex group("<group>([\\s\\S]*?)</group>");
    const std::regex frame("<frame>([^<]+)</frame>");
    std::vector<std::string> descriptions{"dat/particles.spr", "dat/hints/gameplay.xml",
                                          "dat/hints/gameplay2.xml"};
    const auto* help = DataGenerated::file("mui/help.xml");
    ASSERT_NE(help, nullptr);
    const std::string helpText(help->begin(), help->end());
    const std::regex image("<image[^>]*>([^<]+)</image>");
    for (std::sregex_iterator it(helpText.begin(), helpText.end(), image), end; it != end; ++it) {
        descriptions.push_back((*it)[1]);
    }
    EXPECT_GE(descriptions.size(), 3u + 8u) << "help pages should each show an animation";
    for (const std::string& name : descriptions) {
        const auto* bytes = DataGenerated::file(name);
        ASSERT_NE(bytes, nullptr) << name;
        const std::string body(bytes->begin(), bytes->end());
        EXPECT_NE(body.find("texWrap=\""), std::string::npos) << name;
        int groups = 0;
        for (std::sregex_iterator g(body.begin(), body.end(), group), end; g != end; ++g) {
            const std::string inner = (*g)[1];
            int frames = 0, width = 0, height = 0;
            for (std::sregex_iterator f(inner.begin(), inner.end(), frame); f != end; ++f) {
                const Decoded d = picture((*f)[1]);
                if (frames == 0) {
                    width = d.width;
                    height = d.height;
                }
                // Every frame is drawn at the first one's size: keep them equal.
                EXPECT_EQ(d.width, width) << (*f)[1];
                EXPECT_EQ(d.height, height) << (*f)[1];
                ++frames;
            }
            EXPECT_GT(frames, 0) << name << " group " << groups;
            ++groups;
        }
        EXPECT_GT(groups, 0) << name;
    }
}

TEST(DataPictures, FontPictureGivesExactly94GlyphsInEqualBands) {
    const auto* bytes = DataGenerated::file("mui/font.tga");
    ASSERT_NE(bytes, nullptr);
    const std::vector<std::uint8_t> header(bytes->begin(), bytes->begin() + 12);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const DataGenerated::FontScan scan = DataGenerated::scanFont(*bytes);
    EXPECT_EQ(scan.glyphWidths.size(), 94u);
    ASSERT_FALSE(scan.bandHeights.empty());
    for (int height : scan.bandHeights) {
        EXPECT_EQ(height, scan.bandHeights.front()) << "glyph rows must share one height";
    }
    // Drawn at size 38 the glyphs must not be magnified.
    EXPECT_GE(scan.bandHeights.front(), 38);
}

TEST(DataPictures, HintPageHasOneRecordWithItsPicture) {
    const auto* hints = DataGenerated::file("dat/hints/hints.xml");
    ASSERT_NE(hints, nullptr);
    const std::string text(hints->begin(), hints->end());
    const std::regex record("<hint posx=\"([0-9.]+)\" posy=\"([0-9.]+)\"");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(text, m, record));
    const Decoded hint = picture("dat/hints/hint00.tga");
    const double x = std::stod(m[1]), y = std::stod(m[2]);
    // The game draws the two animations at (275, 300) and (525, 300): inside the page.
    EXPECT_LT(x, 275 - 100);
    EXPECT_GT(x + hint.width, 525 + 100);
    EXPECT_LT(y, 300 - 60);
    EXPECT_GT(y + hint.height, 300 + 60);
    EXPECT_LE(x + hint.width, 800);
    EXPECT_LE(y + hint.height, 600);
}

} // namespace
