// The help window: pages from the help document, the close, next and
// previous buttons with their visibility, Escape, and damaged documents.
#include "game/HelpWindow.h"
#include "HelpFixture.h"
#include "audio/ModulePlayer.h"
#include "audio/MusicPlaylist.h"
#include "game/HelpElement.h"
#include "gfx/ParticleSprite.h"
#include "support/AudioDriver.h"
#include "ui/Button.h"
#include "ui/TextBlock.h"

#include <gtest/gtest.h>

namespace {

class HelpWindowTest : public HelpFixture {
protected:
    void SetUp() override {
        HelpFixture::SetUp();
        writeLayout();
    }
    // A press and release at a logical point of an 800 by 600 client.
    static void click(HelpWindow& help, int x, int y) {
        help.onLButtonDown(x, y, 0);
        help.onLButtonUp(x, y, 0);
    }
    static void clickNext(HelpWindow& help) { click(help, 600, 500); }
    static void clickPrev(HelpWindow& help) { click(help, 20, 500); }
    static bool shows(const HelpWindow& help, bool prev, bool next) {
        return help.prevButton()->isVisible() == prev && help.nextButton()->isVisible() == next;
    }
};

} // namespace

TEST_F(HelpWindowTest, PagesAreNumberedFromOneInDocumentOrderWhateverTheElementNames) {
    write("mui/help.xml", "<help>\r\n"
                          "  <page><a><text>one</text></a><b width=\"5\"/></page>\r\n"
                          "  <chapter><anything><text>two</text></anything></chapter>\r\n"
                          "  <page/>\r\n"
                          "</help>\r\n");
    HelpWindow help(800, 600);
    EXPECT_EQ(help.pageCount(), 3);
    EXPECT_EQ(help.currentPage(), 1);
    ASSERT_EQ(help.elements().size(), 3u);
    EXPECT_EQ(help.elements()[0]->page(), 1);
    EXPECT_EQ(help.elements()[0]->text(), "one");
    EXPECT_EQ(help.elements()[1]->page(), 1);
    EXPECT_EQ(help.elements()[1]->width(), 5);
    EXPECT_EQ(help.elements()[2]->page(), 2);
    EXPECT_EQ(help.elements()[2]->text(), "two");
}

TEST_F(HelpWindowTest, ButtonsComeFromTheLayoutAndTurnThePagesWithinTheirEnds) {
    writePages(3);
    HelpWindow help(800, 600);
    EXPECT_EQ(help.closeButton()->x(), 300);
    EXPECT_EQ(help.prevButton()->y(), 500);
    EXPECT_EQ(help.prevButton()->z(), 2);
    EXPECT_EQ(help.widgets().size(), 3u);

    EXPECT_TRUE(shows(help, false, true));
    clickPrev(help); // hidden on page 1
    EXPECT_EQ(help.currentPage(), 1);
    help.onCommand(help.prevButton()); // and refused even when told directly
    EXPECT_EQ(help.currentPage(), 1);

    clickNext(help);
    EXPECT_EQ(help.currentPage(), 2);
    EXPECT_TRUE(shows(help, true, true));
    clickNext(help);
    EXPECT_EQ(help.currentPage(), 3);
    EXPECT_TRUE(shows(help, true, false));
    clickNext(help);
    help.onCommand(help.nextButton());
    EXPECT_EQ(help.currentPage(), 3);

    clickPrev(help);
    clickPrev(help);
    EXPECT_EQ(help.currentPage(), 1);
    EXPECT_TRUE(shows(help, false, true));
    EXPECT_TRUE(frame.closes.empty());
}

TEST_F(HelpWindowTest, WithOnePageNextShowsButChangesNothing) {
    writePages(1);
    HelpWindow help(800, 600);
    EXPECT_EQ(help.pageCount(), 1);
    EXPECT_TRUE(shows(help, false, true));
    clickNext(help);
    EXPECT_EQ(help.currentPage(), 1);
    EXPECT_TRUE(shows(help, false, true));
}

TEST_F(HelpWindowTest, EscapeClosesLikeTheCloseButton) {
    writePages(2);
    HelpWindow help(800, 600);
    help.onKeyDown(13);
    help.onKeyDown('A');
    EXPECT_TRUE(frame.closes.empty());
    help.onKeyDown(27);
    EXPECT_EQ(frame.closes, std::vector<bool>{false});
    click(help, 300, 500);
    EXPECT_EQ(frame.closes, (std::vector<bool>{false, false}));
    EXPECT_EQ(help.currentPage(), 1);
}

TEST_F(HelpWindowTest, MouseIsConvertedToTheLogicalScreenByTruncation) {
    writePages(2);
    frame.width = 1600;
    frame.height = 1200;
    HelpWindow help(800, 600);
    // Client (1201, 1001) is logical (600.5, 500.5): cut to the next button.
    click(help, 1201, 1001);
    EXPECT_EQ(help.currentPage(), 2);
    // Client (1198, 1001) is logical 599: beside it.
    click(help, 40, 1000); // previous, at logical (20, 500)
    EXPECT_EQ(help.currentPage(), 1);
    click(help, 1198, 1001);
    EXPECT_EQ(help.currentPage(), 1);

    // The window's own logical size counts, not the frame's.
    HelpWindow half(400, 300);
    frame.width = 800;
    frame.height = 600;
    click(half, 600, 500);
    EXPECT_EQ(half.currentPage(), 1);
    click(half, 1200, 1000);
    EXPECT_EQ(half.currentPage(), 2);
}

TEST_F(HelpWindowTest, DraggableOnlyWhenWindowed) {
    writePages(1);
    EXPECT_TRUE(HelpWindow(800, 600).isDraggable());
    frame.fullScreen = true;
    EXPECT_FALSE(HelpWindow(800, 600).isDraggable());
}

TEST_F(HelpWindowTest, OnlyTheCurrentPageIsAnimated) {
    writePicture("f0.tga", 8, 8);
    writePicture("f1.tga", 8, 8);
    write("anim.xml", "<a><g><f>f0.tga</f><f>f1.tga</f></g></a>");
    const std::string picture = "<pic width=\"8\" height=\"8\"><image animated=\"1\" "
                                "frame_time=\"100\">anim.xml</image></pic>";
    write("mui/help.xml", "<help><page>" + picture + "</page><page>" + picture + "</page></help>");
    HelpWindow help(800, 600);
    ASSERT_EQ(help.elements().size(), 2u);
    ASSERT_NE(help.elements()[0]->image(), nullptr);
    ASSERT_NE(help.elements()[1]->image(), nullptr);
    help.update(150);
    EXPECT_EQ(help.elements()[0]->image()->frame(), 1);
    EXPECT_EQ(help.elements()[1]->image()->frame(), 0);
    help.onCommand(help.nextButton());
    help.update(150);
    EXPECT_EQ(help.elements()[0]->image()->frame(), 1);
    EXPECT_EQ(help.elements()[1]->image()->frame(), 1);
}

TEST_F(HelpWindowTest, AMissingOrBrokenDocumentGivesNoPagesAndAWorkingClose) {
    const std::vector<std::string> documents{
        "",
        "<help><page></help>",
        "<help><page><text>unterminated",
        std::string("\0\xff<\x01>", 5),
        "not xml at all",
    };
    for (std::size_t i = 0; i <= documents.size(); ++i) {
        if (i < documents.size()) {
            write("mui/help.xml", documents[i]);
        } else {
            std::filesystem::remove(dir.file("mui/help.xml"));
        }
        frame.closes.clear();
        HelpWindow help(800, 600);
        EXPECT_EQ(help.pageCount(), 0) << i;
        EXPECT_TRUE(help.elements().empty()) << i;
        EXPECT_TRUE(shows(help, false, false)) << i;
        help.onCommand(help.nextButton());
        help.onCommand(help.prevButton());
        EXPECT_EQ(help.currentPage(), 1) << i;
        help.update(16);
        click(help, 300, 500);
        EXPECT_EQ(frame.closes, std::vector<bool>{false}) << i;
    }
}

TEST_F(HelpWindowTest, UpdatesKeepTheGamesMusicGoing) {
    writePages(1);
    AudioDriver driver = AudioDriver::none();
    std::vector<std::string> reads;
    MusicPlaylist* music = MusicPlaylist::instance();
    // Modules that never load: every service moves on to the next file.
    music->setFileReader([&reads](const std::string& name) {
        reads.push_back(name);
        return std::vector<std::uint8_t>{};
    });
    music->init();
    ASSERT_TRUE(music->isDeviceOpen());
    music->setPlaylist({"one.xm", "two.xm"});
    music->playNext();
    ASSERT_EQ(reads.size(), 1u);

    HelpWindow help(800, 600);
    help.update(16);
    help.update(16);
    EXPECT_EQ(reads, (std::vector<std::string>{"one.xm", "two.xm", "one.xm"}));
    help.setMusic(nullptr);
    help.update(16);
    EXPECT_EQ(reads.size(), 3u);
    MusicPlaylist::destroy();
    ModulePlayer::destroy();
}
