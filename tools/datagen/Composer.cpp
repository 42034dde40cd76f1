#include "Composer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using Groove = TuneStyle::Groove;
using Mode = Harmony::Mode;
using Slot = InstrumentBank::Slot;

// Levels of the parts (0..64), balanced so that all ten channels together
// stay well inside the mixer's range at the game's music volume.
constexpr int kLeadVolume = 50;
constexpr int kEchoVolume = 21;
constexpr int kPadVolume = 16;
constexpr int kBassVolume = 48;
constexpr int kArpVolume = 22;
constexpr int kHarpVolume = 25;
constexpr int kKickVolume = 56;
constexpr int kSnareVolume = 42;
constexpr int kHatVolume = 24;

constexpr int kFxArpeggio = 0x0;
constexpr int kFxTonePorta = 0x3;
constexpr int kFxVibrato = 0x4;
constexpr int kFxPanning = 0x8;
constexpr int kFxVolumeSlide = 0xA;
constexpr int kFxPatternBreak = 0xD;
constexpr int kFxExtended = 0xE;
constexpr int kFxTempo = 0xF;
constexpr int kExNoteDelay = 0xD0;

constexpr int kVolSet = 0x10;
constexpr int kVolFineDown = 0x80;
constexpr int kVolFineUp = 0x90;

// Melody rhythms, one bar each: x a new note, - held, . silent.
const std::vector<std::string> kBusy4 = {
    "x-x-x---x-x-x---", "x---x-x-x---x---", "x--x--x-x-x-x---", "x-x.x-x-x---x-x-",
    "x---x---x-x-x-x-", "x-x-x-x-x---x---", "x--x--x---x-x---", "x.x.x---x-x-x---",
};
const std::vector<std::string> kLyrical4 = {
    "x-------x---x---", "x-----x-x-------", "x---x---x-------",
    "x-----x---x-x---", "x---x-----x-x---", "x-----x-x---x---",
};
const std::vector<std::string> kHalfCadence4 = {"x---x---x-------", "x-x-x---x-------",
                                                "x-------x-------"};
const std::vector<std::string> kCadence4 = {"x---x---x-------", "x-------x-------",
                                            "x-x-x-----------"};
const std::vector<std::string> kBusy3 = {"x---x-x-x---", "x-x-x---x---", "x-----x-x-x-",
                                         "x---x---x-x-"};
const std::vector<std::string> kLyrical3 = {"x-------x---", "x-----x---x-", "x---x---x---"};
const std::vector<std::string> kHalfCadence3 = {"x---x-------", "x-x-x---x---"};
const std::vector<std::string> kCadence3 = {"x---x-------", "x-----------"};

// One bar of each groove: the bass (R root, O octave, F fifth, T third,
// A a step into the next chord, - held, . silent) plain and busy, and the
// drums (x hit, g ghost or soft, o open hat).
struct GrooveFigures {
    const char* bass;
    const char* busyBass;
    const char* kick;
    const char* snare;
    const char* hats;
};

const GrooveFigures& figuresOf(Groove groove) {
    static const GrooveFigures table[] = {
        // Waltz
        {"R-------F---", "R-------F-T-", "x-----------", "----g---g---", "--x---x---x-"},
        // Pop
        {"R-.R-.O-R-.R-.F-", "R-.R-.O-R-.RO-A-", "x-----x-x-----x-", "----x-------x---",
         "x-x-x-x-x-x-x-o-"},
        // Drive
        {"R.R.R.R.R.R.R.A.", "R.RRR.R.R.RRO.A.", "x---x---x---x---", "----x-------x--g",
         "gxgxgxgxgxgxgxgo"},
        // Swing
        {"R---T---F---A---", "R---T---F-O-A---", "x---------x-----", "----x---g---x---",
         "x-x-x-x-x-x-x-x-"},
        // HalfTime
        {"R-------.-R-O---", "R-----.RO-.-R-A-", "x---------x--x--", "--------x-------",
         "x-x-x-x-x-x-x-o-"},
    };
    return table[static_cast<int>(groove)];
}

template <typename T> const T& pick(SeededRandom& rnd, const std::vector<T>& from) {
    return from[rnd.below(static_cast<int>(from.size()))];
}

} // namespace

Composer::Composer(const TuneStyle& style)
    : m_style(style), m_key(style.tonic, style.mode), m_rnd(style.seed),
      m_beats(style.groove == Groove::Waltz ? 3 : 4) {}

void Composer::put(Block& b, int row, int channel, int note, int instrument, int volume, int effect,
                   int param) {
    if (row < 0 || row >= b.pattern.rows) {
        return;
    }
    xm::Cell& c = cell(b, row, channel);
    c.note = static_cast<std::uint8_t>(note < 0 ? 0 : note + 1);
    c.instrument = static_cast<std::uint8_t>(instrument);
    c.volume = static_cast<std::uint8_t>(volume < 0 ? 0 : kVolSet + std::clamp(volume, 0, 64));
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
    switch (m_style.mode) {
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
    m_progA = pick(m_rnd, a);
    m_progB = pick(m_rnd, b);
    // The answer of each period closes on the tonic through its dominant
    // (or, in the modes without a leading note, through the seventh degree).
    const int approach = m_style.mode == Mode::Minor || m_style.mode == Mode::Dorian ||
                                 m_style.mode == Mode::Mixolydian
                             ? 6
                             : 4;
    m_progA2 = {m_progA[0], m_progA[1], approach, 0};
    m_progB2 = {m_progB[0], m_progB[1], m_progB[2], approach};
}

// The form, in blocks of four bars: intro; A twice (the second fuller); B;
// a solo when the tune has room; a two-bar break; B again; A with its echo;
// the ending.
void Composer::planForm() {
    const double blockSeconds = stepsPerBar() * 4 * m_style.speed * 2.5 / m_style.bpm;
    const int wanted = static_cast<int>(std::lround(m_style.seconds / blockSeconds));
    auto pair = [&](Part part, int variation) {
        Block q, a;
        q.part = a.part = part;
        q.variation = a.variation = variation;
        a.answer = true;
        const bool isB = part == Part::B;
        q.chords = isB ? m_progB : m_progA;
        a.chords = isB ? m_progB2 : m_progA2;
        m_blocks.push_back(q);
        m_blocks.push_back(a);
    };
    Block intro;
    intro.part = Part::Intro;
    intro.chords = m_progA;
    m_blocks.push_back(intro);
    pair(Part::A, 0);
    pair(Part::A, 1);
    pair(Part::B, 0);
    const int base = 13;
    if (wanted >= base + 2) {
        pair(Part::Solo, 0);
    }
    Block br;
    br.part = Part::Break;
    br.chords = {m_progB[0], m_progB[1], m_progB[0], m_progB[1]};
    m_blocks.push_back(br);
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
    m_blocks.push_back(outro);
}

// A chord tone of `degree` near `previous`, leaning in `direction`.
int Composer::pickStrong(int previous, int degree, int direction) {
    std::vector<int> options;
    for (int n = previous - 7; n <= previous + 7; ++n) {
        if (m_key.inChord(n, degree)) {
            options.push_back(n);
        }
    }
    int best = options.front();
    double bestScore = -1e9;
    for (int n : options) {
        const int move = n - previous;
        double score = -std::abs(move) * 0.6 + (move * direction > 0 ? 1.5 : 0.0) +
                       (move == 0 ? -2.5 : 0.0) + m_rnd.unit() * 2.0;
        if (score > bestScore) {
            bestScore = score;
            best = n;
        }
    }
    return best;
}

// One four-bar phrase: bar 1 and 3 share a rhythm, bar 3 repeats bar 1's
// figure moved to its chord (a sequence), bar 4 comes to rest: on the tonic
// in an answer, on another chord tone in a question.
Composer::Phrase Composer::makePhrase(const std::array<int, 4>& chords,
                                      const std::vector<std::string>& rhythms, bool answer,
                                      const Phrase* opening) {
    const int steps = stepsPerBar();
    // The tune sits around D-5, on the third of the key.
    const int centre = Harmony::nearestOfClass(62, m_key.degreeNote(2, 0) % 12);
    const int low = centre - 8, high = centre + 9;
    Phrase phrase;
    int previous = m_key.nearestChordTone(centre - 2 + m_rnd.below(4), chords[0]);
    for (int bar = 0; bar < 4; ++bar) {
        if (bar == 0 && opening) {
            for (const Note& n : *opening) {
                if (n.row < steps) {
                    phrase.push_back(n);
                }
            }
            previous = phrase.back().pitch;
            continue;
        }
        if (bar == 2) {
            // Sequence: bar 1's figure moved by the distance between the roots.
            int shift = ((chords[2] - chords[0]) % 7 + 7) % 7;
            if (shift > 3) {
                shift -= 7;
            }
            for (const Note& n : std::vector<Note>(phrase.begin(), phrase.end())) {
                if (n.row >= steps) {
                    break;
                }
                Note moved = n;
                moved.row += 2 * steps;
                moved.pitch = shift == 0 ? n.pitch : m_key.stepFrom(n.pitch, shift);
                if (moved.row % steps == 0 && !m_key.inChord(moved.pitch, chords[2])) {
                    moved.pitch = m_key.nearestChordTone(moved.pitch, chords[2]);
                }
                moved.pitch = std::clamp(moved.pitch, low - 2, high + 2);
                phrase.push_back(moved);
            }
            previous = phrase.back().pitch;
            continue;
        }
        const std::string& rhythm = rhythms[bar];
        std::vector<int> onsets;
        for (int s = 0; s < steps; ++s) {
            if (rhythm[s] == 'x') {
                onsets.push_back(s);
            }
        }
        // Rising through the first half, falling to the close.
        const int direction = bar < 2 ? (previous < centre + 4 ? 1 : -1) : -1;
        for (size_t k = 0; k < onsets.size(); ++k) {
            const int s = onsets[k];
            const bool last = bar == 3 && k + 1 == onsets.size();
            int pitch;
            if (last) {
                if (answer) {
                    pitch = Harmony::nearestOfClass(previous, m_key.tonic() % 12);
                } else {
                    // An open ending: a chord tone that is not the tonic.
                    pitch = m_key.nearestChordTone(previous + 1, chords[3]);
                    if ((pitch - m_key.tonic()) % 12 == 0) {
                        pitch = m_key.stepFrom(pitch, 2);
                    }
                }
            } else if (s % 4 == 0) {
                pitch = pickStrong(previous, chords[bar], direction);
            } else {
                const double r = m_rnd.unit();
                const int step = r < 0.7 ? 1 : r < 0.9 ? 2 : 3;
                pitch =
                    m_key.stepFrom(previous, step * (m_rnd.chance(0.75) ? direction : -direction));
            }
            if (pitch > high) {
                pitch -= 12;
            } else if (pitch < low) {
                pitch += 12;
            }
            Note n;
            n.row = bar * steps + s;
            n.pitch = pitch;
            int end = s + 1;
            while (end < steps && rhythm[end] == '-') {
                ++end;
            }
            n.length = end - s;
            n.restAfter = end < steps && rhythm[end] == '.';
            phrase.push_back(n);
            previous = pitch;
        }
    }
    // Notes of the sequenced bar run on like those they copy.
    return phrase;
}

Composer::Melody Composer::makeMelody(const std::array<int, 4>& question,
                                      const std::array<int, 4>& answer, bool lyrical) {
    const bool waltz = m_beats == 3;
    const auto& bank = waltz ? (lyrical ? kLyrical3 : kBusy3) : (lyrical ? kLyrical4 : kBusy4);
    const auto& half = waltz ? kHalfCadence3 : kHalfCadence4;
    const auto& full = waltz ? kCadence3 : kCadence4;
    const std::string& m1 = pick(m_rnd, bank);
    std::string m2 = pick(m_rnd, bank);
    if (m2 == m1) {
        m2 = bank[(std::find(bank.begin(), bank.end(), m1) - bank.begin() + 1) % bank.size()];
    }
    Melody melody;
    melody.question = makePhrase(question, {m1, m2, m1, pick(m_rnd, half)}, false, nullptr);
    melody.answer = makePhrase(answer, {m1, m2, m1, pick(m_rnd, full)}, true, &melody.question);
    return melody;
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
                           n.pitch != previous->pitch && m_rnd.chance(0.3);
        if (slide) {
            put(b, n.row, lead, n.pitch + transpose, 0, v, kFxTonePorta, 0x20);
        } else if (arpeggio) {
            put(b, n.row, lead, n.pitch + transpose, instrument, v, kFxArpeggio, arpeggio);
        } else if (m_style.groove == Groove::Swing && n.row % 4 == 2) {
            // Off-beat eighths come half a row late in a shuffle.
            put(b, n.row, lead, n.pitch + transpose, instrument, v, kFxExtended, kExNoteDelay | 3);
        } else {
            put(b, n.row, lead, n.pitch + transpose, instrument, v);
        }
        for (int r = n.row + 1; r < n.row + n.length && r < b.pattern.rows; ++r) {
            if (arpeggio) {
                cell(b, r, lead).effect = kFxArpeggio;
                cell(b, r, lead).param = static_cast<std::uint8_t>(arpeggio);
            } else if (sustained && ornate && n.length >= 6 && r >= n.row + 3) {
                // Vibrato comes in once the note has settled.
                cell(b, r, lead).effect = kFxVibrato;
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
            put(b, n.row + delay, echo, n.pitch + transpose, instrument, volume, kFxPanning, 0x48);
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
        const auto t = m_key.triad(b.chords[bar]);
        const int root = Harmony::nearestOfClass(m_key.degreeNote(0, 4) + 2, t[0]);
        const int figure[] = {root, Harmony::nearestOfClass(root + 4, t[1]),
                              Harmony::nearestOfClass(root + 7, t[2]), root + 12};
        const int order[] = {0, 1, 2, 3, 2, 1, 2, 1};
        for (int s = 0; s < steps; s += 2) {
            int pitch = figure[order[(s / 2) % 8]];
            put(b, bar * steps + s, echo, pitch, Slot::lead2,
                s % 4 == 0 ? kHarpVolume : kHarpVolume - 6, kFxPanning, 0x50);
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
        const auto t = m_key.triad(degree);
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
                v[k] = Harmony::nearestOfClass(m_voicing[k], t[perm[k]]);
                move += std::abs(v[k] - m_voicing[k]);
            }
            // Keep the voices apart and in the middle register.
            std::array<int, 3> sorted = v;
            std::sort(sorted.begin(), sorted.end());
            if (sorted[0] == sorted[1] || sorted[1] == sorted[2]) {
                move += 50;
            }
            const int centre = (sorted[0] + sorted[2]) / 2;
            move += std::abs(centre - (m_key.degreeNote(0, 4) + 5)) / 2;
            if (move < bestMove) {
                bestMove = move;
                bestVoicing = v;
            }
        } while (std::next_permutation(perm.begin(), perm.end()));
        m_voicing = bestVoicing;
        for (int k = 0; k < 3; ++k) {
            put(b, bar * steps, pad0 + k, m_voicing[k], Slot::pad,
                fadeIn && bar == 0 ? 2 : kPadVolume, kFxPanning, pans[k]);
        }
    }
    if (fadeIn) {
        // A slow swell over the first bars: one step louder every row.
        for (int r = 1; r <= kPadVolume; ++r) {
            for (int k = 0; k < 3; ++k) {
                if (cell(b, r, pad0 + k).volume == 0) {
                    cell(b, r, pad0 + k).volume = kVolFineUp | 1;
                }
            }
        }
    }
}

// The bass line of the groove: roots, octaves, fifths and thirds of each
// bar's chord, with a step leading into the next chord.
void Composer::writeBass(Block& b, bool busy) {
    const std::string figure =
        busy ? figuresOf(m_style.groove).busyBass : figuresOf(m_style.groove).bass;
    const int steps = stepsPerBar();
    const int rootLow = m_key.degreeNote(0, 2) - 2;
    for (int bar = 0; bar < 4; ++bar) {
        const int degree = b.chords[bar];
        const auto t = m_key.triad(degree);
        const int root = Harmony::nearestOfClass(rootLow + 5, t[0]);
        const int nextDegree = bar < 3 ? b.chords[bar + 1] : b.chords[0];
        const int nextRoot = Harmony::nearestOfClass(root, m_key.triad(nextDegree)[0]);
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
                pitch = m_key.stepFrom(nextRoot, nextRoot > root ? -1 : 1);
                break;
            case '.':
                keyOff(b, row, bass);
                continue;
            default:
                continue;
            }
            const int volume = s == 0 ? kBassVolume + 4 : kBassVolume;
            const bool glide =
                (m_style.groove == Groove::HalfTime || m_style.groove == Groove::Swing) && s == 0 &&
                bar > 0 && m_rnd.chance(0.25);
            if (glide) {
                put(b, row, bass, pitch, 0, volume, kFxTonePorta, 0x30);
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
        const int root = Harmony::nearestOfClass(63, m_key.triad(degree)[0]);
        const int param = m_key.arpeggio(degree);
        for (int s = 0; s < steps; ++s) {
            const int row = bar * steps + s;
            if (s % 4 == 0) {
                put(b, row, arp, root, Slot::chip, s == 0 ? kArpVolume + 3 : kArpVolume,
                    kFxArpeggio, param);
            } else {
                cell(b, row, arp).effect = kFxArpeggio;
                cell(b, row, arp).param = static_cast<std::uint8_t>(param);
            }
        }
    }
}

// Drums of the groove. Intensity 0 is kick and hats, 1 adds the backbeat,
// 2 adds open hats and ghost notes. A fill closes the block when asked.
void Composer::writeDrums(Block& b, int intensity, bool fill) {
    const GrooveFigures& g = figuresOf(m_style.groove);
    const std::string k = g.kick, s = g.snare, h = g.hats;
    const int steps = stepsPerBar();
    const bool swing = m_style.groove == Groove::Swing;
    for (int bar = 0; bar < 4; ++bar) {
        const bool fillBar = fill && bar == 3;
        for (int st = 0; st < steps; ++st) {
            const int row = bar * steps + st;
            const bool offbeat = swing && st % 4 == 2;
            const int delay = offbeat ? kExNoteDelay | 3 : 0;
            const int fx = delay ? kFxExtended : 0;
            if (k[st] == 'x') {
                put(b, row, kick, 48, Slot::kick, st == 0 ? kKickVolume : kKickVolume - 6);
            }
            if (fillBar && st >= steps - 4) {
                // Toms falling through the last beat.
                const int toms[] = {55, 52, 48, 45};
                put(b, row, snare, toms[st - (steps - 4)], Slot::tom, 36 + (st - (steps - 4)) * 2);
                continue;
            }
            if (intensity >= 1 && s[st] == 'x') {
                put(b, row, snare, 48, Slot::snare, kSnareVolume);
            } else if (intensity >= 2 && s[st] == 'g') {
                put(b, row, snare, 48, Slot::snare, 14, fx, delay);
            }
            if (h[st] == 'x' || h[st] == 'g') {
                int v = h[st] == 'x' ? kHatVolume : kHatVolume - 8;
                if (st % 4 == 0) {
                    v += 4;
                }
                put(b, row, hats, 48, Slot::hatClosed, v, fx, delay);
            } else if (h[st] == 'o') {
                put(b, row, hats, 48, intensity >= 2 ? Slot::hatOpen : Slot::hatClosed, kHatVolume);
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
    put(b, 0, bass,
        Harmony::nearestOfClass(m_key.degreeNote(0, 2) + 3, m_key.triad(b.chords[0])[0]),
        Slot::bass, kBassVolume);
    // The pads breathe out over the second bar, then the break cuts in.
    for (int r = steps; r < 2 * steps - 1; ++r) {
        for (int k = 0; k < 3; ++k) {
            xm::Cell& c = cell(b, r, pad0 + k);
            if (c.effect == 0 && c.note == 0) {
                c.effect = kFxVolumeSlide;
                c.param = 0x01;
            }
        }
    }
    const int last = 2 * steps - 1;
    cell(b, last, hats).effect = kFxPatternBreak;
    cell(b, last, hats).param = 0;
}

// The last chord rings out while the tempo eases back, everything fades,
// and a quiet bar lets the tails die before the order list runs out.
void Composer::writeOutro(Block& b) {
    const int steps = stepsPerBar();
    writePads(b, false);
    const int tonicLow = Harmony::nearestOfClass(m_key.degreeNote(0, 2) + 3, m_key.tonic() % 12);
    put(b, 0, bass, tonicLow, Slot::bass, kBassVolume);
    put(b, 0, kick, 48, Slot::kick, kKickVolume);
    put(b, 0, hats, 48, Slot::crash, 32);
    const int final = Harmony::nearestOfClass(m_key.degreeNote(0, 5), m_key.tonic() % 12);
    put(b, 0, lead, final, Slot::lead, kLeadVolume);
    put(b, 0, echo, final + 7, Slot::lead2, kHarpVolume, kFxPanning, 0x50);
    // Each part fades by fine steps so that it reaches silence with the
    // fourth bar; the held lead keeps a slow vibrato and slides out.
    const int fadeRows = 4 * steps - 1;
    const std::pair<int, int> parts[] = {{pad0, kPadVolume},
                                         {pad1, kPadVolume},
                                         {pad2, kPadVolume},
                                         {bass, kBassVolume},
                                         {echo, kHarpVolume}};
    for (int r = 1; r <= fadeRows; ++r) {
        for (auto [ch, start] : parts) {
            if (r * start / fadeRows != (r - 1) * start / fadeRows) {
                cell(b, r, ch).volume = kVolFineDown | 1;
            }
        }
        if (r >= 3) {
            const bool sliding = r >= 3 * steps && r % 2 == 0;
            cell(b, r, lead).effect = sliding ? kFxVolumeSlide : kFxVibrato;
            cell(b, r, lead).param = sliding ? 0x01 : r == 3 ? 0x42 : 0x00;
            if (!sliding && r * kLeadVolume / fadeRows != (r - 1) * kLeadVolume / fadeRows) {
                cell(b, r, lead).volume = kVolFineDown | 1;
            }
        }
    }
    // Slower each bar.
    for (int bar = 1; bar < 4; ++bar) {
        cell(b, bar * steps, kick).effect = kFxTempo;
        cell(b, bar * steps, kick).param =
            static_cast<std::uint8_t>(m_style.bpm - bar * m_style.bpm / 10);
    }
    for (int ch = 0; ch < channelCount; ++ch) {
        keyOff(b, 4 * steps, ch);
    }
}

void Composer::writeBlock(Block& b) {
    const int steps = stepsPerBar();
    const int rows = steps * (b.part == Part::Outro ? 5 : 4);
    b.pattern = xm::Pattern(rows, channelCount);
    const bool waltz = m_beats == 3;
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
        const Phrase& p = b.answer ? m_melodyA.answer : m_melodyA.question;
        writeLead(b, p, Slot::lead, kLeadVolume, b.variation > 0, 0, 0);
        writePads(b, false);
        writeBass(b, b.variation > 0);
        if (b.variation >= 1) {
            writeArps(b);
        }
        if (b.variation >= 2) {
            writeEcho(b, p, Slot::lead, kEchoVolume, 0);
        }
        writeDrums(b, waltz ? 1 + b.variation / 2 : std::min(2, b.variation + 1), b.answer);
        break;
    }
    case Part::B: {
        const Phrase& p = b.answer ? m_melodyB.answer : m_melodyB.question;
        writeLead(b, p, Slot::lead, kLeadVolume, true, 0, 0);
        writePads(b, false);
        writeBass(b, b.variation > 0);
        if (b.variation == 0) {
            writeHarp(b);
        } else {
            writeArps(b);
            writeEcho(b, p, Slot::lead, kEchoVolume, 0);
        }
        writeDrums(b, waltz ? 1 : 1 + b.variation, b.answer);
        break;
    }
    case Part::Solo: {
        // The A tune on the chip an octave up, rolling in octaves, with echo.
        const Phrase& p = b.answer ? m_melodyA.answer : m_melodyA.question;
        writeLead(b, p, Slot::chip, kLeadVolume - 10, false, 12, 0x0C);
        writeEcho(b, p, Slot::lead2, kHarpVolume, 0);
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
    const bool lyricalA = m_style.groove == Groove::Waltz || m_style.groove == Groove::HalfTime;
    m_melodyA = makeMelody(m_progA, m_progA2, lyricalA);
    m_melodyB = makeMelody(m_progB, m_progB2, !lyricalA || m_rnd.chance(0.5));
    planForm();
    m_voicing = {m_key.degreeNote(0, 4), m_key.degreeNote(2, 4), m_key.degreeNote(4, 4)};

    xm::Song song;
    song.name = m_style.title;
    song.channels = channelCount;
    song.linearFrequencies = true;
    song.speed = m_style.speed;
    song.bpm = m_style.bpm;
    song.instruments = InstrumentBank::make(m_style.timbre);
    song.orders.clear();
    for (Block& b : m_blocks) {
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
