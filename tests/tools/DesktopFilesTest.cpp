// The desktop entry, icons, metainfo and manual page the build writes.
#include "desktop/DesktopFiles.h"
#include "DataGenerated.h"
#include "app/CommandLine.h"
#include "platform/SdlWindow.h"
#include "support/ProcessRun.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <regex>

namespace fs = std::filesystem;

namespace {

fs::path share() {
    return fs::path(QUILLMERE_BINARY_DIR) / "desktop";
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Checked {
    int exitCode = -1;
    std::string output; // both streams
};

Checked check(const std::string& command) {
    const ProcessOutcome outcome =
        runCommand(command, (fs::temp_directory_path() /
                             ("quillmere-desktop-check-" + std::to_string(::getpid())))
                                .string());
    return {outcome.exitCode, outcome.out + outcome.err};
}

// The test setup installs the checkers; a missing one is a broken setup.
#define REQUIRE_TOOL(name, package)                                                                \
    ASSERT_EQ(check("command -v " name " >/dev/null").exitCode, 0)                                 \
        << name " is missing: install " package

std::string entryValue(const std::string& entry, const std::string& key) {
    std::smatch match;
    const std::regex line("(^|\n)" + key + "=([^\n]*)");
    return std::regex_search(entry, match, line) ? match[2].str() : std::string();
}

// Width and height from a PNG's header; -1 for anything else.
std::pair<int, int> pngSize(const std::string& bytes) {
    static const std::string signature = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 24 || bytes.compare(0, 8, signature) != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return {-1, -1};
    }
    auto number = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) |
               (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) |
               static_cast<unsigned char>(bytes[at + 3]);
    };
    return {number(16), number(20)};
}

} // namespace

TEST(DesktopFiles, TheDesktopEntryValidatesAndNamesTheWindowAndTheIcon) {
    REQUIRE_TOOL("desktop-file-validate", "desktop-file-utils");
    const fs::path entry = share() / DesktopFiles::desktopEntryPath();
    const Checked validated = check("desktop-file-validate '" + entry.string() + "'");
    EXPECT_EQ(validated.exitCode, 0) << validated.output;
    EXPECT_EQ(validated.output, "");

    const std::string text = readText(entry);
    EXPECT_EQ(entryValue(text, "StartupWMClass"), platform::SdlWindow::className);
    EXPECT_EQ(entryValue(text, "Exec"), "quillmere");
    EXPECT_NE(entryValue(text, "Categories").find("Game;LogicGame;"), std::string::npos);
    const std::string icon = entryValue(text, "Icon");
    for (int size : DesktopFiles::iconSizes) {
        const std::string side = std::to_string(size);
        EXPECT_TRUE(fs::is_regular_file(share() / "icons/hicolor" / (side + "x" + side) / "apps" /
                                        (icon + ".png")))
            << icon << " at " << side;
    }
}

TEST(DesktopFiles, TheMetainfoValidatesAndFollowsTheBuild) {
    REQUIRE_TOOL("appstreamcli", "appstream");
    const fs::path metainfo = share() / DesktopFiles::metainfoPath();
    const Checked validated = check("appstreamcli validate --no-net '" + metainfo.string() + "'");
    EXPECT_EQ(validated.exitCode, 0) << validated.output;

    const std::string text = readText(metainfo);
    EXPECT_NE(text.find("<release version=\"" + std::string(CommandLine::version()) + "\""),
              std::string::npos);
    // The component and its launcher are the same name as the entry's file.
    const std::string entryFile = fs::path(DesktopFiles::desktopEntryPath()).filename().string();
    EXPECT_NE(text.find(">" + entryFile + "</launchable>"), std::string::npos);
    EXPECT_NE(text.find("<id>" + fs::path(entryFile).stem().string() + "</id>"), std::string::npos);
}

TEST(DesktopFiles, EveryIconHasTheSizeItsFolderSaysAndIsTheGamesOwnDrawing) {
    std::size_t found = 0;
    for (const auto& entry : fs::recursive_directory_iterator(share() / "icons/hicolor")) {
        if (!entry.is_regular_file()) {
            continue;
        }
        ++found;
        const std::string folder = entry.path().parent_path().parent_path().filename().string();
        std::smatch match;
        ASSERT_TRUE(std::regex_match(folder, match, std::regex("([0-9]+)x([0-9]+)"))) << folder;
        const auto size = pngSize(readText(entry.path()));
        EXPECT_EQ(size.first, std::stoi(match[1].str())) << entry.path();
        EXPECT_EQ(size.second, std::stoi(match[2].str())) << entry.path();
    }
    EXPECT_EQ(found, std::size(DesktopFiles::iconSizes));

    // The 128 pixel icon is the one in the game's data, pixel for pixel.
    const DataTree::Bytes* inData = DataGenerated::file("mui/icon.png");
    ASSERT_NE(inData, nullptr);
    const std::string installed = readText(share() / DesktopFiles::iconPath(128));
    const auto ours =
        DataGenerated::decode("icon.png", DataTree::Bytes(installed.begin(), installed.end()));
    const auto theirs = DataGenerated::decode("icon.png", *inData);
    ASSERT_TRUE(ours.ok && theirs.ok);
    EXPECT_EQ(ours.rgba, theirs.rgba);
}

TEST(DesktopFiles, TheManualPageFormatsCleanlyAndListsTheOptions) {
    REQUIRE_TOOL("groff", "groff-base");
    const fs::path page = share() / DesktopFiles::manualPagePath();
    const Checked formatted = check("groff -man -ww -z -Tutf8 '" + page.string() + "'");
    EXPECT_EQ(formatted.exitCode, 0);
    EXPECT_EQ(formatted.output, "");
    const std::string text = readText(page);
    EXPECT_NE(text.find(".B \\-\\-help\n"), std::string::npos);
    EXPECT_NE(text.find(".B \\-\\-version\n"), std::string::npos);
}

TEST(DesktopFiles, TextFromOutsideIsEscaped) {
    const std::string metainfo = DesktopFiles::metainfo({"1<2&\"3\"", "2026-01-01"});
    EXPECT_NE(metainfo.find("version=\"1&lt;2&amp;&quot;3&quot;\""), std::string::npos);
    EXPECT_EQ(metainfo.find("1<2"), std::string::npos);
    // A version that would start a roff request or escape stays text.
    const std::string page = DesktopFiles::manualPage({"\\fB1", ".2"});
    EXPECT_NE(page.find("\\efB1"), std::string::npos);
    EXPECT_EQ(page.find("\\fB1"), std::string::npos);
}
