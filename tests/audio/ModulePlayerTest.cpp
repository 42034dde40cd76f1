// The player over a music output: mixing ahead, topping up, the end of a song.
#include "audio/ModulePlayer.h"
#include "ModuleTestSongs.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testsongs;

namespace {

// A music output whose play position the test moves by hand.
class FakeOutput : public platform::MusicOutput {
public:
    std::vector<std::int16_t> ringData;
    std::uint64_t position = 0;
    bool started = false;
    int resets = 0;

    bool open(std::size_t bytes) override {
        ringData.assign(bytes / 2, 0);
        return true;
    }
    void close() override { ringData.clear(); }
    bool isOpen() const override { return !ringData.empty(); }
    bool isAudible() const override { return false; }
    std::int16_t* ring() override { return ringData.data(); }
    std::size_t ringBytes() const override { return ringData.size() * 2; }
    void start() override {
        started = true;
        position = 0;
    }
    void reset() override {
        started = false;
        position = 0;
        ++resets;
    }
    std::uint64_t playPosition() override { return position; }
};

struct Player {
    FakeOutput* output;
    ModulePlayer player;

    Player() : Player(std::make_unique<FakeOutput>()) {}
    explicit Player(std::unique_ptr<FakeOutput> o) : output(o.get()), player(std::move(o)) {}
};

std::vector<std::uint8_t> longSong(int orders) {
    xm::Song s = song(64, 1, dc(10000));
    s.patterns[0].at(0, 0) = cell("C-4");
    s.orders.assign(static_cast<std::size_t>(orders), 0);
    return xm::XmWriter::write(s);
}

bool blockIsSilent(const FakeOutput& o, int block) {
    const auto first = o.ringData.begin() + block * ModulePlayer::blockFrames * 2;
    return std::all_of(first, first + ModulePlayer::blockFrames * 2,
                       [](std::int16_t v) { return v == 0; });
}

} // namespace

TEST(ModulePlayer, RingIsOneSecondOfBlocks) {
    EXPECT_EQ(ModulePlayer::blockFrames, 884);
    EXPECT_EQ(ModulePlayer::ringFrames, 44200);
    EXPECT_EQ(ModulePlayer::ringBytes, 176800u);
    Player p;
    ASSERT_TRUE(p.player.openDevice());
    EXPECT_EQ(p.output->ringBytes(), 176800u);
}

TEST(ModulePlayer, StartMixesTheWholeRingAheadAndUpdateTopsItUp) {
    Player p;
    ASSERT_TRUE(p.player.openDevice());
    const std::vector<std::uint8_t> bytes = longSong(4);
    Module* m = p.player.loadModule(bytes.data(), bytes.size());
    ASSERT_NE(m, nullptr);
    p.player.start(m);
    EXPECT_TRUE(p.player.isPlaying());
    EXPECT_TRUE(p.output->started);
    EXPECT_EQ(m->framesMixed, 44200u);
    EXPECT_FALSE(blockIsSilent(*p.output, 49));

    p.player.update();
    EXPECT_EQ(m->framesMixed, 44200u); // block 0 is still being played

    p.output->position = 3 * 884 * 4 + 100; // in block 3: blocks 0..2 are free
    p.player.update();
    EXPECT_EQ(m->framesMixed, 44200u + 3 * 884);

    p.output->position = 44200 * 4 + 884 * 4; // looped once, in block 1
    p.player.update();
    EXPECT_EQ(m->framesMixed, 44200u + 51 * 884);
    EXPECT_TRUE(p.player.isPlaying());
    p.player.freeModule(m);
    EXPECT_FALSE(p.player.isPlaying());
}

TEST(ModulePlayer, TheWholeSongIsHeardThenThePlayerStops) {
    Player p;
    ASSERT_TRUE(p.player.openDevice());
    const std::vector<std::uint8_t> bytes = longSong(1); // 64 rows: about 7.7 s
    Module* m = p.player.loadModule(bytes.data(), bytes.size());
    p.player.start(m);
    std::uint64_t position = 0;
    int updates = 0;
    bool endSeen = false;
    while (p.player.isPlaying() && updates < 2000) {
        position += 882 * 4; // one 20 ms frame
        p.output->position = position;
        p.player.update();
        ++updates;
        if (m->ended && !endSeen) {
            // Noticed while mixing a second ahead: the ring stays silent
            // from the end of the last row.
            endSeen = true;
            const auto end = static_cast<std::size_t>(m->endFrame % ModulePlayer::ringFrames);
            EXPECT_NE(p.output->ringData[2 * end - 2], 0);
            EXPECT_EQ(p.output->ringData[2 * end], 0);
            EXPECT_TRUE(p.player.isPlaying());
        }
    }
    EXPECT_TRUE(endSeen);
    EXPECT_FALSE(p.player.isPlaying());
    EXPECT_EQ(m->endFrame, 64u * 6u * 882u);
    EXPECT_FALSE(p.output->started); // the device was reset
    // Stopped by the first update that found the last row played.
    EXPECT_EQ(updates, 64 * 6);
    const int after =
        static_cast<int>((m->endFrame % ModulePlayer::ringFrames) / ModulePlayer::blockFrames) + 1;
    EXPECT_TRUE(blockIsSilent(*p.output, after % ModulePlayer::ringBlocks));
    p.player.freeModule(m);
}

TEST(ModulePlayer, VolumeIsTheGlobalVolume) {
    Player p;
    ASSERT_TRUE(p.player.openDevice());
    p.player.setVolume(100);
    EXPECT_EQ(p.player.volume(), 64);
    p.player.setVolume(20);
    const std::vector<std::uint8_t> bytes = longSong(2);
    Module* m = p.player.loadModule(bytes.data(), bytes.size());
    EXPECT_EQ(m->initialGlobalVolume, 20);
    p.player.start(m);
    EXPECT_EQ(m->globalVolume, 20);
    p.player.setVolume(40);
    EXPECT_EQ(m->globalVolume, 40);
    p.player.freeModule(m);
}

TEST(ModulePlayer, NothingPlaysWithoutADeviceOrAModule) {
    ModulePlayer none(nullptr);
    EXPECT_FALSE(none.openDevice());
    const std::vector<std::uint8_t> bytes = longSong(1);
    Module* m = none.loadModule(bytes.data(), bytes.size());
    none.start(m);
    EXPECT_FALSE(none.isPlaying());
    none.update();
    none.freeModule(m);

    Player p;
    ASSERT_TRUE(p.player.openDevice());
    const std::uint8_t junk[] = "Extended Module: but nothing else";
    EXPECT_EQ(p.player.loadModule(junk, sizeof junk), nullptr);
    p.player.start(nullptr);
    EXPECT_FALSE(p.player.isPlaying());
    p.player.closeDevice();
    EXPECT_FALSE(p.player.isDeviceOpen());
}

TEST(ModulePlayer, SingletonLifecycle) {
    EXPECT_FALSE(ModulePlayer::exists());
    ModulePlayer& player = ModulePlayer::create(std::make_unique<FakeOutput>());
    EXPECT_EQ(&ModulePlayer::instance(), &player);
    EXPECT_TRUE(player.openDevice());
    ModulePlayer::destroy();
    EXPECT_FALSE(ModulePlayer::exists());
}
