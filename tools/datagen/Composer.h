#pragma once

#include "Harmony.h"
#include "Melodist.h"
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
    static constexpr int lead = 0;
    static constexpr int echo = 1;
    static constexpr int pad0 = 2; // three pad voices
    static constexpr int pad1 = 3;
    static constexpr int pad2 = 4;
    static constexpr int bass = 5;
    static constexpr int arp = 6;
    static constexpr int kick = 7;
    static constexpr int snare = 8;
    static constexpr int hats = 9;
    static constexpr int channelCount = 10;

private:
    enum class Part { Intro, A, B, Solo, Break, Outro };

    struct Block {
        Part part = Part::A;
        int variation = 0;
        bool answer = false;
        std::array<int, 4> chords{}; // scale degree of each bar
        xm::Pattern pattern;
    };

    using Note = Melodist::Note;
    using Phrase = Melodist::Phrase;
    using Melody = Melodist::Melody;

    void planForm();
    void chooseProgressions();
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

    int stepsPerBar() const { return beats_ * 4; }

    TuneStyle style_;
    Harmony key_;
    SeededRandom random_;
    int beats_;
    Melodist melodist_;
    std::array<int, 4> progA_{}, progA2_{}, progB_{}, progB2_{};
    Melody melodyA_, melodyB_;
    std::vector<Block> blocks_;
    std::array<int, 3> voicing_{};
};
