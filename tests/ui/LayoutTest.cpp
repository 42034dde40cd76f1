#include "ToolkitSupport.h"

#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Dialog.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>

namespace {

// The manager "main" without a pack: every name comes from the disk.
class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override { ResourceManager::create("main"); }
    void TearDown() override { ResourceManager::destroy("main"); }

    PropertyFile read(const std::string& text) {
        PropertyFile store;
        EXPECT_TRUE(layout::load(store, dir.write("layout.txt", text)));
        return store;
    }

    TempDir dir;
    CommandScreen screen;
};

// A dialog whose one button is placed from a layout.
class LayoutDialog : public Dialog {
public:
    LayoutDialog(const PropertyFile& layout, Texture* picture) : button(this, picture) {
        button.loadPosition(layout, "m_ok_btn");
        addWidget(&button);
    }
    void onCommand(Widget* widget) override {
        Window::onCommand(widget);
        ++commands;
    }
    Button button;
    int commands = 0;
};

} // namespace

TEST_F(LayoutTest, PlacesAControlFromItsThreeKeys) {
    const PropertyFile store = read("m_ok_btn.x 100.5\nm_ok_btn.z -2.25\nm_other_btn.y 7\n");
    Button button(&screen, nullptr);
    button.loadPosition(store, "m_ok_btn");
    EXPECT_FLOAT_EQ(button.x(), 100.5f);
    EXPECT_FLOAT_EQ(button.y(), 0);
    EXPECT_FLOAT_EQ(button.z(), -2.25f);
}

TEST_F(LayoutTest, ValuesReadAsPercentF) {
    const PropertyFile store = read("a.x 12abc\na.y abc\na.z 1e2\nb.x \"\"\n");
    CheckBox box(&screen, nullptr);
    box.loadPosition(store, "a");
    EXPECT_FLOAT_EQ(box.x(), 12);
    EXPECT_FLOAT_EQ(box.y(), 0);
    EXPECT_FLOAT_EQ(box.z(), 100);
    EXPECT_FLOAT_EQ(layout::number(store, "b.x", 9), 0);
    EXPECT_FLOAT_EQ(layout::number(store, "missing", 9), 9);
    EXPECT_FLOAT_EQ(layout::number(store, "a.y", 9), 0);
}

TEST_F(LayoutTest, MissingLayoutLeavesEveryControlAtTheOrigin) {
    PropertyFile store;
    store.setString("stale.x", "5");
    EXPECT_FALSE(layout::load(store, dir.file("no_such_layout.txt")));
    EXPECT_TRUE(store.all().empty());
    CheckBox box(&screen, nullptr);
    ASSERT_FLOAT_EQ(box.y(), 40); // a check box starts at (200, 40)
    box.loadPosition(store, "m_sound_cb");
    EXPECT_FLOAT_EQ(box.x(), 0);
    EXPECT_FLOAT_EQ(box.y(), 0);
    EXPECT_FLOAT_EQ(box.z(), 0);
}

TEST_F(LayoutTest, WithoutAResourceManagerNothingLoads) {
    ResourceManager::destroy("main");
    PropertyFile store;
    EXPECT_FALSE(layout::load(store, dir.write("layout.txt", "a.x 1\n")));
}

TEST_F(LayoutTest, DialogControlsAreInDialogCoordinates) {
    FakeFrame frame;
    const auto picture =
        bandTexture(dir, "ok.tga", 40, 10, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}});
    LayoutDialog dialog(read("m_ok_btn.x 10\nm_ok_btn.y 20\n"), picture.get());
    dialog.setPosition(100.8f, 50, 0, 0);
    // Local (10, 20) to (50, 30) lies at logical (110, 70) to (150, 80).
    dialog.onLButtonDown(109, 70, 1);
    EXPECT_EQ(dialog.commands, 0);
    dialog.onLButtonDown(110, 70, 1);
    EXPECT_EQ(dialog.commands, 1);
    dialog.onLButtonDown(150, 80, 1);
    EXPECT_EQ(dialog.commands, 2);
    dialog.onLButtonDown(151, 80, 1);
    EXPECT_EQ(dialog.commands, 2);
}
