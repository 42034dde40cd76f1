#include "Composer.h"
#include "DataTree.h"
#include "Generators.h"
#include "xmwriter/XmWriter.h"

namespace {

using Groove = TuneStyle::Groove;
using Mode = Harmony::Mode;

// The game's five tunes: the menu's gentle waltz and four game tunes of
// different moods and paces (the menu tune also plays in the game rotation).
std::vector<std::pair<const char*, TuneStyle>> tunes() {
    std::vector<std::pair<const char*, TuneStyle>> all;
    auto add = [&](const char* file, const char* title, std::uint64_t seed, int tonic, Mode mode,
                   int bpm, Groove groove, double brightness, double detune, double pulse,
                   bool bell) {
        TuneStyle s;
        s.title = title;
        s.seed = seed;
        s.tonic = tonic;
        s.mode = mode;
        s.bpm = bpm;
        s.groove = groove;
        s.seconds = 150;
        s.timbre = {seed * 7 + 1, brightness, detune, pulse, bell};
        all.push_back({file, s});
    };
    add("music/menu.xm", "Moonlit Garden", 11, 53, Mode::Major, 92, Groove::Waltz, 0.3, 0.8, 0.3,
        true);
    add("music/game01.xm", "Lantern Steps", 21, 55, Mode::Major, 122, Groove::Pop, 0.6, 0.5, 0.25,
        false);
    add("music/game02.xm", "Firefly Run", 31, 57, Mode::Dorian, 138, Groove::Drive, 0.75, 0.4, 0.2,
        false);
    add("music/game03.xm", "Willow Shuffle", 41, 50, Mode::Mixolydian, 108, Groove::Swing, 0.5, 0.6,
        0.35, true);
    add("music/game04.xm", "Deep Pond", 51, 52, Mode::HarmonicMinor, 84, Groove::HalfTime, 0.35,
        0.9, 0.4, true);
    return all;
}

} // namespace

void addMusic(DataTree& tree) {
    for (const auto& [file, style] : tunes()) {
        tree.addPacked(file, xm::XmWriter::write(Composer(style).compose()));
    }
}
