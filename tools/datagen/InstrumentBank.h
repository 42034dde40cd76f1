#pragma once

#include "xmwriter/XmSong.h"

#include <cstdint>

// Synthesised tracker instruments: looped waveforms for the pitched parts,
// one-shot hits for the drums, each with a volume envelope and a fadeout.
// Pitched samples are tuned so that note C-4 sounds at 261.63 Hz.
class InstrumentBank {
public:
    // Colour of one tune's instruments (from its seed and mood).
    struct Timbre {
        std::uint64_t seed = 1;
        double brightness = 0.5; // 0 mellow .. 1 bright
        double detune = 0.5;     // pad chorus depth, 0 .. 1
        double pulseWidth = 0.5; // of the chip voice, 0.1 .. 0.5
        bool bellLead = false;   // the second lead rings like a bell, else plucks
    };

    // The instrument numbers the composer writes (1-based, as in patterns).
    enum Slot {
        lead = 1,
        lead2,
        pad,
        bass,
        chip,
        kick,
        snare,
        hatClosed,
        hatOpen,
        crash,
        tom,
        leadEcho, // the lead again, heard from the left
        slotCount = leadEcho
    };

    static std::vector<xm::Instrument> make(const Timbre& timbre);

    // Relative note and finetune that make a waveform whose period is
    // `periodSamples` sound at C-4 when note C-4 plays.
    static void tune(xm::Sample& sample, double periodSamples);
};
