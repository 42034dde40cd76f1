#pragma once

#include "Harmony.h"
#include "SeededRandom.h"

#include <array>
#include <string>
#include <vector>

// Melodies of a tune: two four-bar phrases, a question and its answer, built
// from rhythm motifs over the chords of the tune's key.
class Melodist {
public:
    struct Note {
        int row = 0; // from the start of the phrase
        int length = 1;
        int pitch = 0;
        bool restAfter = false; // a key-off ends it
    };
    using Phrase = std::vector<Note>;

    struct Melody {
        Phrase question, answer;
    };

    // Draws from random, which the rest of the tune shares, in the order of
    // the calls.
    Melodist(const Harmony& key, SeededRandom& random, int beats);

    Melody makeMelody(const std::array<int, 4>& question, const std::array<int, 4>& answer,
                      bool lyrical);

private:
    Phrase makePhrase(const std::array<int, 4>& chords, const std::vector<std::string>& rhythms,
                      bool answer, const Phrase* opening);
    int pickStrong(int previous, int degree, int direction);
    int stepsPerBar() const { return beats_ * 4; }

    const Harmony& key_;
    SeededRandom& random_;
    int beats_;
};
