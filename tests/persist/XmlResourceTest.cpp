#include "persist/XmlNode.h"
#include "persist/ResourceManager.h"
#include "pack/PackWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

class XmlResource : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir);
        PackWriter pack;
        pack.add("dat\\hints\\hints.xml", std::string("<hints><hint id=\"3\"/></hints>"));
        pack.add("mui\\help.xml", std::string("<help><page>unclosed</help>"));
        ASSERT_TRUE(pack.write((dir / "data.pk").string()));
        ResourceManager* manager = ResourceManager::create("xml-test");
        manager->setPassword(PackFormat::gamePassword);
        manager->open((dir / "data.pk").string());
    }
    void TearDown() override {
        ResourceManager::destroy("xml-test");
        std::filesystem::remove_all(dir);
    }

    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("qm_xml_resource_" + std::to_string(::getpid()));
};

TEST_F(XmlResource, ReadsThroughThePack) {
    XmlNode node;
    EXPECT_TRUE(node.loadResource("xml-test", "dat/hints/hints.xml"));
    EXPECT_EQ(node.getName(), "hints");
    ASSERT_NE(node.findChild("hint"), nullptr);
    EXPECT_EQ(node.findChild("hint")->getInt("id", 0), 3);
}

TEST_F(XmlResource, BrokenOrMissingFilesGiveAnEmptyDocument) {
    XmlNode node;
    ASSERT_TRUE(node.loadResource("xml-test", "dat/hints/hints.xml"));
    EXPECT_FALSE(node.loadResource("xml-test", "mui/help.xml"));
    EXPECT_EQ(node.getName(), "");
    EXPECT_TRUE(node.getChildren().empty());
    EXPECT_FALSE(node.loadResource("xml-test", "dat/hints/absent.xml"));
    EXPECT_TRUE(node.getChildren().empty());
    EXPECT_FALSE(node.loadResource("no-such-manager", "dat/hints/hints.xml"));
}
