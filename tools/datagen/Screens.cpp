// The menu screens: their backgrounds, control pictures, layout files and
// mock-ups, all from one description of each screen.
//
// Index, in file order:
// - Button labels and the table of UI pictures (uiPictures, uiPicture).
// - The screens and their controls (screens).
// - Layout text of a screen (layoutText).
// - Backgrounds: the main menu, options, high scores, help, level choice,
//   the two dialog panels and the intro.
// - Control pictures and the contact-sheet mock-ups.
// - addScreens: everything above into the gallery.

#include "Screens.h"

#include "BoardArt.h"
#include "Canvas.h"
#include "Gallery.h"
#include "PropertyText.h"
#include "Scenery.h"
#include "UiArt.h"
#include "app/CommandLine.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace Screens {

namespace {

constexpr int kButtonW = 256, kButtonH = 64;
constexpr int kArrow = 64;
constexpr int kCheck = 64;
constexpr int kThumbW = 32, kThumbH = 64;

struct Label {
    std::string key;
    std::string text;
    UiArt::Glyph glyph = UiArt::Glyph::None;
};

const std::vector<Label>& buttonLabels() {
    static const std::vector<Label> labels{
        {"m_new_game_btn", "New Game"},
        {"m_quit_game_btn", "Quit"},
        {"m_help_btn", "How to Play"},
        {"m_top7_btn", "High Scores"},
        {"m_options_btn", "Options"},
        {"m_qv_btn", "Our Website"},
        {"m_back_btn", "Back"},
        {"m_cancel_btn", "Cancel"},
        {"m_ok_btn", "OK"},
        {"m_start_btn", "Start"},
        {"m_continuesaved_btn", "Continue"},
        {"m_startnew_btn", "New Game"},
        {"m_help_next_btn", "", UiArt::Glyph::Right},
        {"m_help_prev_btn", "", UiArt::Glyph::Left},
        {"m_top_next_btn", "", UiArt::Glyph::Right},
        {"m_top_prev_btn", "", UiArt::Glyph::Left},
    };
    return labels;
}

} // namespace

const std::vector<UiPicture>& uiPictures() {
    static const std::vector<UiPicture> pictures = [] {
        std::vector<UiPicture> list;
        for (const Label& l : buttonLabels()) {
            const bool arrow = l.glyph != UiArt::Glyph::None;
            list.push_back({l.key, "mui/btn/" + l.key.substr(2) + ".png", arrow ? kArrow : kButtonW,
                            arrow ? kArrow : kButtonH, 4});
        }
        list.push_back({"m_check_box", "mui/btn/check_box.png", kCheck, kCheck, 4});
        list.push_back({"m_music_track_bar", "mui/btn/track_bar.png", kThumbW, kThumbH, 1});
        list.push_back({"m_enter_name_editbox", "mui/btn/enter_name_editbox.png", 512, 64, 2});
        for (const char* key : {"m_main_window_back", "m_options_window_back", "m_top_window_back",
                                "m_help_window_back", "m_cust_lev_wnd"}) {
            list.push_back({key, "mui/bgs/" + std::string(key).substr(2) + ".jpg", 1024, 1024, 1});
        }
        list.push_back({"m_continue_dlg_back", "mui/bgs/continue_dlg_back.png", 512, 512, 1});
        list.push_back({"m_enter_name_dlg_back", "mui/bgs/enter_name_dlg_back.png", 512, 256, 1});
        list.push_back({"dat/maun_menu_btn.tga", "dat/maun_menu_btn.tga", 128, 32, 4, false});
        return list;
    }();
    return pictures;
}

const UiPicture* uiPicture(const std::string& key) {
    for (const UiPicture& p : uiPictures()) {
        if (p.key == key) {
            return &p;
        }
    }
    return nullptr;
}

const std::vector<Screen>& screens() {
    static const std::vector<Screen> list = [] {
        std::vector<Screen> s;
        const double centreX = 400 - kButtonW / 2.0;
        {
            Screen main{"mui/main_wnd.txt", "m_main_window_back"};
            const char* rows[][2] = {
                {"m_game_btn", "m_new_game_btn"}, {"m_help_btn", "m_help_btn"},
                {"m_top_btn", "m_top7_btn"},      {"m_options_btn", "m_options_btn"},
                {"m_qv_btn", "m_qv_btn"},         {"m_quit_game_btn", "m_quit_game_btn"}};
            double y = 172;
            for (const auto& row : rows) {
                main.controls.push_back({row[0], row[1], centreX, y});
                y += 70;
            }
            s.push_back(main);
        }
        {
            Screen options{"mui/options_wnd.txt", "m_options_window_back"};
            options.controls.push_back(
                {"m_musik_volume_track_bar", "m_music_track_bar", 420, 168, "Music volume", 204});
            options.controls.push_back({"m_sound_cb", "m_check_box", 560, 244, "Sound effects"});
            options.controls.push_back(
                {"m_hints_cb", "m_check_box", 560, 312, "Hints in the game"});
            options.controls.push_back(
                {"m_dragons_cb", "m_check_box", 560, 380, "Dragons in the menus"});
            options.controls.push_back({"m_fs_cb", "m_check_box", 560, 448, "Full screen"});
            options.controls.push_back({"m_close_btn", "m_back_btn", centreX, 526});
            s.push_back(options);
        }
        {
            Screen top{"mui/top_wnd.txt", "m_top_window_back"};
            top.controls.push_back({"m_close_btn", "m_back_btn", centreX, 526});
            s.push_back(top);
        }
        {
            Screen help{"mui/help_wnd.txt", "m_help_window_back"};
            help.controls.push_back({"m_prev_btn", "m_help_prev_btn", 40, 526});
            help.controls.push_back({"m_close_btn", "m_back_btn", centreX, 526});
            help.controls.push_back({"m_next_btn", "m_help_next_btn", 696, 526});
            s.push_back(help);
        }
        {
            Screen custom{"mui/custom_wnd.txt", "m_cust_lev_wnd"};
            custom.controls.push_back({"m_prev_btn", "m_help_prev_btn", 56, 420});
            custom.controls.push_back(
                {"m_level_track_bar", "m_music_track_bar", 136, 420, "", 495});
            custom.controls.push_back({"m_next_btn", "m_help_next_btn", 680, 420});
            custom.controls.push_back({"m_close_btn", "m_cancel_btn", 134, 514});
            custom.controls.push_back({"m_ok_btn", "m_start_btn", 410, 514});
            s.push_back(custom);
        }
        {
            Screen cont{"mui/continue_dlg.txt", "m_continue_dlg_back", true, 144, 44, 512, 512};
            cont.controls.push_back({"m_continuesaved_btn", "m_continuesaved_btn", 128, 296});
            cont.controls.push_back({"m_startnew_btn", "m_startnew_btn", 128, 366});
            cont.controls.push_back({"m_cancel_btn", "m_cancel_btn", 128, 436});
            s.push_back(cont);
        }
        {
            Screen name{"mui/entername_dlg.txt", "m_enter_name_dlg_back", true, 144, 172, 512, 256};
            name.controls.push_back({"m_enter_name_box", "m_enter_name_editbox", 56, 100});
            name.controls.push_back({"m_ok_btn", "m_ok_btn", 128, 178});
            s.push_back(name);
        }
        {
            Screen game{"dat/bonuses_buttons.txt", ""};
            game.controls.push_back({"m_main_menu_btn", "dat/maun_menu_btn.tga", 10, 560});
            s.push_back(game);
        }
        return s;
    }();
    return list;
}

namespace {

// The high-score rows and the level chooser's fixed places, shared by the
// layout files and the pictures.
constexpr double kTopRowX = 250, kTopRowY = 200, kTopRowStep = 44;
constexpr double kTopNumberSpace = 44, kTopScoreSpace = 250, kTopFontSize = 24;

std::string layoutText(const Screen& screen) {
    PropertyText text;
    text.comment(screen.layout + ": positions of the controls (top-left corner, " +
                 (screen.dialog ? "relative to the dialog" : "screen units") + ")");
    for (const Control& c : screen.controls) {
        text.set(c.name + ".x", c.x).set(c.name + ".y", c.y).set(c.name + ".z", 0);
    }
    if (screen.layout == "mui/top_wnd.txt") {
        text.set("m_score_space", kTopScoreSpace)
            .set("m_num_space", kTopNumberSpace)
            .set("m_font_size", kTopFontSize);
        for (int k = 1; k <= 7; ++k) {
            char key[32];
            std::snprintf(key, sizeof key, "string_pos_%02d", k);
            text.set(std::string(key) + ".x", kTopRowX)
                .set(std::string(key) + ".y", kTopRowY + (k - 1) * kTopRowStep);
        }
    }
    return text.text();
}

void title(Canvas& canvas, const std::string& text, double y, double size = 54) {
    Lettering::gold(canvas, text, Face::SerifBold, size, 400, y, Align::Centre);
}

// Sky and garden of a full-screen menu, in screen coordinates.
void menuScenery(Canvas& canvas, std::uint32_t seed, double moonX, double moonY, double moonR) {
    Scenery::toScreen(canvas);
    Scenery::sky(canvas, seed, moonX, moonY, moonR);
    Scenery::garden(canvas, seed + 1, 150);
    Scenery::fireflies(canvas, seed + 2, 26, -100, 380, 1000, 200);
}

// Captions, grooves and soft sockets under the controls of a screen.
void controlSockets(Canvas& canvas, const Screen& screen) {
    cairo_t* cr = canvas.cr();
    for (const Control& c : screen.controls) {
        const UiPicture* p = uiPicture(c.picture);
        if (!p) {
            continue;
        }
        const double cx = c.x + p->width / 2.0, cy = c.y + p->frameHeight / 2.0;
        if (c.length > 0) {
            // The track the thumb runs along.
            const double x0 = c.x + 4, x1 = c.x + c.length + p->width - 4;
            Shapes::roundedRect(cr, x0, cy - 5, x1 - x0, 10, 5);
            Shapes::setRgb(cr, {0.02, 0.01, 0.06}, 0.9);
            cairo_fill_preserve(cr);
            Shapes::setRgb(cr, Palette::goldDeep, 1);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
            for (int i = 0; i <= 10; ++i) {
                const double tx = c.x + p->width / 2.0 + c.length * i / 10.0;
                cairo_move_to(cr, tx, cy + 10);
                cairo_line_to(cr, tx, cy + (i % 5 == 0 ? 18 : 14));
            }
            Shapes::setRgb(cr, Palette::gold, 0.6);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        } else if (p->frames == 4 && p->width > p->frameHeight) {
            Shapes::glow(cr, cx, cy + 6, p->width * 0.55, {0.35, 0.25, 0.8}, 0.25);
        }
        if (!c.caption.empty()) {
            Lettering::gold(canvas, c.caption, Face::SerifBold, 28, c.x - 28, cy + 10, Align::Right,
                            0.5);
        }
    }
}

Picture mainBackground(const Screen& screen) {
    Canvas canvas(Scenery::kSize, Scenery::kSize);
    menuScenery(canvas, 11, 700, 110, 40);
    cairo_t* cr = canvas.cr();
    // A veil of light behind the column of buttons.
    cairo_pattern_t* veil = cairo_pattern_create_linear(250, 0, 550, 0);
    cairo_pattern_add_color_stop_rgba(veil, 0, 0.3, 0.2, 0.7, 0);
    cairo_pattern_add_color_stop_rgba(veil, 0.5, 0.3, 0.2, 0.7, 0.22);
    cairo_pattern_add_color_stop_rgba(veil, 1, 0.3, 0.2, 0.7, 0);
    cairo_set_source(cr, veil);
    cairo_rectangle(cr, 250, 150, 300, 450);
    cairo_fill(cr);
    cairo_pattern_destroy(veil);
    title(canvas, "Quillmere", 118, 92);
    Lettering::plain(canvas, CommandLine::summary, Face::Serif, 22, 400, 152, Align::Centre,
                     Palette::lilac);
    // Two balls resting in the grass either side, as a greeting.
    BoardArt::ball(cr, 120, 520, 30, 3, 0.1);
    BoardArt::ball(cr, 176, 540, 24, 2, 0.5);
    BoardArt::ball(cr, 690, 530, 30, 0, 0.1);
    BoardArt::ball(cr, 628, 548, 22, 13, 0.3);
    controlSockets(canvas, screen);
    return canvas.picture();
}

Picture optionsBackground(const Screen& screen) {
    Canvas canvas(Scenery::kSize, Scenery::kSize);
    menuScenery(canvas, 21, 110, 80, 34);
    Shapes::panel(canvas, 120, 140, 560, 380, 26, 0.88);
    title(canvas, "Options", 108);
    controlSockets(canvas, screen);
    return canvas.picture();
}

Picture topBackground(const Screen& screen) {
    Canvas canvas(Scenery::kSize, Scenery::kSize);
    menuScenery(canvas, 31, 690, 70, 38);
    Shapes::panel(canvas, 140, 140, 520, 370, 26, 0.88);
    title(canvas, "High Scores", 108);
    cairo_t* cr = canvas.cr();
    for (int k = 0; k < 7; ++k) {
        const double baseline = kTopRowY + k * kTopRowStep;
        // A faint stripe under every row, a medal for the first three.
        Shapes::roundedRect(cr, 164, baseline - 32, 472, 40, 12);
        Shapes::setRgb(cr, k % 2 ? Rgb{0.22, 0.16, 0.45} : Rgb{0.16, 0.12, 0.34}, 0.7);
        cairo_fill(cr);
        if (k < 3) {
            const Rgb medal = k == 0   ? Palette::gold
                              : k == 1 ? Rgb{0.85, 0.87, 0.95}
                                       : Rgb{0.85, 0.55, 0.3};
            Shapes::star(cr, 186, baseline - 12, 13, 6, 5);
            Shapes::setRgb(cr, medal, 1);
            cairo_fill(cr);
        }
    }
    controlSockets(canvas, screen);
    return canvas.picture();
}

Picture helpBackground(const Screen& screen) {
    Canvas canvas(Scenery::kSize, Scenery::kSize);
    Scenery::toScreen(canvas);
    Scenery::sky(canvas, 41, 740, 40, 26);
    Scenery::garden(canvas, 42, 90);
    Shapes::panel(canvas, 30, 24, 740, 490, 28, 0.9);
    controlSockets(canvas, screen);
    return canvas.picture();
}

Picture customBackground(const Screen& screen) {
    Canvas canvas(Scenery::kSize, Scenery::kSize);
    menuScenery(canvas, 51, 90, 70, 36);
    cairo_t* cr = canvas.cr();
    title(canvas, "Choose a Level", 108);
    // The frame of the board preview (the game draws it at 0.262 scale from (300, 180)).
    const double px = 300, py = 180, pw = 800 * 0.262, ph = 600 * 0.262;
    Shapes::panel(canvas, px - 14, py - 14, pw + 28, ph + 28, 14, 0.95);
    cairo_rectangle(cr, px, py, pw, ph);
    Shapes::setRgb(cr, {0, 0, 0}, 1);
    cairo_fill(cr);
    // The plate under "Level: N" (drawn by the game at (307, 401), size 38).
    Shapes::inset(cr, 290, 360, 220, 50, 20, {0.08, 0.05, 0.2}, 0.75);
    controlSockets(canvas, screen);
    return canvas.picture();
}

Picture continuePanel() {
    Canvas canvas(512, 512);
    Shapes::panel(canvas, 10, 10, 492, 492, 30, 0.96);
    cairo_t* cr = canvas.cr();
    Shapes::glow(cr, 256, 64, 120, {0.5, 0.4, 1.0}, 0.25);
    Lettering::gold(canvas, "Welcome back!", Face::SerifBold, 44, 256, 90, Align::Centre);
    Lettering::plain(canvas, "Your game is waiting where you left it.", Face::Serif, 19, 256, 134,
                     Align::Centre, Palette::lilac);
    Lettering::plain(canvas, "Continue it, or start a new one?", Face::Serif, 19, 256, 160,
                     Align::Centre, Palette::lilac);
    // The box the game writes LEVEL and SCORE into (local 162, 231 and 164, 261).
    Shapes::roundedRect(cr, 120, 194, 272, 80, 16);
    Shapes::setRgb(cr, {0.03, 0.02, 0.09}, 0.85);
    cairo_fill_preserve(cr);
    Shapes::setRgb(cr, Palette::goldDeep, 1);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    return canvas.picture();
}

Picture enterNamePanel() {
    Canvas canvas(512, 256);
    Shapes::panel(canvas, 8, 8, 496, 240, 26, 0.96);
    Lettering::gold(canvas, "A new high score!", Face::SerifBold, 36, 256, 56, Align::Centre);
    Lettering::plain(canvas, "Write your name for the hall of fame:", Face::Serif, 18, 256, 88,
                     Align::Centre, Palette::lilac);
    return canvas.picture();
}

Picture intro() {
    Canvas canvas(Scenery::kSize, Scenery::kSize);
    Scenery::toScreen(canvas);
    Scenery::sky(canvas, 61, 400, 250, 120);
    Scenery::garden(canvas, 62, 210);
    Scenery::fireflies(canvas, 63, 40, -100, 330, 1000, 260);
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < 7; ++i) {
        const double a = M_PI * (0.15 + 0.7 * i / 6.0);
        BoardArt::ball(cr, 400 - std::cos(a) * 250, 500 - std::sin(a) * 60, 26, i, 0.2);
    }
    Lettering::gold(canvas, "Quillmere", Face::SerifBold, 110, 400, 290, Align::Centre, 1.2);
    Lettering::plain(canvas, "lighting the lanterns...", Face::Serif, 24, 400, 340, Align::Centre,
                     Palette::lilac);
    return canvas.picture();
}

Picture screenBackground(const Screen& screen) {
    if (screen.layout == "mui/main_wnd.txt") {
        return mainBackground(screen);
    }
    if (screen.layout == "mui/options_wnd.txt") {
        return optionsBackground(screen);
    }
    if (screen.layout == "mui/top_wnd.txt") {
        return topBackground(screen);
    }
    if (screen.layout == "mui/help_wnd.txt") {
        return helpBackground(screen);
    }
    if (screen.layout == "mui/custom_wnd.txt") {
        return customBackground(screen);
    }
    if (screen.layout == "mui/continue_dlg.txt") {
        return continuePanel();
    }
    if (screen.layout == "mui/entername_dlg.txt") {
        return enterNamePanel();
    }
    return {};
}

Picture controlPicture(const UiPicture& p) {
    for (const Label& l : buttonLabels()) {
        if (l.key == p.key) {
            return UiArt::button(p.width, p.frameHeight, l.text, l.glyph);
        }
    }
    if (p.key == "m_check_box") {
        return UiArt::checkBox(p.width);
    }
    if (p.key == "m_music_track_bar") {
        return UiArt::thumb(p.width, p.frameHeight);
    }
    if (p.key == "m_enter_name_editbox") {
        return UiArt::editBox(p.width, p.frameHeight, 400);
    }
    if (p.key == "dat/maun_menu_btn.tga") {
        return UiArt::button(p.width, p.frameHeight, "Menu");
    }
    return {};
}

// The screen as the player first sees it: background, then every control in
// its first frame at the place its layout gives.
Picture mockUp(const Screen& screen, const std::map<std::string, Picture>& pictures) {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr();
    Shapes::setRgb(cr, {0.1, 0.1, 0.12});
    cairo_paint(cr);
    if (auto bg = pictures.find(screen.background); bg != pictures.end()) {
        if (screen.dialog) {
            Shapes::setRgb(cr, {0, 0, 0}, 0.5);
            cairo_paint(cr);
            canvas.paint(bg->second, screen.originX, screen.originY);
        } else {
            canvas.paint(bg->second, -Scenery::kOffsetX, -Scenery::kOffsetY);
        }
    }
    for (const Control& c : screen.controls) {
        const UiPicture* p = uiPicture(c.picture);
        const auto found = pictures.find(c.picture);
        if (!p || found == pictures.end()) {
            continue;
        }
        Picture first(p->width, p->frameHeight);
        for (int y = 0; y < p->frameHeight; ++y) {
            for (int x = 0; x < p->width; ++x) {
                std::copy_n(found->second.at(x, (p->frames - 1) * p->frameHeight + y), 4,
                            first.at(x, y));
            }
        }
        const double ox = screen.dialog ? screen.originX : 0,
                     oy = screen.dialog ? screen.originY : 0;
        // A thumb sits a third of the way along its track.
        canvas.paint(first, ox + c.x + c.length / 3, oy + c.y);
    }
    return canvas.picture();
}

} // namespace

void addScreens(Gallery& gallery) {
    PropertyText table;
    table.comment("mui/resourses.txt: the pictures of the menus, by name");
    std::map<std::string, Picture> backgrounds;
    for (const Screen& screen : screens()) {
        if (!screen.background.empty()) {
            backgrounds[screen.background] = screenBackground(screen);
        }
        gallery.addText(screen.layout, layoutText(screen));
    }
    for (const UiPicture& p : uiPictures()) {
        Picture picture;
        if (auto found = backgrounds.find(p.key); found != backgrounds.end()) {
            picture = found->second;
        } else {
            picture = controlPicture(p);
        }
        if (picture.width != p.width || picture.height != p.frameHeight * p.frames) {
            throw std::logic_error("picture " + p.key + " has the wrong size");
        }
        const bool photo = p.file.size() > 4 && p.file.compare(p.file.size() - 4, 4, ".jpg") == 0;
        const bool tga = p.file.size() > 4 && p.file.compare(p.file.size() - 4, 4, ".tga") == 0;
        gallery.add(p.file, picture,
                    photo ? PictureUse::Photo
                    : tga ? PictureUse::QuadTga
                          : PictureUse::Quad);
        if (p.inTable) {
            table.set(p.key, p.file);
        }
    }
    gallery.addText("mui/resourses.txt", table.text());
    std::map<std::string, Picture> all = backgrounds;
    for (const UiPicture& p : uiPictures()) {
        if (!all.count(p.key)) {
            all[p.key] = controlPicture(p);
        }
    }
    for (const Screen& screen : screens()) {
        gallery.addReviewOnly("mock-up: " + screen.layout, mockUp(screen, all));
    }
    gallery.add("mui/locked.tga", UiArt::padlock(64), PictureUse::QuadTga);
    gallery.add("mui/bgs/intro.jpg", intro(), PictureUse::Photo);
}

} // namespace Screens
