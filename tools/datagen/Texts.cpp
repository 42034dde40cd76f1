// The help and hint texts with their animations.
//
// Index, in file order:
// - Animations: the frames of each scene (HelpScenes) written as a sprite.
// - The hint picture and the help page mock-ups.
// - addTexts: the help XML, the hints XML and every picture into the gallery.

#include "Texts.h"

#include "BoardArt.h"
#include "Canvas.h"
#include "Gallery.h"
#include "HelpScenes.h"

#include <cmath>
#include <functional>
#include <sstream>
#include <vector>

namespace {

using Script = std::function<Scene(int frame)>;

struct Animation {
    std::string name; // description file
    int frames;
    Script script;
};

// Writes the frames (PNG, rows flipped so the particle sprite shows them
// upright) and the XML description that lists them.
void addAnimation(Gallery& gallery, const Animation& a, int w, int h, double radius) {
    std::ostringstream xml;
    xml << "<animation texWrap=\"0\" texDynamic=\"0\">\r\n  <group>\r\n";
    const std::string stem = a.name.substr(0, a.name.size() - 4);
    const int perRow = 4;
    Picture strip(w * perRow, h * ((a.frames + perRow - 1) / perRow));
    for (int f = 0; f < a.frames; ++f) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "_%02d.png", f);
        const std::string file = stem + suffix;
        const Picture frame = drawScene(a.script(f), w, h, radius);
        gallery.add(file, frame, PictureUse::SpritePng, false);
        strip.place(frame, (f % perRow) * w, (f / perRow) * h);
        xml << "    <frame>" << file << "</frame>\r\n";
    }
    gallery.addReviewOnly(stem + "_*.png (frames)", strip);
    xml << "  </group>\r\n</animation>\r\n";
    gallery.addText(a.name, xml.str());
}

std::string xmlElement(const std::string& tag, const std::string& attributes, double x, double y,
                       const std::string& colour, const std::string& inner) {
    std::ostringstream out;
    out << "    <" << tag << " " << attributes << ">\r\n"
        << "      <pos x=\"" << x << "\" y=\"" << y << "\" z=\"10\"/>\r\n"
        << "      <font_color " << colour << "/>\r\n"
        << "      " << inner << "\r\n"
        << "    </" << tag << ">\r\n";
    return out.str();
}

Picture hintPicture() {
    Canvas canvas(512, 384);
    Shapes::panel(canvas, 6, 6, 500, 372, 28, 0.95);
    Lettering::gold(canvas, "How to play", Face::SerifBold, 40, 256, 58, Align::Centre);
    cairo_t* cr = canvas.cr();
    // Frames for the two animations (centred at local 131, 192 and 381, 192).
    for (double cx : {131.0, 381.0}) {
        Shapes::inset(cr, cx - 118, 102, 236, 180, 16, {0.02, 0.01, 0.07}, 0.7);
    }
    Lettering::plain(canvas, "Move a ball to any cell", Face::SansBold, 15, 131, 304, Align::Centre,
                     Palette::goldLight);
    Lettering::plain(canvas, "a free path reaches.", Face::SansBold, 15, 131, 323, Align::Centre,
                     Palette::goldLight);
    Lettering::plain(canvas, "Three in a row explode", Face::SansBold, 15, 381, 304, Align::Centre,
                     Palette::goldLight);
    Lettering::plain(canvas, "and fill the cells below.", Face::SansBold, 15, 381, 323,
                     Align::Centre, Palette::goldLight);
    Lettering::plain(canvas, "Fill every cell to finish the level. Click to begin!", Face::Serif,
                     16, 256, 358, Align::Centre, Palette::lilac);
    return canvas.picture();
}

// Page one of the help as the window shows it, with cairo's lettering in
// place of the game's font, for the contact sheet.
Picture helpMockUp(const Gallery& gallery, const HelpPage& page, const Picture& animationFrame) {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr();
    if (const Picture* bg = gallery.find("mui/bgs/help_window_back.jpg")) {
        canvas.paint(*bg, -112, -212);
    }
    canvas.paint(animationFrame, 222 - animationFrame.width / 2.0,
                 282 - animationFrame.height / 2.0);
    Lettering::plain(canvas, page.title, Face::SansBold, 38 * 0.8, 70, 86 - 8, Align::Left,
                     {1, 0.85, 0.45});
    Lettering::plain(canvas, page.caption, Face::SansBold, 17 * 0.8, 90, 412 - 4, Align::Left,
                     {0.78, 0.72, 1});
    // Word wrap at the block's width, as the help window's text block does.
    Lettering::use(cr, Face::SansBold, 22 * 0.8);
    std::string line, word;
    double y = 150 - 5;
    for (char c : page.text + ' ') {
        if (c != ' ') {
            word += c;
            continue;
        }
        if (Lettering::width(cr, line + word) >= 360) {
            Lettering::plain(canvas, line, Face::SansBold, 22 * 0.8, 385, y, Align::Left,
                             {1, 1, 1});
            y += 22;
            line.clear();
        }
        line += word + " ";
        word.clear();
    }
    Lettering::plain(canvas, line, Face::SansBold, 22 * 0.8, 385, y, Align::Left, {1, 1, 1});
    Lettering::plain(canvas, "Page 1", Face::SansBold, 16 * 0.8, 350, 496 - 4, Align::Left,
                     {0.78, 0.72, 1});
    return canvas.picture();
}

} // namespace

const std::vector<HelpPage>& helpPages() {
    static const std::vector<HelpPage> pages{
        {"Moving balls", "mui/help/move.xml", "A ball travels along free cells.",
         "Click a ball to pick it up, then click a free cell: the ball travels there along a path "
         "of free "
         "cells. You may also drag it. Balls never jump over each other, so a cell that no free "
         "path "
         "reaches cannot be chosen. A right click puts the ball back."},
        {"Lines of three", "mui/help/lines.xml", "Lines count on all three axes.",
         "Three or more balls of one colour in a row explode. Rows run across the board and along "
         "both "
         "slanting axes of the hexagons. Longer lines score more, and several lines made by one "
         "move all "
         "count."},
        {"Filling the garden", "mui/help/fill.xml", "Empty, half filled, filled.",
         "Every ball that explodes fills the cell under it one step: an empty cell becomes half "
         "filled, a "
         "half-filled cell becomes filled. Fill every cell to complete the level. A caged ball "
         "sits on a "
         "locked cell: it cannot be moved, but a line through it sets the cell free."},
        {"New balls", "mui/help/newballs.xml", "Small balls show what lands next.",
         "After a move that makes no line, three to six new balls land. Their colours and cells "
         "are "
         "shown beforehand as small balls, so plan around them. When the board is full, the level "
         "is "
         "lost."},
        {"Jokers", "mui/help/joker.xml", "The joker matches any colour.",
         "The rainbow joker matches every colour in a line, and it may even start a line of its "
         "own. "
         "Keep it for the spot where no other ball fits. Later levels bring fewer jokers."},
        {"Colour bombs", "mui/help/bomb.xml", "One colour clears the board.",
         "A line of exactly four leaves a colour bomb behind. It matches every colour but never "
         "starts a "
         "line. Put it into a line: every ball of that line's colour on the whole board explodes."},
        {"Blast balls", "mui/help/blast.xml", "A blast clears a wide circle.",
         "A line of five or more leaves a blast ball. It matches every colour but never starts a "
         "line. "
         "Put it into a line and a blast goes off around it, exploding every ball near it and "
         "filling "
         "the cells it sweeps."},
        {"The firefly jar", "mui/help/chain.xml", "Five scoring moves in a row.",
         "Every move that explodes a line adds a firefly to the jar in the corner, and the number "
         "beside "
         "it tells how many scoring moves are still needed. Five in a row and the jar bursts in a "
         "blast "
         "around your last line. A move without a line empties the jar."},
        {"Lives and levels", "mui/help/level.xml", "Fill the garden, level by level.",
         "You have three spare lives. A lost level is played again and costs a life; when none is "
         "left, "
         "the game ends. There are 100 levels. Quick play earns a time bonus and chains a chain "
         "bonus, "
         "and the best scores enter the high-score table."},
    };
    return pages;
}

void addTexts(Gallery& gallery) {
    // The first hint page: a panel at (144, 108) with the two animations the
    // game draws at (275, 300) and (525, 300).
    gallery.add("dat/hints/hint00.tga", hintPicture(), PictureUse::QuadTga);
    gallery.addText("dat/hints/hints.xml", "<hints>\r\n  <hint posx=\"144\" posy=\"108\" "
                                           "posxcb=\"470\" posycb=\"12\"/>\r\n</hints>\r\n");
    addAnimation(gallery, {"dat/hints/gameplay.xml", 10, moveScene}, 224, 168, 17);
    addAnimation(gallery, {"dat/hints/gameplay2.xml", 8, [](int f) { return lineScene(f, 0); }},
                 224, 168, 17);

    const std::vector<HelpPage>& pages = helpPages();
    const std::vector<Animation> animations{
        {"mui/help/move.xml", 10, moveScene},
        // One line on each of the three axes in turn, as the page says.
        {"mui/help/lines.xml", 24, [](int f) { return lineScene(f % 8, f / 8); }},
        {"mui/help/fill.xml", 16, fillScene},
        {"mui/help/newballs.xml", 8, newBallsScene},
        {"mui/help/joker.xml", 8, [](int f) { return specialScene(f, BoardArt::joker); }},
        {"mui/help/bomb.xml", birthFrames + 8,
         [](int f) { return specialBirthScene(f, BoardArt::colourBomb, 4); }},
        {"mui/help/blast.xml", birthFrames + 8,
         [](int f) { return specialBirthScene(f, BoardArt::blastBall, 5); }},
        {"mui/help/chain.xml", 4 * chainLength + 4, chainScene},
        {"mui/help/level.xml", 8, levelScene},
    };
    for (const Animation& a : animations) {
        addAnimation(gallery, a, 256, 192, 19);
    }
    gallery.addReviewOnly(
        "mock-up: help page 1",
        helpMockUp(gallery, pages.front(), drawScene(moveScene(2), 256, 192, 19)));

    const std::string gold = "r=\"1\" g=\"0.85\" b=\"0.45\" a=\"1\"";
    const std::string white = "r=\"1\" g=\"1\" b=\"1\" a=\"1\"";
    const std::string lilac = "r=\"0.78\" g=\"0.72\" b=\"1\" a=\"1\"";
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\"?>\r\n<!-- The help pages: every child of the root is a page. "
           "-->\r\n<help>\r\n";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const HelpPage& page = pages[i];
        xml << "  <page>\r\n";
        xml << xmlElement("title", "width=\"660\" height=\"1\" font_size=\"38\"", 70, 86, gold,
                          "<text>" + page.title + "</text>");
        xml << xmlElement("picture", "width=\"256\" height=\"192\"", 222, 282, white,
                          "<image animated=\"1\" frame_time=\"300\" group=\"0\">" + page.animation +
                              "</image>");
        xml << xmlElement("caption", "width=\"300\" height=\"2\" font_size=\"17\"", 90, 412, lilac,
                          "<text>" + page.caption + "</text>");
        xml << xmlElement("words", "width=\"360\" height=\"14\" font_size=\"22\"", 385, 150, white,
                          "<text>" + page.text + "</text>");
        xml << xmlElement("footer", "width=\"200\" height=\"1\" font_size=\"16\"", 350, 496, lilac,
                          "<text>Page " + std::to_string(i + 1) + " of " +
                              std::to_string(pages.size()) + "</text>");
        xml << "  </page>\r\n";
    }
    xml << "</help>\r\n";
    gallery.addText("mui/help.xml", xml.str());
}
