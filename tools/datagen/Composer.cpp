// One tune of the game's music, written pattern by pattern from its style.
//
// Index, in file order:
// - Part levels, note placement (put, keyOff).
// - Harmony and form: the chord progressions and the order of the blocks.
// - The parts: lead and its echo, harp, pads, bass, arpeggios, drums.
// - The special blocks: intro, break, outro; writeBlock for all of them.
// - compose: the blocks into an XM song.
#include "Composer.h"

#include "GrooveFigures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using Groove = TuneStyle::Groove;
using Mode = Harmony::Mode;
using Slot = InstrumentBank::Slot;

// Levels of the parts (0..64), balanced so that all ten channels together
// stay well inside the mixer's range at the game's music volume.
constexpr int leadVolume = 50;
constexpr int echoVolume = 21;
constexpr int padVolume = 16;
constexpr int bassVolume = 48;
constexpr int arpVolume = 22;
constexpr int harpVolume = 25;
constexpr int kickVolume = 56;
constexpr int snareVolume = 42;
constexpr int hatVolume = 24;

constexpr int fxArpeggio = xm::effectByte(xm::Effect::Arpeggio);
constexpr int fxTonePorta = xm::effectByte(xm::Effect::TonePorta);
constexpr int fxVibrato = xm::effectByte(xm::Effect::Vibrato);
constexpr int fxPanning = xm::effectByte(xm::Effect::Panning);
constexpr int fxVolumeSlide = xm::effectByte(xm::Effect::VolumeSlide);
constexpr int fxPatternBreak = xm::effectByte(xm::Effect::PatternBreak);
constexpr int fxExtended = xm::effectByte(xm::Effect::Extended);
constexpr int fxTempo = xm::effectByte(xm::Effect::SpeedOrTempo);
constexpr int fineVolumeDownByOne = xm::volumeByte(xm::VolumeColumn::FineDown, 1);
constexpr int fineVolumeUpByOne = xm::volumeByte(xm::VolumeColumn::FineUp, 1);

// A note delayed by y ticks: Exy with x = D.
constexpr int noteDelay(int y) {
    return xm::extendedParam(xm::Extended::NoteDelay, y);
}

} // namespace

Composer::Composer(const TuneStyle& style)
    : style_(style), key_(style.tonic, style.mode), random_(style.seed),
      beats_(style.groove == Groove::Waltz ? 3 : 4), melodist_(key_, random_, beats_) {}

void Composer::put(Block& b, int row, int channel, int note, int instrument, int volume, int effect,
                   int param) {
    if (row < 0 || row >= b.pattern.rows) {
        return;
    }
    xm::Cell& c = cell(b, row, channel);
    c.note = static_cast<std::uint8_t>(note < 0 ? 0 : note + 1);
    c.instrument = static_cast<std::uint8_t>(instrument);
    c.volume = volume < 0 ? 0 : xm::setVolumeByte(std::clamp(volume, 0, xm::maxVolume));
    if (effect != 0 || param != 0) {
        c.effect = static_cast<std::uint8_t>(effect);
        c.param = static_cast<std::uint8_t>(param);
    }
}

void Composer::keyOff(Block& b, int row, int channel) {
    if (row >= 0 && row < b.pattern.rows && cell(b, row, channel).note == 0) {
        cell(b, row, channel).note = xm::keyOff;
    }
}

// Chord progressions by scale degree, one chord a bar. Bright keys lean on
// I, IV, V and vi; dark ones on i, iv, VI, III and VII.
void Composer::chooseProgressions() {
    std::vector<std::array<int, 4>> a, b;
    switch (style_.mode) {
    case Mode::HarmonicMinor:
        a = {{0, 5, 3, 4}, {0, 3, 4, 0}, {0, 3, 5, 4}, {0, 5, 1, 4}};
        b = {{5, 3, 4, 4}, {3, 4, 0, 5}, {5, 1, 4, 4}};
        break;
    case Mode::Minor:
    case Mode::Dorian:
        a = {{0, 5, 2, 6}, {0, 3, 6, 2}, {0, 6, 5, 6}, {0, 5, 3, 6}, {0, 3, 0, 6}};
        b = {{5, 6, 2, 5}, {3, 4, 5, 6}, {5, 2, 6, 3}, {3, 6, 2, 5}};
        break;
    case Mode::Mixolydian:
        a = {{0, 6, 3, 0}, {0, 3, 6, 3}, {0, 4, 6, 3}, {0, 6, 4, 3}};
        b = {{3, 6, 0, 4}, {5, 3, 6, 4}, {1, 3, 6, 6}};
        break;
    default:
        a = {{0, 4, 5, 3}, {0, 5, 3, 4}, {0, 3, 4, 3}, {0, 2, 3, 4}, {0, 5, 1, 4}, {0, 3, 0, 4}};
        b = {{3, 4, 2, 5}, {5, 3, 0, 4}, {1, 4, 0, 5}, {3, 4, 5, 4}, {5, 3, 1, 4}};
        break;
    }
    progA_ = random_.pick(a);
    progB_ = random_.pick(b);
    // The answer of each period closes on the tonic through its dominant
    // (or, in the modes without a leading note, through the seventh degree).
    const int approach =
        style_.mode == Mode::Minor || style_.mode == Mode::Dorian || style_.mode == Mode::Mixolydian
            ? 6
            : 4;
    progA2_ = {progA_[0], progA_[1], approach, 0};
    progB2_ = {progB_[0], progB_[1], progB_[2], approach};
}

// The form, in blocks of four bars: intro; A twice (the second fuller); B;
// a solo when the tune has room; a two-bar break; B again; A with its echo;
// the ending.
void Composer::planForm() {
    const double blockSeconds = stepsPerBar() * 4 * style_.speed * 2.5 / style_.bpm;
    const int wanted = static_cast<int>(std::lround(style_.seconds / blockSeconds));
    auto pair = [&](Part part, int variation) {
        Block q, a;
        q.part = a.part = part;
        q.variation = a.variation = variation;
        a.answer = true;
        const bool isB = part == Part::B;
        q.chords = isB ? progB_ : progA_;
        a.chords = isB ? progB2_ : progA2_;
        blocks_.push_back(q);
        blocks_.push_back(a);
    };
    Block intro;
    intro.part = Part::Intro;
    intro.chords = progA_;
    blocks_.push_back(intro);
    pair(Part::A, 0);
    pair(Part::A, 1);
    pair(Part::B, 0);
    const int base = 13;
    if (wanted >= base + 2) {
        pair(Part::Solo, 0);
    }
    Block br;
    br.part = Part::Break;
    br.chords = {progB_[0], progB_[1], progB_[0], progB_[1]};
    blocks_.push_back(br);
    if (wanted >= base - 1) {
        pair(Part::B, 1);
    }
    if (wanted >= base + 4) {
        pair(Part::A, 1);
    }
    pair(Part::A, 2);
    Block outro;
    outro.part = Part::Outro;
    outro.chords = {0, 0, 0, 0};
    blocks_.push_back(outro);
}

void Composer::writeLead(Block& b, const Phrase& phrase, int instrument, int volume, bool ornate,
                         int transpose, int arpeggio) {
    const bool sustained = instrument == Slot::lead || instrument == Slot::chip;
    const Note* previous = nullptr;
    for (const Note& n : phrase) {
        const bool strong = n.row % 4 == 0;
        const int v = strong ? volume : volume - 5;
        const bool slide = ornate && sustained && previous && !previous->restAfter &&
                           previous->length >= 3 && std::abs(n.pitch - previous->pitch) <= 4 &&
                           n.pitch != previous->pitch && random_.chance(0.3);
        if (slide) {
            put(b, n.row, lead, n.pitch + transpose, 0, v, fxTonePorta, 0x20);
        } else if (arpeggio) {
            put(b, n.row, lead, n.pitch + transpose, instrument, v, fxArpeggio, arpeggio);
        } else if (style_.groove == Groove::Swing && n.row % 4 == 2) {
            // Off-beat eighths come half a row late in a shuffle.
            put(b, n.row, lead, n.pitch + transpose, instrument, v, fxExtended, noteDelay(3));
        } else {
            put(b, n.row, lead, n.pitch + transpose, instrument, v);
        }
        for (int r = n.row + 1; r < n.row + n.length && r < b.pattern.rows; ++r) {
            if (arpeggio) {
                cell(b, r, lead).effect = fxArpeggio;
                cell(b, r, lead).param = static_cast<std::uint8_t>(arpeggio);
            } else if (sustained && ornate && n.length >= 6 && r >= n.row + 3) {
                // Vibrato comes in once the note has settled.
                cell(b, r, lead).effect = fxVibrato;
                cell(b, r, lead).param = r == n.row + 3 ? 0x53 : 0x00;
            }
        }
        if (n.restAfter) {
            keyOff(b, n.row + n.length, lead);
        }
        previous = &n;
    }
}

// The classic tracker echo: the lead again a dotted eighth later, softer
// and on the other side.
void Composer::writeEcho(Block& b, const Phrase& phrase, int instrument, int volume,
                         int transpose) {
    const int delay = 3;
    for (const Note& n : phrase) {
        if (instrument == Slot::lead) {
            put(b, n.row + delay, echo, n.pitch + transpose, Slot::leadEcho, volume);
        } else {
            put(b, n.row + delay, echo, n.pitch + transpose, instrument, volume, fxPanning, 0x48);
        }
        if (n.restAfter) {
            keyOff(b, n.row + n.length + delay, echo);
        }
    }
}

// Broken chords on the second lead: up and down the triad in eighths.
void Composer::writeHarp(Block& b) {
    const int steps = stepsPerBar();
    for (int bar = 0; bar < 4; ++bar) {
        const auto t = key_.triad(b.chords[bar]);
        const int root = Harmony::nearestOfClass(key_.degreeNote(0, 4) + 2, t[0]);
        const int figure[] = {root, Harmony::nearestOfClass(root + 4, t[1]),
                              Harmony::nearestOfClass(root + 7, t[2]), root + 12};
        const int order[] = {0, 1, 2, 3, 2, 1, 2, 1};
        for (int s = 0; s < steps; s += 2) {
            int pitch = figure[order[(s / 2) % 8]];
            put(b, bar * steps + s, echo, pitch, Slot::lead2,
                s % 4 == 0 ? harpVolume : harpVolume - 6, fxPanning, 0x50);
        }
    }
}

// Three voices holding the chords, each moving to the nearest tone of the
// next chord; a chord that repeats is held, not struck again.
void Composer::writePads(Block& b, bool fadeIn) {
    const int steps = stepsPerBar();
    const int pans[3] = {0x50, 0x80, 0xB0};
    int last = -1;
    for (int bar = 0; bar < 4; ++bar) {
        const int degree = b.chords[bar];
        const auto t = key_.triad(degree);
        if (degree == last && !fadeIn) {
            continue;
        }
        last = degree;
        std::array<int, 3> bestVoicing{};
        int bestMove = 1 << 20;
        std::array<int, 3> perm = {0, 1, 2};
        do {
            std::array<int, 3> v{};
            int move = 0;
            for (int k = 0; k < 3; ++k) {
                v[k] = Harmony::nearestOfClass(voicing_[k], t[perm[k]]);
                move += std::abs(v[k] - voicing_[k]);
            }
            // Keep the voices apart and in the middle register.
            std::array<int, 3> sorted = v;
            std::sort(sorted.begin(), sorted.end());
            if (sorted[0] == sorted[1] || sorted[1] == sorted[2]) {
                move += 50;
            }
            const int centre = (sorted[0] + sorted[2]) / 2;
            move += std::abs(centre - (key_.degreeNote(0, 4) + 5)) / 2;
            if (move < bestMove) {
                bestMove = move;
                bestVoicing = v;
            }
        } while (std::next_permutation(perm.begin(), perm.end()));
        voicing_ = bestVoicing;
        for (int k = 0; k < 3; ++k) {
            put(b, bar * steps, pad0 + k, voicing_[k], Slot::pad,
                fadeIn && bar == 0 ? 2 : padVolume, fxPanning, pans[k]);
        }
    }
    if (fadeIn) {
        // A slow swell over the first bars: one step louder every row.
        for (int r = 1; r <= padVolume; ++r) {
            for (int k = 0; k < 3; ++k) {
                if (cell(b, r, pad0 + k).volume == 0) {
                    cell(b, r, pad0 + k).volume = fineVolumeUpByOne;
                }
            }
        }
    }
}

// The bass line of the groove: roots, octaves, fifths and thirds of each
// bar's chord, with a step leading into the next chord.
void Composer::writeBass(Block& b, bool busy) {
    const std::string figure =
        busy ? GrooveFigures::of(style_.groove).busyBass : GrooveFigures::of(style_.groove).bass;
    const int steps = stepsPerBar();
    const int rootLow = key_.degreeNote(0, 2) - 2;
    for (int bar = 0; bar < 4; ++bar) {
        const int degree = b.chords[bar];
        const auto t = key_.triad(degree);
        const int root = Harmony::nearestOfClass(rootLow + 5, t[0]);
        const int nextDegree = bar < 3 ? b.chords[bar + 1] : b.chords[0];
        const int nextRoot = Harmony::nearestOfClass(root, key_.triad(nextDegree)[0]);
        for (int s = 0; s < steps; ++s) {
            const char ch = figure[s];
            const int row = bar * steps + s;
            int pitch = -1;
            switch (ch) {
            case 'R':
                pitch = root;
                break;
            case 'O':
                pitch = root + 12;
                break;
            case 'F':
                pitch = Harmony::nearestOfClass(root + 7, t[2]);
                break;
            case 'T':
                pitch = Harmony::nearestOfClass(root + 4, t[1]);
                break;
            case 'A':
                pitch = key_.stepFrom(nextRoot, nextRoot > root ? -1 : 1);
                break;
            case '.':
                keyOff(b, row, bass);
                continue;
            default:
                continue;
            }
            const int volume = s == 0 ? bassVolume + 4 : bassVolume;
            const bool glide =
                (style_.groove == Groove::HalfTime || style_.groove == Groove::Swing) && s == 0 &&
                bar > 0 && random_.chance(0.25);
            if (glide) {
                put(b, row, bass, pitch, 0, volume, fxTonePorta, 0x30);
            } else {
                put(b, row, bass, pitch, Slot::bass, volume);
            }
        }
    }
}

// Chip arpeggios: the chord's root struck each beat, rolling through its
// third and fifth with the arpeggio effect.
void Composer::writeArps(Block& b) {
    const int steps = stepsPerBar();
    for (int bar = 0; bar < 4; ++bar) {
        const int degree = b.chords[bar];
        const int root = Harmony::nearestOfClass(63, key_.triad(degree)[0]);
        const int param = key_.arpeggio(degree);
        for (int s = 0; s < steps; ++s) {
            const int row = bar * steps + s;
            if (s % 4 == 0) {
                put(b, row, arp, root, Slot::chip, s == 0 ? arpVolume + 3 : arpVolume, fxArpeggio,
                    param);
            } else {
                cell(b, row, arp).effect = fxArpeggio;
                cell(b, row, arp).param = static_cast<std::uint8_t>(param);
            }
        }
    }
}

// Drums of the groove. Intensity 0 is kick and hats, 1 adds the backbeat,
// 2 adds open hats and ghost notes. A fill closes the block when asked.
void Composer::writeDrums(Block& b, int intensity, bool fill) {
    const GrooveFigures& g = GrooveFigures::of(style_.groove);
    const std::string k = g.kick, s = g.snare, h = g.hats;
    const int steps = stepsPerBar();
    const bool swing = style_.groove == Groove::Swing;
    for (int bar = 0; bar < 4; ++bar) {
        const bool fillBar = fill && bar == 3;
        for (int st = 0; st < steps; ++st) {
            const int row = bar * steps + st;
            const bool offbeat = swing && st % 4 == 2;
            const int delay = offbeat ? noteDelay(3) : 0;
            const int fx = delay ? fxExtended : 0;
            if (k[st] == 'x') {
                put(b, row, kick, 48, Slot::kick, st == 0 ? kickVolume : kickVolume - 6);
            }
            if (fillBar && st >= steps - 4) {
                // Toms falling through the last beat.
                const int toms[] = {55, 52, 48, 45};
                put(b, row, snare, toms[st - (steps - 4)], Slot::tom, 36 + (st - (steps - 4)) * 2);
                continue;
            }
            if (intensity >= 1 && s[st] == 'x') {
                put(b, row, snare, 48, Slot::snare, snareVolume);
            } else if (intensity >= 2 && s[st] == 'g') {
                put(b, row, snare, 48, Slot::snare, 14, fx, delay);
            }
            if (h[st] == 'x' || h[st] == 'g') {
                int v = h[st] == 'x' ? hatVolume : hatVolume - 8;
                if (st % 4 == 0) {
                    v += 4;
                }
                put(b, row, hats, 48, Slot::hatClosed, v, fx, delay);
            } else if (h[st] == 'o') {
                put(b, row, hats, 48, intensity >= 2 ? Slot::hatOpen : Slot::hatClosed, hatVolume);
            }
        }
    }
    if (intensity >= 1) {
        put(b, 0, hats, 48, Slot::crash, 30);
    }
}

void Composer::writeIntro(Block& b) {
    writePads(b, true);
    const int steps = stepsPerBar();
    // The bass and hats come in halfway; a kick and tom pick-up leads into A.
    Block tail = b;
    for (int bar = 2; bar < 4; ++bar) {
        for (int st = 0; st < steps; st += 2) {
            put(b, bar * steps + st, hats, 48, Slot::hatClosed, st % 4 == 0 ? 18 : 11);
        }
    }
    writeBass(tail, false);
    for (int r = 2 * steps; r < 4 * steps; ++r) {
        cell(b, r, bass) = cell(tail, r, bass);
    }
    const int toms[] = {57, 55, 52, 48};
    for (int i = 0; i < 4; ++i) {
        put(b, 4 * steps - 4 + i, snare, toms[i], Slot::tom, 28 + 3 * i);
    }
}

// Two bars of pads and a soft pulse, cut short with a pattern break.
void Composer::writeBreak(Block& b) {
    const int steps = stepsPerBar();
    writePads(b, false);
    writeHarp(b);
    for (int r = 0; r < 2 * steps; ++r) {
        if (r % 4 == 0) {
            put(b, r, hats, 48, Slot::hatClosed, 12);
        }
    }
    put(b, 0, bass, Harmony::nearestOfClass(key_.degreeNote(0, 2) + 3, key_.triad(b.chords[0])[0]),
        Slot::bass, bassVolume);
    // The pads breathe out over the second bar, then the break cuts in.
    for (int r = steps; r < 2 * steps - 1; ++r) {
        for (int k = 0; k < 3; ++k) {
            xm::Cell& c = cell(b, r, pad0 + k);
            if (c.effect == 0 && c.note == 0) {
                c.effect = fxVolumeSlide;
                c.param = 0x01;
            }
        }
    }
    const int last = 2 * steps - 1;
    cell(b, last, hats).effect = fxPatternBreak;
    cell(b, last, hats).param = 0;
}

// The last chord rings out while the tempo eases back, everything fades,
// and a quiet bar lets the tails die before the order list runs out.
void Composer::writeOutro(Block& b) {
    const int steps = stepsPerBar();
    writePads(b, false);
    const int tonicLow = Harmony::nearestOfClass(key_.degreeNote(0, 2) + 3, key_.tonic() % 12);
    put(b, 0, bass, tonicLow, Slot::bass, bassVolume);
    put(b, 0, kick, 48, Slot::kick, kickVolume);
    put(b, 0, hats, 48, Slot::crash, 32);
    const int final = Harmony::nearestOfClass(key_.degreeNote(0, 5), key_.tonic() % 12);
    put(b, 0, lead, final, Slot::lead, leadVolume);
    put(b, 0, echo, final + 7, Slot::lead2, harpVolume, fxPanning, 0x50);
    // Each part fades by fine steps so that it reaches silence with the
    // fourth bar; the held lead keeps a slow vibrato and slides out.
    const int fadeRows = 4 * steps - 1;
    const std::pair<int, int> parts[] = {{pad0, padVolume},
                                         {pad1, padVolume},
                                         {pad2, padVolume},
                                         {bass, bassVolume},
                                         {echo, harpVolume}};
    for (int r = 1; r <= fadeRows; ++r) {
        for (auto [ch, start] : parts) {
            if (r * start / fadeRows != (r - 1) * start / fadeRows) {
                cell(b, r, ch).volume = fineVolumeDownByOne;
            }
        }
        if (r >= 3) {
            const bool sliding = r >= 3 * steps && r % 2 == 0;
            cell(b, r, lead).effect = sliding ? fxVolumeSlide : fxVibrato;
            cell(b, r, lead).param = sliding ? 0x01 : r == 3 ? 0x42 : 0x00;
            if (!sliding && r * leadVolume / fadeRows != (r - 1) * leadVolume / fadeRows) {
                cell(b, r, lead).volume = fineVolumeDownByOne;
            }
        }
    }
    // Slower each bar.
    for (int bar = 1; bar < 4; ++bar) {
        cell(b, bar * steps, kick).effect = fxTempo;
        cell(b, bar * steps, kick).param =
            static_cast<std::uint8_t>(style_.bpm - bar * style_.bpm / 10);
    }
    for (int ch = 0; ch < channelCount; ++ch) {
        keyOff(b, 4 * steps, ch);
    }
}

void Composer::writeBlock(Block& b) {
    const int steps = stepsPerBar();
    const int rows = steps * (b.part == Part::Outro ? 5 : 4);
    b.pattern = xm::Pattern(rows, channelCount);
    const bool waltz = beats_ == 3;
    switch (b.part) {
    case Part::Intro:
        writeIntro(b);
        break;
    case Part::Break:
        writeBreak(b);
        break;
    case Part::Outro:
        writeOutro(b);
        break;
    case Part::A: {
        const Phrase& p = b.answer ? melodyA_.answer : melodyA_.question;
        writeLead(b, p, Slot::lead, leadVolume, b.variation > 0, 0, 0);
        writePads(b, false);
        writeBass(b, b.variation > 0);
        if (b.variation >= 1) {
            writeArps(b);
        }
        if (b.variation >= 2) {
            writeEcho(b, p, Slot::lead, echoVolume, 0);
        }
        writeDrums(b, waltz ? 1 + b.variation / 2 : std::min(2, b.variation + 1), b.answer);
        break;
    }
    case Part::B: {
        const Phrase& p = b.answer ? melodyB_.answer : melodyB_.question;
        writeLead(b, p, Slot::lead, leadVolume, true, 0, 0);
        writePads(b, false);
        writeBass(b, b.variation > 0);
        if (b.variation == 0) {
            writeHarp(b);
        } else {
            writeArps(b);
            writeEcho(b, p, Slot::lead, echoVolume, 0);
        }
        writeDrums(b, waltz ? 1 : 1 + b.variation, b.answer);
        break;
    }
    case Part::Solo: {
        // The A tune on the chip an octave up, rolling in octaves, with echo.
        const Phrase& p = b.answer ? melodyA_.answer : melodyA_.question;
        writeLead(b, p, Slot::chip, leadVolume - 10, false, 12, 0x0C);
        writeEcho(b, p, Slot::lead2, harpVolume, 0);
        writePads(b, false);
        writeBass(b, true);
        writeArps(b);
        writeDrums(b, 2, b.answer);
        break;
    }
    }
}

xm::Song Composer::compose() {
    chooseProgressions();
    const bool lyricalA = style_.groove == Groove::Waltz || style_.groove == Groove::HalfTime;
    melodyA_ = melodist_.makeMelody(progA_, progA2_, lyricalA);
    melodyB_ = melodist_.makeMelody(progB_, progB2_, !lyricalA || random_.chance(0.5));
    planForm();
    voicing_ = {key_.degreeNote(0, 4), key_.degreeNote(2, 4), key_.degreeNote(4, 4)};

    xm::Song song;
    song.name = style_.title;
    song.channels = channelCount;
    song.linearFrequencies = true;
    song.speed = style_.speed;
    song.bpm = style_.bpm;
    song.instruments = InstrumentBank::make(style_.timbre);
    song.orders.clear();
    for (Block& b : blocks_) {
        writeBlock(b);
        // A block the same as an earlier one plays that pattern again.
        int index = -1;
        for (size_t p = 0; p < song.patterns.size(); ++p) {
            const xm::Pattern& other = song.patterns[p];
            if (other.rows == b.pattern.rows &&
                std::equal(other.cells.begin(), other.cells.end(), b.pattern.cells.begin(),
                           [](const xm::Cell& x, const xm::Cell& y) {
                               return x.note == y.note && x.instrument == y.instrument &&
                                      x.volume == y.volume && x.effect == y.effect &&
                                      x.param == y.param;
                           })) {
                index = static_cast<int>(p);
                break;
            }
        }
        if (index < 0) {
            index = static_cast<int>(song.patterns.size());
            song.patterns.push_back(b.pattern);
        }
        song.orders.push_back(static_cast<std::uint8_t>(index));
    }
    return song;
}
