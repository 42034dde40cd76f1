// One element of a help page read from its XML node.
#include "game/HelpElement.h"
#include "HelpFixture.h"
#include "gfx/ParticleSprite.h"
#include "persist/XmlNode.h"
#include "ui/TextBlock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class HelpElementTest : public HelpFixture {
protected:
    static XmlNode parse(const std::string& xml) {
        XmlNode node;
        node.load(xml.data(), xml.size());
        return node;
    }
    void writeAnimation() const {
        writePicture("a0.tga", 16, 12);
        writePicture("a1.tga", 32, 8);
        writePicture("b0.tga", 16, 12);
        writePicture("b1.tga", 16, 12);
        writePicture("b2.tga", 16, 12);
        write("anim.xml", "<anim texWrap=\"0\" texDynamic=\"0\">"
                          "<g><f>a0.tga</f><f>a1.tga</f></g>"
                          "<g><f>b0.tga</f><f>b1.tga</f><f>b2.tga</f></g></anim>");
    }
};

} // namespace

TEST_F(HelpElementTest, PlaceSizeColourAndTextComeFromTheNode) {
    const XmlNode node = parse("<words width=\"200\" height=\"3.9\" font_size=\"18\">"
                               "<pos x=\"12.5\" y=\"40\"/>"
                               "<font_color r=\"0.5\" g=\"0.25\" b=\"1\" a=\"0.75\"/>"
                               "<text> Three lines at most </text></words>");
    HelpElement element(node, 4);
    EXPECT_EQ(element.page(), 4);
    EXPECT_FLOAT_EQ(element.position()[0], 12.5f);
    EXPECT_FLOAT_EQ(element.position()[1], 40);
    EXPECT_FLOAT_EQ(element.position()[2], 0); // z missing
    EXPECT_FLOAT_EQ(element.width(), 200);
    EXPECT_FLOAT_EQ(element.height(), 3.9f);
    EXPECT_FLOAT_EQ(element.fontSize(), 18);
    EXPECT_FLOAT_EQ(element.fontColor()[1], 0.25f);
    EXPECT_FLOAT_EQ(element.fontColor()[3], 0.75f);
    EXPECT_EQ(element.text(), " Three lines at most ");
    ASSERT_NE(element.textBlock(), nullptr);
    // The height counts lines: its integer part is both the window and the step.
    EXPECT_EQ(element.textBlock()->visibleLines(), 3);
    EXPECT_EQ(element.textBlock()->scrollStep(), 3);
    EXPECT_FLOAT_EQ(element.textBlock()->width(), 200);
    EXPECT_FLOAT_EQ(element.textBlock()->fontSize(), 18);
    EXPECT_EQ(element.image(), nullptr);
    EXPECT_FALSE(element.isAnimated());
}

TEST_F(HelpElementTest, AnEmptyNodeHasNothingButItsPage) {
    HelpElement element(parse("<nothing/>"), 1);
    EXPECT_EQ(element.textBlock(), nullptr);
    EXPECT_EQ(element.image(), nullptr);
    EXPECT_FLOAT_EQ(element.width(), 0);
    EXPECT_FLOAT_EQ(element.position()[0], 0);
    EXPECT_FLOAT_EQ(element.fontColor()[0], 1);
    element.update(1000);
}

TEST_F(HelpElementTest, AnAnimatedImageRunsItsGroupAtItsFrameTimeAndSize) {
    writeAnimation();
    HelpElement element(parse("<pic width=\"64\" height=\"48\"><pos x=\"100\" y=\"90\" z=\"3\"/>"
                              "<image animated=\"2\" frame_time=\"100\" group=\"1\">anim.xml"
                              "</image></pic>"),
                        2);
    ASSERT_NE(element.image(), nullptr);
    ParticleSprite& image = *element.image();
    EXPECT_TRUE(element.isAnimated());
    EXPECT_EQ(image.group(), 1);
    EXPECT_EQ(image.frames(), 3);
    EXPECT_FLOAT_EQ(image.frameWidth(), 64);
    EXPECT_FLOAT_EQ(image.frameHeight(), 48);
    EXPECT_FLOAT_EQ(image.position()[0], 100);
    EXPECT_FLOAT_EQ(image.position()[2], 3);
    EXPECT_NEAR(image.frameTime(), 100, 0.01);
    element.update(250);
    EXPECT_EQ(image.frame(), 2);
    element.update(60); // loops over the group's three frames
    EXPECT_EQ(image.frame(), 0);
}

TEST_F(HelpElementTest, AStillImageDoesNotAdvanceAndDefaultsApply) {
    writeAnimation();
    HelpElement element(parse("<pic><image>\r\n    anim.xml\r\n  </image></pic>"), 1);
    ASSERT_NE(element.image(), nullptr);
    EXPECT_FALSE(element.isAnimated());
    EXPECT_EQ(element.image()->group(), 0);
    EXPECT_NEAR(element.image()->frameTime(), HelpElement::defaultFrameTime, 0.01);
    // Without a size the first frame's own.
    EXPECT_FLOAT_EQ(element.image()->frameWidth(), 16);
    EXPECT_FLOAT_EQ(element.image()->frameHeight(), 12);
    element.update(500);
    EXPECT_EQ(element.image()->frame(), 0);

    // A frame time of 0 or below would stall or race the animation.
    HelpElement zero(parse("<pic><image animated=\"1\" frame_time=\"0\">anim.xml</image></pic>"),
                     1);
    ASSERT_NE(zero.image(), nullptr);
    EXPECT_NEAR(zero.image()->frameTime(), HelpElement::defaultFrameTime, 0.01);
    // A group that does not exist is the first.
    HelpElement far(parse("<pic><image group=\"7\">anim.xml</image></pic>"), 1);
    ASSERT_NE(far.image(), nullptr);
    EXPECT_EQ(far.image()->group(), 0);
    EXPECT_EQ(far.image()->frames(), 2);
}

TEST_F(HelpElementTest, AnImageWhosePicturesAreMissingLeavesTheTextAlone) {
    writePicture("a0.tga", 16, 12);
    write("half.xml", "<anim><g><f>a0.tga</f><f>gone.tga</f></g></anim>");
    write("empty.xml", "<anim/>");
    write("broken.xml", "<anim><g>");
    for (const char* file : {"missing.xml", "half.xml", "empty.xml", "broken.xml"}) {
        HelpElement element(parse(std::string("<pic width=\"100\" height=\"2\" font_size=\"10\">"
                                              "<image animated=\"1\">") +
                                  file + "</image><text>still here</text></pic>"),
                            1);
        EXPECT_EQ(element.image(), nullptr) << file;
        ASSERT_NE(element.textBlock(), nullptr) << file;
        EXPECT_EQ(element.textBlock()->lines().size(), 1u) << file;
        element.update(100);
    }
}
