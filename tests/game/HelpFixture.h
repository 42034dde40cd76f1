#pragma once

// A folder the pack "main" reads from (no pack: every name from the disk),
// a frame that records its closes, and help files written into the folder.
#include "persist/ResourceManager.h"
#include "picturewriter/PictureWriter.h"
#include "support/TempDir.h"
#include "ui/ToolkitSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class ClosingFrame : public FakeFrame {
public:
    void closeTop(bool immediate) override { closes.push_back(immediate); }
    int clientWidth() const override { return width; }
    int clientHeight() const override { return height; }
    bool isFullScreen() const override { return fullScreen; }

    std::vector<bool> closes;
    int width = 800;
    int height = 600;
    bool fullScreen = false;
};

class HelpFixture : public ::testing::Test {
protected:
    void SetUp() override {
        before_ = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        ResourceManager::create("main");
    }
    void TearDown() override {
        ResourceManager::destroy("main");
        std::filesystem::current_path(before_);
    }

    void write(const std::string& name, const std::string& bytes) const { dir.write(name, bytes); }
    // A picture of one colour.
    void writePicture(const std::string& name, int width, int height) const {
        PictureWriter::Bytes pixels(static_cast<std::size_t>(width) * height * 4, 200);
        dir.write(name, PictureWriter::tga(2, 32, width, height, pixels));
    }
    // The buttons' layout: close at (300, 500), next at (600, 500), previous at (20, 500).
    void writeLayout() const {
        write("mui/help_wnd.txt", "m_close_btn.x 300\nm_close_btn.y 500\n"
                                  "m_next_btn.x 600\nm_next_btn.y 500\n"
                                  "m_prev_btn.x 20\nm_prev_btn.y 500\nm_prev_btn.z 2\n");
    }
    // A help document of `pages` pages, each with one titled element.
    void writePages(int pages) const {
        std::string xml = "<?xml version=\"1.0\"?>\r\n<help>\r\n";
        for (int i = 1; i <= pages; ++i) {
            xml += "<page><title width=\"300\" height=\"1\" font_size=\"20\"><pos x=\"" +
                   std::to_string(10 * i) + "\" y=\"40\"/><text>Page " + std::to_string(i) +
                   "</text></title></page>\r\n";
        }
        write("mui/help.xml", xml + "</help>\r\n");
    }

    TempDir dir;
    ClosingFrame frame;

private:
    std::filesystem::path before_;
};
