// The generated help pages as the help window builds them: every element
// loads, every text fits its block and the screen, every animation has frames.
#include "game/HelpElement.h"
#include "game/HelpWindow.h"
#include "gfx/ParticleSprite.h"
#include "persist/XmlNode.h"
#include "support/GeneratedPack.h"
#include "ui/TextBlock.h"
#include "ui/ToolkitSupport.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Box {
    float left, top, right, bottom;
    bool overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool within(const Box& o) const {
        return left >= o.left && top >= o.top && right <= o.right && bottom <= o.bottom;
    }
};

// The framed panel of the help background the pages are written on.
constexpr Box panel{30, 24, 770, 514};

// Where a text block's glyphs reach: its first baseline is the position.
Box textBox(const HelpElement& e) {
    const TextBlock& t = *e.textBlock();
    const float lines = static_cast<float>(t.lines().size());
    return Box{e.position()[0], e.position()[1] - t.fontSize(), e.position()[0] + t.width(),
               e.position()[1] + (lines - 1) * t.fontSize()};
}

// A picture is centred on the position.
Box pictureBox(const HelpElement& e) {
    const ParticleSprite& s = *e.image();
    return Box{e.position()[0] - s.frameWidth() / 2, e.position()[1] - s.frameHeight() / 2,
               e.position()[0] + s.frameWidth() / 2, e.position()[1] + s.frameHeight() / 2};
}

std::string trimmed(std::string line) {
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line;
}

class HelpData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pack.isOpen()) << "no generated pack";
        ui.load();
        ASSERT_EQ(ui.getFont()->glyphsFound(), Font::glyphCount);
    }

    FakeFrame frame;
    GeneratedPack pack;
    UiResources ui;
};

} // namespace

TEST_F(HelpData, EveryPageBuildsItsElementsAndEveryTextFitsItsBlock) {
    XmlNode document;
    ASSERT_TRUE(document.loadResource("main", "mui/help.xml"));
    HelpWindow help(800, 600);
    ASSERT_GT(help.pageCount(), 1);
    EXPECT_EQ(help.pageCount(), static_cast<int>(document.getChildren().size()));

    std::size_t index = 0;
    int page = 0;
    for (const XmlNode* pageNode : document.getChildren()) {
        ++page;
        int texts = 0;
        int animations = 0;
        for (const XmlNode* item : pageNode->getChildren()) {
            ASSERT_LT(index, help.elements().size());
            const HelpElement& e = *help.elements()[index++];
            const std::string where = "page " + std::to_string(page) + " " + item->getName();
            EXPECT_EQ(e.page(), page) << where;
            if (item->findChild("image") != nullptr) {
                ASSERT_NE(e.image(), nullptr) << where << ": animation does not load";
                EXPECT_GT(e.image()->frames(), 0) << where;
                if (e.isAnimated()) {
                    EXPECT_GT(e.image()->frames(), 1) << where << ": animated but still";
                    ++animations;
                }
                const Box box = pictureBox(e);
                EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= 800 && box.bottom <= 600)
                    << where << ": picture leaves the screen";
            }
            if (item->findChild("text") == nullptr) {
                continue;
            }
            ASSERT_NE(e.textBlock(), nullptr) << where;
            const TextBlock& block = *e.textBlock();
            ++texts;
            EXPECT_GT(block.fontSize(), 0) << where;
            EXPECT_LE(static_cast<int>(block.lines().size()), block.visibleLines())
                << where << ": text cut off";
            for (const std::string& line : block.lines()) {
                const std::string text = trimmed(line);
                const bool singleWord = text.find(' ') == std::string::npos;
                EXPECT_TRUE(singleWord ||
                            ui.getFont()->textWidth(text.c_str(), block.fontSize()) < block.width())
                    << where << ": \"" << text << "\" is wider than its block";
            }
            EXPECT_TRUE(textBox(e).within(panel)) << where << ": text leaves the panel";
            // As drawn, letter spacing and all.
            std::vector<Font::Quad> quads;
            for (const std::string& line : block.lines()) {
                ui.getFont()->layout(line.c_str(), block.fontSize(), e.position()[0], 0, false,
                                     false, quads);
                if (!quads.empty()) {
                    EXPECT_LE(quads.back().right, panel.right - 8) << where << ": \"" << line;
                }
            }
        }
        EXPECT_GE(texts, 2) << "page " << page << " needs a title and words";
        EXPECT_GE(animations, 1) << "page " << page << " has no animation";
    }
    EXPECT_EQ(index, help.elements().size());
}

TEST_F(HelpData, NoTextOfAPageRunsIntoAnotherElement) {
    HelpWindow help(800, 600);
    const auto& all = help.elements();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i]->textBlock() == nullptr) {
            continue;
        }
        for (std::size_t j = 0; j < all.size(); ++j) {
            if (i == j || all[j]->page() != all[i]->page()) {
                continue;
            }
            const std::string where = "page " + std::to_string(all[i]->page()) + ": \"" +
                                      all[i]->text().substr(0, 20) + "\"";
            if (all[j]->image() != nullptr) {
                EXPECT_FALSE(textBox(*all[i]).overlaps(pictureBox(*all[j])))
                    << where << " runs into a picture";
            }
            if (all[j]->textBlock() != nullptr && j > i) {
                EXPECT_FALSE(textBox(*all[i]).overlaps(textBox(*all[j])))
                    << where << " runs into \"" << all[j]->text().substr(0, 20) << "\"";
            }
        }
    }
}
