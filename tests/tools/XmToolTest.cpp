// The quillmere-xm command and the XM writer it is tested with.
#include "xmwriter/XmWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

const std::string tool = QUILLMERE_BINARY_DIR "/tools/xm/quillmere-xm";

struct ToolRun {
    int status;
    std::string output;
};

ToolRun run(const std::string& args) {
    ToolRun r{-1, {}};
    FILE* pipe = popen((tool + " " + args + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        r.output += buffer;
    }
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// Two orders of a 16-row pattern at speed 3: 32 rows x 3 ticks x 882 frames.
xm::Song twoOrders() {
    xm::Song s;
    s.channels = 2;
    s.speed = 3;
    s.orders = {0, 0};
    s.patterns.emplace_back(16, 2);
    s.patterns[0].at(0, 0) = {static_cast<std::uint8_t>(xm::note("A-4")), 1, 0, 0, 0};
    xm::Sample saw;
    saw.bits = 16;
    for (int i = 0; i < 100; ++i) {
        saw.pcm.push_back(i * 600 - 30000);
    }
    saw.loop = xm::Sample::Loop::Forward;
    saw.loopLength = 100;
    xm::Instrument ins;
    ins.samples.push_back(saw);
    s.instruments.push_back(ins);
    return s;
}

class XmTool : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("quillmere-xm-test-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
};

} // namespace

TEST(XmWriter, NoteNames) {
    EXPECT_EQ(xm::note("C-0"), 1);
    EXPECT_EQ(xm::note("C-4"), 49);
    EXPECT_EQ(xm::note("F#3"), 1 + 36 + 6);
    EXPECT_EQ(xm::note("B-7"), 96);
    EXPECT_EQ(xm::note("H-4"), 0);
    EXPECT_EQ(xm::note("C-8"), 0);
}

TEST(XmWriter, WritesTheHeaderAndPacksCells) {
    const std::vector<std::uint8_t> b = xm::XmWriter::write(twoOrders());
    ASSERT_GT(b.size(), 336u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 17), "Extended Module: ");
    EXPECT_EQ(b[60], 20); // header size 276 = 0x114
    EXPECT_EQ(b[61], 1);
    EXPECT_EQ(b[64], 2); // two orders
    EXPECT_EQ(b[68], 2); // two channels
    EXPECT_EQ(b[74], 1); // linear frequencies
    // Pattern: 9-byte header, then a packed note + instrument and 31 empty cells.
    const std::size_t p = 336;
    EXPECT_EQ(b[p + 5], 16);
    EXPECT_EQ(b[p + 7], 3 + 31);
    EXPECT_EQ(b[p + 9], 0x83);
    EXPECT_EQ(b[p + 10], xm::note("A-4"));
    EXPECT_EQ(b[p + 12], 0x80);
}

TEST_F(XmTool, InfoTellsTheShapeAndDuration) {
    ASSERT_TRUE(xm::XmWriter::writeFile(twoOrders(), path("song.xm")));
    const ToolRun r = run("info " + path("song.xm"));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("channels: 2"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("orders: 2"), std::string::npos);
    EXPECT_NE(r.output.find("patterns: 1"), std::string::npos);
    EXPECT_NE(r.output.find("instruments: 1"), std::string::npos);
    char duration[64];
    std::snprintf(duration, sizeof duration, "duration: %.2f s", 32 * 3 * 882 / 44100.0);
    EXPECT_NE(r.output.find(duration), std::string::npos) << r.output;
}

TEST_F(XmTool, RenderWritesAWaveUntilTheSongEnds) {
    ASSERT_TRUE(xm::XmWriter::writeFile(twoOrders(), path("song.xm")));
    ToolRun r = run("render " + path("song.xm") + " " + path("out.wav"));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(std::filesystem::file_size(path("out.wav")), 44u + 32u * 3u * 882u * 4u);
    std::ifstream wav(path("out.wav"), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(wav)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    bool sound = false;
    for (std::size_t i = 44 + 4000; i < bytes.size(); i += 2) {
        sound |= bytes[i] != 0 || bytes[i + 1] != 0;
    }
    EXPECT_TRUE(sound);

    r = run("render " + path("song.xm") + " " + path("short.wav") + " --seconds 0.5");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(std::filesystem::file_size(path("short.wav")), 44u + 22050u * 4u);
}

TEST_F(XmTool, WrongOrDamagedInputFailsWithAMessage) {
    std::vector<std::uint8_t> b = xm::XmWriter::write(twoOrders());
    b.resize(b.size() - 10);
    {
        std::ofstream f(path("cut.xm"), std::ios::binary);
        f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
    ToolRun r = run("info " + path("cut.xm"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("not a playable XM module"), std::string::npos) << r.output;
    r = run("render " + path("cut.xm") + " " + path("x.wav"));
    EXPECT_NE(r.status, 0);
    r = run("info " + path("missing.xm"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("cannot read"), std::string::npos);
    EXPECT_NE(run("render").status, 0);
    EXPECT_NE(run("play " + path("cut.xm")).status, 0);
    ASSERT_TRUE(xm::XmWriter::writeFile(twoOrders(), path("song.xm")));
    EXPECT_NE(run("render " + path("song.xm") + " " + path("y.wav") + " --seconds abc").status, 0);
}

TEST_F(XmTool, BusyWritesTheTimingSong) {
    ToolRun r = run("busy " + path("busy.xm") + " --channels 32 --orders 6");
    EXPECT_EQ(r.status, 0) << r.output;
    r = run("info " + path("busy.xm"));
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("channels: 32"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("orders: 6"), std::string::npos) << r.output;
    // Six orders of 64 rows at speed 4 and 140 BPM (787 frames a tick).
    char duration[64];
    std::snprintf(duration, sizeof duration, "duration: %.2f s", 6 * 64 * 4 * 787 / 44100.0);
    EXPECT_NE(r.output.find(duration), std::string::npos) << r.output;

    EXPECT_NE(run("busy " + path("b.xm") + " --channels 33").status, 0);
    EXPECT_NE(run("busy " + path("b.xm") + " --orders 0").status, 0);
    EXPECT_NE(run("busy " + path("b.xm") + " --channels").status, 0);
    EXPECT_NE(run("busy " + path("b.xm") + " --speed 3").status, 0);
    EXPECT_FALSE(std::filesystem::exists(path("b.xm")));
}
