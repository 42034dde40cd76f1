#include "audio/ModulePlayer.h"
#include "audio/MusicPlaylist.h"
#include "persist/ResourceManager.h"
#include "platform/MusicOutput.h"
#include "platform/Random.h"
#include "support/AudioDriver.h"
#include "support/FakeClock.h"
#include "xmwriter/XmWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <thread>

namespace {

using Bytes = std::vector<std::uint8_t>;

// One channel playing a looping square wave from row 0 for `rows` rows at
// speed 6 and 125 BPM: 0.12 s a row.
Bytes squareSong(int rows) {
    xm::Sample square;
    square.bits = 8;
    for (int i = 0; i < 64; ++i)
        square.pcm.push_back(i < 32 ? 90 : -90);
    square.loop = xm::Sample::Loop::Forward;
    square.loopLength = 64;
    xm::Instrument instrument;
    instrument.samples.push_back(square);
    xm::Song song;
    song.channels = 1;
    song.instruments.push_back(instrument);
    song.patterns.emplace_back(rows, 1);
    song.patterns[0].at(0, 0) = {static_cast<std::uint8_t>(xm::note("C-4")), 1, 0, 0, 0};
    return xm::XmWriter::write(song);
}

// A playlist over the music output of the test's choice, reading its module
// files from memory and counting the reads.
class Playlist : public ::testing::Test {
protected:
    void SetUp() override {
        // A 16-row song ends as its last row is over, 1.92 s in; the player
        // mixes a second ahead and stops once that end has been heard.
        files["one.xm"] = squareSong(16);
        files["two.xm"] = squareSong(16);
        files["long.xm"] = squareSong(64); // 7.68 s
        files["broken.xm"] = Bytes(600, 7);
        music = std::make_unique<MusicPlaylist>();
        music->setFileReader([this](const std::string& name) {
            reads.push_back(name);
            auto it = files.find(name);
            return it == files.end() ? Bytes{} : it->second;
        });
    }
    void TearDown() override {
        music.reset();
        ModulePlayer::destroy();
    }

    // Runs frames of 16 ms of the fake clock with a service() in each.
    void frames(int count) {
        for (int i = 0; i < count; ++i) {
            clock.now += 16;
            music->service();
        }
    }

    FakeClock clock;
    AudioDriver driver = AudioDriver::none();
    std::map<std::string, Bytes> files;
    std::vector<std::string> reads;
    std::unique_ptr<MusicPlaylist> music;
};

} // namespace

TEST_F(Playlist, WithoutTheDeviceEverythingIsIgnored) {
    music->setPlaylist({"one.xm"});
    music->setVolume(30);
    music->playNext();
    frames(10);
    EXPECT_FALSE(music->isDeviceOpen());
    EXPECT_EQ(music->volume(), 100);
    EXPECT_FALSE(music->isPlaying());
    EXPECT_TRUE(reads.empty());
}

TEST_F(Playlist, VolumeIsCappedAt64AndReachesThePlayer) {
    music->init();
    ASSERT_TRUE(music->isDeviceOpen());
    music->setVolume(100);
    EXPECT_EQ(music->volume(), 64);
    EXPECT_EQ(ModulePlayer::instance().volume(), 64);
    music->setVolume(17);
    EXPECT_EQ(ModulePlayer::instance().volume(), 17);
    EXPECT_FALSE(music->isPlaying()); // music was on: volume alone starts nothing
    EXPECT_TRUE(reads.empty());
}

TEST_F(Playlist, VolumeZeroStopsAndRaisingItPlaysTheNextFile) {
    music->init();
    music->setVolume(40);
    music->setPlaylist({"long.xm", "two.xm"});
    music->playNext();
    frames(5);
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(music->current(), 0);

    music->setVolume(0);
    EXPECT_FALSE(music->isPlaying());
    EXPECT_FALSE(music->isEnabled());
    music->playNext(); // off: ignored
    frames(5);
    EXPECT_FALSE(music->isPlaying());
    EXPECT_EQ(music->current(), 0);

    music->setVolume(20);
    EXPECT_TRUE(music->isEnabled());
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(music->current(), 1);
    EXPECT_EQ(reads, (std::vector<std::string>{"long.xm", "two.xm"}));
}

TEST_F(Playlist, AOneFileListRepeats) {
    music->init();
    music->setVolume(64);
    music->setPlaylist({"one.xm"});
    music->playNext();
    ASSERT_TRUE(music->isPlaying());
    bool silentFrame = false;
    for (int i = 0; i < 5000 / 16; ++i) {
        frames(1);
        silentFrame = silentFrame || !music->isPlaying();
    }
    // Five seconds of a song that plays 1.92 s: it ended and started over.
    EXPECT_EQ(reads.size(), 3u);
    EXPECT_TRUE(std::all_of(reads.begin(), reads.end(), [](auto& r) { return r == "one.xm"; }));
    EXPECT_EQ(music->current(), 0);
    EXPECT_TRUE(silentFrame); // the end is noticed by one service(), the restart
                              // by the next
}

TEST_F(Playlist, AModuleThatFailsToLoadIsSkippedAtTheNextService) {
    music->init();
    music->setVolume(40);
    music->setPlaylist({"broken.xm", "missing.xm", "two.xm"});
    music->playNext();
    EXPECT_FALSE(music->isPlaying());
    EXPECT_EQ(music->current(), 0);
    music->service();
    EXPECT_EQ(music->current(), 1);
    EXPECT_FALSE(music->isPlaying());
    music->service();
    EXPECT_EQ(music->current(), 2);
    EXPECT_TRUE(music->isPlaying());
    frames(20);
    EXPECT_EQ(reads.size(), 3u);
}

TEST_F(Playlist, ANewListLetsTheModulePlayOnAndStartsFromItsFirstFile) {
    music->init();
    music->setVolume(40);
    music->setPlaylist({"one.xm"});
    music->playNext();
    music->setPlaylist({"two.xm", "long.xm"});
    EXPECT_EQ(music->current(), -1);
    EXPECT_TRUE(music->isPlaying());
    frames(3);
    EXPECT_EQ(reads.size(), 1u);
    frames(120); // past the end of one.xm
    EXPECT_EQ(reads.back(), "two.xm");
    EXPECT_EQ(music->current(), 0);

    music->stop();
    EXPECT_FALSE(music->isPlaying());
    frames(200);
    EXPECT_FALSE(music->isPlaying()); // stopped stays stopped
    EXPECT_EQ(reads.size(), 2u);
}

TEST_F(Playlist, ShuffleKeepsEveryFileAndSurvivesAnEmptyList) {
    music->shuffle();
    EXPECT_TRUE(music->files().empty());
    std::vector<std::string> list = {"a", "b", "c", "d", "e"};
    music->setPlaylist(list);
    Random::seed(5);
    music->shuffle();
    auto shuffled = music->files();
    EXPECT_TRUE(std::is_permutation(shuffled.begin(), shuffled.end(), list.begin()));
    EXPECT_NE(shuffled, list);
    // The same seed gives the same order.
    music->setPlaylist(list);
    Random::seed(5);
    music->shuffle();
    EXPECT_EQ(music->files(), shuffled);
}

TEST(PlaylistDevice, PlaysForSecondsOnTheDummyDriver) {
    AudioDriver driver = AudioDriver::dummy();
    auto output = platform::createMusicOutput();
    platform::MusicOutput* out = output.get();
    ModulePlayer::create(std::move(output));
    {
        MusicPlaylist music;
        Bytes song = squareSong(64);
        music.setFileReader([&](const std::string&) { return song; });
        music.init();
        ASSERT_TRUE(music.isDeviceOpen());
        ASSERT_TRUE(out->isAudible());
        music.setVolume(64);
        music.setPlaylist({"music/menu.xm"});
        music.playNext();

        auto t0 = std::chrono::steady_clock::now();
        std::uint64_t last = 0;
        int advances = 0;
        int frames = 0;
        while (std::chrono::steady_clock::now() - t0 < std::chrono::seconds(4)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(16));
            music.service();
            ++frames;
            ASSERT_TRUE(music.isPlaying());
            std::uint64_t p = out->playPosition();
            ASSERT_GE(p, last);
            advances += p > last;
            last = p;
        }
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        // The dummy driver's thread falls behind on a busy machine, never ahead.
        EXPECT_GT(static_cast<double>(last), 176400 * seconds / 2);
        EXPECT_LT(static_cast<double>(last), 176400 * (seconds + 0.3));
        EXPECT_GT(advances, frames / 4);
        // The ring holds the mixed square wave, not silence.
        const std::int16_t* ring = out->ring();
        EXPECT_GT(*std::max_element(ring, ring + out->ringBytes() / 2), 1000);
        EXPECT_LT(*std::min_element(ring, ring + out->ringBytes() / 2), -1000);
    }
    ModulePlayer::destroy();
}

TEST_F(Playlist, ReadsItsFilesThroughTheResourceManager) {
    std::filesystem::create_directories("playlist_music");
    Bytes song = squareSong(16);
    std::ofstream("playlist_music/pack_or_disk.xm", std::ios::binary)
        .write(reinterpret_cast<const char*>(song.data()),
               static_cast<std::streamsize>(song.size()));
    ResourceManager::create("main"); // no pack: names come from the disk
    music->setFileReader(nullptr);
    music->init();
    music->setVolume(40);
    music->setPlaylist({"playlist_music/no_such.xm", "playlist_music/pack_or_disk.xm"});
    music->playNext();
    EXPECT_FALSE(music->isPlaying());
    music->service();
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(music->current(), 1);
    ResourceManager::destroy("main");
    std::filesystem::remove_all("playlist_music");
}
