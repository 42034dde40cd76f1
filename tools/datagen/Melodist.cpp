#include "Melodist.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Melody rhythms, one bar each: x a new note, - held, . silent.
const std::vector<std::string> busy4 = {
    "x-x-x---x-x-x---", "x---x-x-x---x---", "x--x--x-x-x-x---", "x-x.x-x-x---x-x-",
    "x---x---x-x-x-x-", "x-x-x-x-x---x---", "x--x--x---x-x---", "x.x.x---x-x-x---",
};
const std::vector<std::string> lyrical4 = {
    "x-------x---x---", "x-----x-x-------", "x---x---x-------",
    "x-----x---x-x---", "x---x-----x-x---", "x-----x-x---x---",
};
const std::vector<std::string> halfCadence4 = {"x---x---x-------", "x-x-x---x-------",
                                               "x-------x-------"};
const std::vector<std::string> cadence4 = {"x---x---x-------", "x-------x-------",
                                           "x-x-x-----------"};
const std::vector<std::string> busy3 = {"x---x-x-x---", "x-x-x---x---", "x-----x-x-x-",
                                        "x---x---x-x-"};
const std::vector<std::string> lyrical3 = {"x-------x---", "x-----x---x-", "x---x---x---"};
const std::vector<std::string> halfCadence3 = {"x---x-------", "x-x-x---x---"};
const std::vector<std::string> cadence3 = {"x---x-------", "x-----------"};

} // namespace

Melodist::Melodist(const Harmony& key, SeededRandom& random, int beats)
    : key_(key), random_(random), beats_(beats) {}

// A chord tone of `degree` near `previous`, leaning in `direction`.
int Melodist::pickStrong(int previous, int degree, int direction) {
    std::vector<int> options;
    for (int n = previous - 7; n <= previous + 7; ++n) {
        if (key_.inChord(n, degree)) {
            options.push_back(n);
        }
    }
    int best = options.front();
    double bestScore = -1e9;
    for (int n : options) {
        const int move = n - previous;
        double score = -std::abs(move) * 0.6 + (move * direction > 0 ? 1.5 : 0.0) +
                       (move == 0 ? -2.5 : 0.0) + random_.unit() * 2.0;
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
Melodist::Phrase Melodist::makePhrase(const std::array<int, 4>& chords,
                                      const std::vector<std::string>& rhythms, bool answer,
                                      const Phrase* opening) {
    const int steps = stepsPerBar();
    // The tune sits around D-5, on the third of the key.
    const int centre = Harmony::nearestOfClass(62, key_.degreeNote(2, 0) % 12);
    const int low = centre - 8, high = centre + 9;
    Phrase phrase;
    int previous = key_.nearestChordTone(centre - 2 + random_.below(4), chords[0]);
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
                moved.pitch = shift == 0 ? n.pitch : key_.stepFrom(n.pitch, shift);
                if (moved.row % steps == 0 && !key_.inChord(moved.pitch, chords[2])) {
                    moved.pitch = key_.nearestChordTone(moved.pitch, chords[2]);
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
                    pitch = Harmony::nearestOfClass(previous, key_.tonic() % 12);
                } else {
                    // An open ending: a chord tone that is not the tonic.
                    pitch = key_.nearestChordTone(previous + 1, chords[3]);
                    if ((pitch - key_.tonic()) % 12 == 0) {
                        pitch = key_.stepFrom(pitch, 2);
                    }
                }
            } else if (s % 4 == 0) {
                pitch = pickStrong(previous, chords[bar], direction);
            } else {
                const double r = random_.unit();
                const int step = r < 0.7 ? 1 : r < 0.9 ? 2 : 3;
                pitch =
                    key_.stepFrom(previous, step * (random_.chance(0.75) ? direction : -direction));
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

Melodist::Melody Melodist::makeMelody(const std::array<int, 4>& question,
                                      const std::array<int, 4>& answer, bool lyrical) {
    const bool waltz = beats_ == 3;
    const auto& bank = waltz ? (lyrical ? lyrical3 : busy3) : (lyrical ? lyrical4 : busy4);
    const auto& half = waltz ? halfCadence3 : halfCadence4;
    const auto& full = waltz ? cadence3 : cadence4;
    const std::string& m1 = random_.pick(bank);
    std::string m2 = random_.pick(bank);
    if (m2 == m1) {
        m2 = bank[(std::find(bank.begin(), bank.end(), m1) - bank.begin() + 1) % bank.size()];
    }
    Melody melody;
    melody.question = makePhrase(question, {m1, m2, m1, random_.pick(half)}, false, nullptr);
    melody.answer = makePhrase(answer, {m1, m2, m1, random_.pick(full)}, true, &melody.question);
    return melody;
}
