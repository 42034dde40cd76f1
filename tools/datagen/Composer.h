#pragma once

#include "Harmony.h"
#include "SeededRandom.h"
#include "TuneStyle.h"
#include "xmwriter/XmSong.h"

#include <array>
#include <string>
#include <vector>

// Writes one tune as a tracker module: a form of intro, A and B sections,
// a solo, a break and an ending over chord progressions of the tune's key;
// melodies built from rhythm motifs in question-and-answer phrases; pads,
// bass, arpeggios and drums in the tune's groove; and the effects a tracker
// musician plays with (arpeggio, vibrato, portamento, volume slides, note
// delays, a pattern break and a slowing ending). The song ends by running
// off its order list.
class Composer {
public:
    explicit Composer(const TuneStyle& style);

    xm::Song compose();

    // The channels, in pattern order.
    enum Channel { lead, echo, pad0, pad1, pad2, bass, arp, kick, snare, hats, channelCount };

private:
    enum class Part { Intro, A, B, Solo, Break, Outro };

    struct Block {
        Part part = Part::A;
        int variation = 0;
        bool answer = false;
        std::array<int, 4> chords{}; // scale degree of each bar
        xm::Pattern pattern;
    };

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

    void planForm();
    void chooseProgressions();
    Melody makeMelody(const std::array<int, 4>& question, const std::array<int, 4>& answer,
                      bool lyrical);
    Phrase makePhrase(const std::array<int, 4>& chords, const std::vector<std::string>& rhythms,
                      bool answer, const Phrase* opening);
    int pickStrong(int previous, int degree, int direction);

    void writeBlock(Block& b);
    void writeLead(Block& b, const Phrase& phrase, int instrument, int volume, bool ornate,
                   int transpose, int arpeggio);
    void writeEcho(Block& b, const Phrase& phrase, int instrument, int volume, int transpose);
    void writeHarp(Block& b);
    void writePads(Block& b, bool fadeIn);
    void writeBass(Block& b, bool busy);
    void writeArps(Block& b);
    void writeDrums(Block& b, int intensity, bool fill);
    void writeIntro(Block& b);
    void writeBreak(Block& b);
    void writeOutro(Block& b);

    xm::Cell& cell(Block& b, int row, int channel) { return b.pattern.at(row, channel); }
    void put(Block& b, int row, int channel, int note, int instrument, int volume, int effect = 0,
             int param = 0);
    void keyOff(Block& b, int row, int channel);

    int stepsPerBar() const { return m_beats * 4; }

    TuneStyle m_style;
    Harmony m_key;
    SeededRandom m_rnd;
    int m_beats;
    std::array<int, 4> m_progA{}, m_progA2{}, m_progB{}, m_progB2{};
    Melody m_melodyA, m_melodyB;
    std::vector<Block> m_blocks;
    std::array<int, 3> m_voicing{};
};
