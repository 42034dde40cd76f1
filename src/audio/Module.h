#pragma once

#include "audio/ChannelState.h"
#include "audio/Instrument.h"
#include "audio/Pattern.h"
#include "audio/Sample.h"
#include "audio/Voice.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// One loaded XM song and its replay state: the order list, patterns,
// instruments and samples, the channels that the patterns drive and the 64
// voices that sound. The tick function steps the song; mixing the voices
// turns it into sound.
class Module {
public:
    static constexpr int maxChannels = 32;
    static constexpr int voiceCount = 64;
    static constexpr int rate = 44100;

    Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Song data, as loaded.
    std::vector<Pattern> patterns; // patternSlots entries
    std::vector<Instrument> instruments;
    std::vector<std::unique_ptr<Sample>> samples; // owned; instruments point here
    Sample emptySample;
    Instrument emptyInstrument;
    int songLength = 0;
    int restartPosition = 0;
    int channelCount = 0;
    int usedPatterns = 0;
    int patternSlots = 0;
    int instrumentCount = 0;
    int flags = 0;
    int defaultSpeed = 6;
    int defaultBpm = 125;
    std::array<std::uint8_t, 256> orderTable{};
    int initialGlobalVolume = 64;

    // Replay state.
    int samplesLeftInTick = 0;
    int samplesPerTick = 0;
    int globalVolume = 64;
    int globalSlideMemory = 0;
    int tick = 0;
    int speed = 6;
    int bpm = 125;
    int row = 0;
    int order = 0;
    int patternDelayTicks = 0;
    int nextRow = -1;
    int nextOrder = -1;
    // Set when the song ran off the end of its order list, with the output
    // frame at which its last row was over.
    bool ended = false;
    std::uint64_t endFrame = 0;
    std::uint64_t framesMixed = 0;
    std::array<ChannelState, maxChannels> channels{};
    std::array<Voice, voiceCount> voices{};

    bool linearFrequencies() const { return (flags & 1) != 0; }

    // Back to the start of the song: position, speed, tempo, global volume,
    // channels (channel c on voice c) and silent voices.
    void restart();
    void setBpm(int bpm);
    // One replay step.
    void tickFunction();
    // Adds frames of sound into an interleaved stereo float buffer, calling
    // the tick function whenever a tick is due.
    void render(float* out, int frames);
    // Adds frames of every voice, voice 0 first, without stepping the song.
    void mixVoices(float* out, int frames);

private:
    void processRow();
    void processChannelRow(ChannelState& ch, const std::uint8_t* cell);
    void processChannelTick(ChannelState& ch);
    void lookUpSample(ChannelState& ch);
    void resetFromSample(ChannelState& ch);
    bool volumeColumnSlide(ChannelState& ch);
    void volumeColumnAtRow(ChannelState& ch);
    void volumeColumnAtTick(ChannelState& ch);
    void rowEffect(ChannelState& ch);
    void extendedRowEffect(ChannelState& ch, xm::Extended command, int y);
    void tickEffect(ChannelState& ch);
    void envelopesAndFadeout(ChannelState& ch);
    void autoVibrato(ChannelState& ch);
    void writeVoice(ChannelState& ch);

    void tonePorta(ChannelState& ch);
    void vibrato(ChannelState& ch, bool advance);
    void tremolo(ChannelState& ch);
    void tremor(ChannelState& ch);
    void volumeSlide(ChannelState& ch);
    void arpeggio(ChannelState& ch);
    void multiRetrigger(ChannelState& ch);
    int notePeriod(int note, const Sample& sample, int finetune) const;

    bool jumpThisRow_ = false;
    // The row in force is the song's last: it ends when the row is over.
    bool endsAfterRow_ = false;
};
