#pragma once

#include "audio/EnvelopeState.h"
#include "audio/XmCommands.h"

struct Instrument;
struct Sample;

// The replay state of one pattern channel.
struct ChannelState {
    // What writing the channel to its voice updates (bits of flags).
    static constexpr int frequencyFlag = 1;
    static constexpr int volumeFlag = 2;
    static constexpr int panningFlag = 4;
    static constexpr int triggerFlag = 8;
    static constexpr int stopFlag = 32;

    int note = 0; // 0..95
    Instrument* instrument = nullptr;
    const Sample* sample = nullptr;
    int flags = 0;
    int voice = 0;

    int period = 0;
    int periodDelta = 0;
    int volume = 0;
    int tremoloDelta = 0;
    int panning = 0;
    int notePeriod = 0;
    int sampleOffset = 0;

    EnvelopeState volumeEnvelope;
    EnvelopeState panningEnvelope;
    bool keyOff = false;
    int fadeoutVolume = 0;
    int autoVibratoPosition = 0;
    int autoVibratoSweep = 0;

    // Effect memories.
    int portaUpMemory = 0;
    int portaDownMemory = 0;
    int tonePortaSpeed = 0;
    int tonePortaTarget = 0;
    int vibratoPosition = 0;
    int vibratoSpeed = 0;
    int vibratoDepth = 0;
    int tremoloPosition = 0;
    int tremoloSpeed = 0;
    int tremoloDepth = 0;
    int volumeSlideMemory = 0;
    int panningSlideMemory = 0;
    int sampleOffsetMemory = 0;
    int retriggerMemory = 0;
    int tremorCounter = 0;
    int tremorOn = 0;
    int tremorOff = 0;
    int finePortaUpMemory = 0;
    int finePortaDownMemory = 0;
    int fineVolumeUpMemory = 0;
    int fineVolumeDownMemory = 0;
    int extraFineUpMemory = 0;
    int extraFineDownMemory = 0;
    int loopRow = 0;
    int loopCount = 0;
    int waveControl = 0; // vibrato in the low nibble, tremolo in the high one

    // The cell of the row in force (its later ticks need it).
    int cellNote = 0;
    int cellInstrument = 0;
    int volumeColumn = 0;
    xm::Effect effect = xm::Effect::Arpeggio;
    int param = 0;
    xm::Effect previousEffect = xm::Effect::Arpeggio;

    // What a delayed note restores at its row.
    int savedVolume = 0;
    int savedPeriod = 0;
    int savedPanning = 0;

    // Volume and panning slides, held within 0..64 and 0..255.
    void addVolume(int delta);
    void addPanning(int delta);
};
