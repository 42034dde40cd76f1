// The help pages and hint texts: every page has its title, picture and words,
// and the words fit the lines the game gives them with the generated font.
#include "DataGenerated.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

std::string text(const std::string& name) {
    const auto* bytes = DataGenerated::file(name);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// Word wrapping as the help window's text block does it: a word goes to the
// next line when the line with it would reach the block's width.
std::vector<std::string> wrap(const DataGenerated::FontScan& font, const std::string& words,
                              double width, double size) {
    std::vector<std::string> lines;
    std::string line, word;
    for (char c : words + '\r') {
        if (c == '\n') {
            continue;
        }
        if (c != ' ' && c != '\r') {
            word += c;
            continue;
        }
        if (font.textWidth(line, size) + font.textWidth(word, size) >= width) {
            lines.push_back(line);
            line = word + " ";
        } else {
            line += word + " ";
        }
        word.clear();
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
        }
    }
    return lines;
}

TEST(DataTexts, HelpPagesEachHaveTitlePictureAndWordsThatFitTheirLines) {
    const auto* fontBytes = DataGenerated::file("mui/font.tga");
    ASSERT_NE(fontBytes, nullptr);
    const DataGenerated::FontScan font = DataGenerated::scanFont(*fontBytes);
    ASSERT_EQ(font.glyphWidths.size(), 94u);
    // Nine letters at size 22 span about nine times the size's half.
    EXPECT_GT(font.textWidth("Quillmere", 22), 9 * 22 * 0.4);
    EXPECT_LT(font.textWidth("Quillmere", 22), 9 * 22 * 0.9);
    std::size_t totalLines = 0;

    const std::string help = text("mui/help.xml");
    const std::regex page("<page>([\\s\\S]*?)</page>");
    const std::regex block(
        "width=\"([0-9.]+)\" height=\"([0-9.]+)\" font_size=\"([0-9.]+)\">[\\s\\S]*?"
        "<text>([^<]*)</text>");
    int pages = 0;
    for (std::sregex_iterator p(help.begin(), help.end(), page), end; p != end; ++p) {
        const std::string body = (*p)[1];
        ++pages;
        EXPECT_NE(body.find("<image"), std::string::npos) << "page " << pages << " has no picture";
        int blocks = 0;
        for (std::sregex_iterator b(body.begin(), body.end(), block); b != end; ++b) {
            const double width = std::stod((*b)[1]), lines = std::stod((*b)[2]),
                         size = std::stod((*b)[3]);
            const std::string words = (*b)[4];
            EXPECT_FALSE(words.empty());
            for (char c : words) {
                EXPECT_TRUE(c == ' ' || (c >= '!' && c <= '~')) << "no glyph for byte " << int(c);
            }
            const auto wrapped = wrap(font, words, width, size);
            totalLines += wrapped.size();
            EXPECT_LE(static_cast<double>(wrapped.size()), lines)
                << "page " << pages << ": \"" << words.substr(0, 30) << "...\" needs "
                << wrapped.size() << " lines";
            for (const std::string& line : wrapped) {
                EXPECT_LE(font.textWidth(line, size), width + font.textWidth("A ", size)) << line;
            }
            ++blocks;
        }
        EXPECT_GE(blocks, 2) << "page " << pages << " should have a title and words";
    }
    EXPECT_GT(totalLines, static_cast<std::size_t>(pages) * 6)
        << "the words should fill several lines";
    EXPECT_GE(pages, 8)
        << "the help should teach moves, lines, filling, jokers, bombs, blasts, the "
           "chain and lives";
}

TEST(DataTexts, LayoutsAndDescriptionsAreReadableByThePropertyStore) {
    // Keys of a layout hold no blanks and every value is a number.
    for (const char* name : {"mui/main_wnd.txt", "mui/options_wnd.txt", "mui/top_wnd.txt",
                             "mui/help_wnd.txt", "mui/custom_wnd.txt", "mui/continue_dlg.txt",
                             "mui/entername_dlg.txt", "dat/bonuses_buttons.txt", "dat/game.txt"}) {
        const PropertyFile layout = DataGenerated::properties(name);
        EXPECT_GT(layout.all().size(), 2u) << name;
        for (const auto& [key, value] : layout.all()) {
            EXPECT_EQ(layout.getFloat(key, -12345.0f), std::stof(value)) << name << " " << key;
        }
    }
}

} // namespace
