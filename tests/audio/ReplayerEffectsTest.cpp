// Notes, instruments, the volume column, effects, envelopes and vibrato.
#include "ModuleTestSongs.h"
#include "audio/PeriodTable.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace testsongs;

namespace {

const Voice& voiceOf(const Module& m, int channel) {
    return m.voices[m.channels[channel].voice];
}

double semitones(int frequency, int base) {
    return 12.0 * std::log2(double(frequency) / base);
}

} // namespace

TEST(ReplayerEffects, NotesOnBothFrequencyTables) {
    for (bool linear : {true, false}) {
        xm::Song s = song(4);
        s.linearFrequencies = linear;
        s.patterns[0].at(0, 0) = cell("C-4");
        s.patterns[0].at(1, 0) = cell("A-4");
        auto m = load(s);
        ticks(*m, 1);
        EXPECT_EQ(m->channels[0].period, linear ? 4608 : 1712);
        EXPECT_EQ(voiceOf(*m, 0).frequency, linear ? 8363 : 14317056 / 1712);
        ticks(*m, 6);
        EXPECT_NEAR(semitones(voiceOf(*m, 0).frequency, 8363), 9.0, 0.02) << linear;
    }
}

TEST(ReplayerEffects, FinetuneAndRelativeNoteShiftThePeriod) {
    xm::Sample sample = sine();
    sample.relativeNote = 12;
    sample.finetune = -64;
    xm::Song s = song(4, 1, sample);
    s.patterns[0].at(0, 0) = cell("C-4");
    auto m = load(s);
    ticks(*m, 1);
    EXPECT_EQ(m->channels[0].period, 7680 - 64 * 60 + 32);

    s.linearFrequencies = false;
    m = load(s);
    ticks(*m, 1);
    const int p = PeriodTable::amiga(60);
    EXPECT_EQ(m->channels[0].period, p + 64 * (PeriodTable::amiga(59) - p) / 128);
}

TEST(ReplayerEffects, SetFinetunePlaysItsNoteAtThatFinetuneAndLeavesTheSampleAlone) {
    for (bool linear : {true, false}) {
        xm::Song effect = song(4);
        effect.linearFrequencies = linear;
        effect.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0xE, 0x53); // (3 - 8) x 16 = -80
        effect.patterns[0].at(1, 0) = cell("C-4");
        xm::Song tuned = effect;
        tuned.patterns[0].at(0, 0) = cell("C-4");
        tuned.instruments[0].samples[0].finetune = -80;
        auto a = load(effect);
        auto b = load(tuned);
        // Row 0 sounds as the sample tuned to -80: 62.5 cents flat of C-4.
        EXPECT_EQ(renderFloat(*a, 6 * 882), renderFloat(*b, 6 * 882)) << linear;
        EXPECT_NEAR(semitones(voiceOf(*a, 0).frequency, 8363), -0.625, 0.02) << linear;
        EXPECT_EQ(a->samples[0]->finetune, 0);
        // Row 1 has no E5: the sample's own finetune again.
        ticks(*a, 1);
        EXPECT_EQ(a->channels[0].period, linear ? 4608 : 1712);
        EXPECT_EQ(voiceOf(*a, 0).frequency, linear ? 8363 : 14317056 / 1712);
    }
}

TEST(ReplayerEffects, ArpeggioOnBothFrequencyTables) {
    for (bool linear : {true, false}) {
        xm::Song s = song(4);
        s.linearFrequencies = linear;
        s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0x0, 0x47);
        auto m = load(s);
        const int want[] = {0, 4, 7, 0, 4, 7};
        for (int t = 0; t < 6; ++t) {
            ticks(*m, 1);
            EXPECT_NEAR(semitones(voiceOf(*m, 0).frequency, 8363), want[t], 0.02)
                << "linear " << linear << " tick " << t;
        }
    }
}

TEST(ReplayerEffects, PortamentoUpAndDown) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0x1, 0x02);
    s.patterns[0].at(1, 0) = fx(0x2, 0x00); // memory of its own: still 0
    s.patterns[0].at(2, 0) = fx(0x2, 0x03);
    auto m = load(s);
    ticks(*m, 6);
    EXPECT_EQ(m->channels[0].period, 4608 - 5 * 8);
    ticks(*m, 6);
    EXPECT_EQ(m->channels[0].period, 4608 - 5 * 8);
    ticks(*m, 6);
    EXPECT_EQ(m->channels[0].period, 4608 - 5 * 8 + 5 * 12);
}

TEST(ReplayerEffects, TonePortamentoSlidesToTheNoteWithoutRetriggering) {
    xm::Song s = song(8);
    s.patterns[0].at(0, 0) = cell("C-4");
    s.patterns[0].at(1, 0) = cell("C-5", 0, 0, 0x3, 0x10);
    s.patterns[0].at(2, 0) = fx(0x3, 0x00);
    s.patterns[0].at(3, 0) = fx(0x3, 0x00);
    auto m = load(s);
    ticks(*m, 6 + 1);
    const ChannelState& ch = m->channels[0];
    EXPECT_EQ(ch.period, 4608);
    EXPECT_EQ(ch.tonePortaTarget, 3840);
    EXPECT_EQ(ch.voice, 0);
    ticks(*m, 5);
    EXPECT_EQ(ch.period, 4608 - 5 * 64);
    ticks(*m, 6);
    EXPECT_EQ(ch.period, 4608 - 10 * 64);
    ticks(*m, 6);
    EXPECT_EQ(ch.period, 3840); // stops on the target
    EXPECT_EQ(ch.voice, 0);     // the note went on sounding
    EXPECT_EQ(ch.note, 48);     // and was never replaced

    // The volume column's portamento: speed y x 16.
    s.patterns[0].at(1, 0) = cell("C-5", 0, 0xF1);
    s.patterns[0].at(2, 0) = xm::Cell{};
    m = load(s);
    ticks(*m, 6 + 6);
    EXPECT_EQ(m->channels[0].period, 4608 - 5 * 64);
    EXPECT_EQ(m->channels[0].voice, 0);
}

TEST(ReplayerEffects, VolumeColumn) {
    xm::Song s = song(8);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0x30);
    s.patterns[0].at(1, 0) = fx(0, 0, 0x62);
    s.patterns[0].at(2, 0) = fx(0, 0, 0x73);
    s.patterns[0].at(3, 0) = fx(0, 0, 0x84);
    s.patterns[0].at(4, 0) = fx(0, 0, 0x9F);
    s.patterns[0].at(5, 0) = fx(0, 0, 0xC4);
    s.patterns[0].at(6, 0) = fx(0, 0, 0xD3);
    s.patterns[0].at(7, 0) = fx(0, 0, 0x50);
    auto m = load(s);
    const ChannelState& ch = m->channels[0];
    ticks(*m, 1);
    EXPECT_EQ(ch.volume, 32);
    ticks(*m, 6);
    EXPECT_EQ(ch.volume, 30); // also on the row's own tick
    ticks(*m, 5);
    EXPECT_EQ(ch.volume, 20);
    ticks(*m, 6);
    EXPECT_EQ(ch.volume, 38);
    ticks(*m, 6);
    EXPECT_EQ(ch.volume, 34); // fine: the row only
    ticks(*m, 6);
    EXPECT_EQ(ch.volume, 49);
    ticks(*m, 6);
    EXPECT_EQ(ch.panning, 64);
    ticks(*m, 6);
    EXPECT_EQ(ch.panning, 64 - 18);
    ticks(*m, 1);
    EXPECT_EQ(ch.volume, 64);
}

TEST(ReplayerEffects, VolumeEffectsAndTheirMemories) {
    xm::Song s = song(6);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0xA, 0x02);
    s.patterns[0].at(1, 0) = fx(0xA, 0x00);
    s.patterns[0].at(2, 0) = fx(0xC, 0x50);
    s.patterns[0].at(3, 0) = fx(0xE, 0xB5);
    s.patterns[0].at(4, 0) = fx(0xE, 0xA0);
    s.patterns[0].at(5, 0) = fx(0xE, 0xC2);
    auto m = load(s);
    const ChannelState& ch = m->channels[0];
    ticks(*m, 6);
    EXPECT_EQ(ch.volume, 54);
    ticks(*m, 6);
    EXPECT_EQ(ch.volume, 44);
    ticks(*m, 1);
    EXPECT_EQ(ch.volume, 64); // C clamps
    ticks(*m, 6);
    EXPECT_EQ(ch.volume, 59);
    ticks(*m, 6);
    EXPECT_EQ(ch.volume, 59); // EA0 with nothing remembered yet: EA has its own memory
    ticks(*m, 6 + 1);
    EXPECT_EQ(ch.volume, 59);
    ticks(*m, 1);
    EXPECT_EQ(ch.volume, 0); // note cut at tick 2
}

TEST(ReplayerEffects, GlobalVolumeAndItsSlide) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0x10, 0x20); // G20
    s.patterns[0].at(1, 0) = fx(0x11, 0x03);                // H03
    auto m = load(s);
    ticks(*m, 1);
    EXPECT_EQ(m->globalVolume, 32);
    EXPECT_FLOAT_EQ(voiceOf(*m, 0).finalVolume, 64.0f * 64 * 65536 * 32 * 255 / 0x1p35);
    ticks(*m, 5 + 6);
    EXPECT_EQ(m->globalVolume, 32 - 15);
}

TEST(ReplayerEffects, InstrumentByteAbove128IsNoInstrument) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0x20);
    auto plain = load(s);
    s.patterns[0].at(2, 0) = cell(nullptr, 200);
    auto with200 = load(s);
    ASSERT_TRUE(with200);
    EXPECT_EQ(with200->patterns[0].cell(2, 0, 1)[1], 0);
    ticks(*plain, 24);
    ticks(*with200, 24);
    EXPECT_EQ(with200->channels[0].volume, 16);
    EXPECT_EQ(renderFloat(*plain, 20000), renderFloat(*with200, 20000));

    // A valid instrument byte on its own resets the volume from the sample.
    s.patterns[0].at(2, 0) = cell(nullptr, 1);
    auto reset = load(s);
    ticks(*reset, 13);
    EXPECT_EQ(reset->channels[0].volume, 64);
}

TEST(ReplayerEffects, InstrumentBeyondTheCountIsSilent) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 5);
    auto m = load(s);
    ticks(*m, 1);
    EXPECT_EQ(m->channels[0].sample, &m->emptySample);
    EXPECT_EQ(m->channels[0].volume, 0);
    for (float v : renderFloat(*m, 4000)) {
        ASSERT_EQ(v, 0.0f);
    }
}

TEST(ReplayerEffects, NoteDelayTriggersAtItsTick) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0x20);
    s.patterns[0].at(1, 0) = cell("E-4", 1, 0, 0xE, 0xD3);
    auto m = load(s);
    ticks(*m, 6 + 1);
    const ChannelState& ch = m->channels[0];
    EXPECT_EQ(ch.period, 4608); // still the old note
    EXPECT_EQ(ch.volume, 16);
    EXPECT_EQ(ch.voice, 0);
    ticks(*m, 2);
    EXPECT_EQ(ch.voice, 0);
    ticks(*m, 1);
    EXPECT_EQ(ch.period, 4608 - 4 * 64);
    EXPECT_EQ(ch.volume, 64);
    EXPECT_EQ(ch.voice, 32); // triggered on the twin
}

TEST(ReplayerEffects, RetriggerAndMultiRetrigger) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0xE, 0x92);
    s.patterns[0].at(1, 0) = fx(27, 0x83); // R: no volume change, every 3 ticks
    s.patterns[0].at(2, 0) = fx(27, 0x53); // -16
    auto m = load(s);
    ticks(*m, 2);
    EXPECT_EQ(m->channels[0].voice, 0);
    ticks(*m, 1); // tick 2
    EXPECT_EQ(m->channels[0].voice, 32);
    ticks(*m, 2); // tick 4
    EXPECT_EQ(m->channels[0].voice, 0);
    ticks(*m, 1 + 4); // row 1, tick 3
    EXPECT_EQ(m->channels[0].voice, 32);
    EXPECT_EQ(m->channels[0].volume, 64);
    ticks(*m, 3 + 3);
    EXPECT_EQ(m->channels[0].volume, 48);
}

TEST(ReplayerEffects, SampleOffsetAndOffsetPastTheEnd) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0x9, 0x01);
    s.patterns[0].at(1, 0) = cell("C-4", 1, 0, 0x9, 0x02); // 512: past the 256-sample loop
    s.patterns[0].at(2, 0) = cell("C-4");                  // offset only for its row
    auto m = load(s);
    ticks(*m, 1);
    // 256 is the loop end, not before it: nothing is triggered.
    EXPECT_EQ(m->voices[0].sample, nullptr);
    s.instruments[0].samples[0] = sine(16, 64, 16);
    m = load(s);
    ticks(*m, 1);
    EXPECT_EQ(voiceOf(*m, 0).position, 256u);
    ticks(*m, 6);
    EXPECT_EQ(m->channels[0].voice, 32);
    EXPECT_EQ(voiceOf(*m, 0).position, 512u);
    ticks(*m, 6);
    EXPECT_EQ(voiceOf(*m, 0).position, 0u);
}

TEST(ReplayerEffects, VibratoMovesThePeriodBothWays) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0x4, 0x88);
    s.patterns[0].at(1, 0) = fx(0x4, 0x00);
    auto m = load(s);
    const ChannelState& ch = m->channels[0];
    ticks(*m, 1);
    EXPECT_EQ(ch.periodDelta, 0); // position 0: sin 0
    ticks(*m, 1);
    EXPECT_EQ(ch.periodDelta, 0); // applied at position 0, then advanced to 8
    ticks(*m, 1);
    // position 8: |sin(pi/4)| x 256 = 181; 8 x 181 / 128 = 11; x 4, negative
    EXPECT_EQ(ch.periodDelta, -44);
    ticks(*m, 3);
    // 16, 24, then 32 wraps to -32, then -24
    EXPECT_EQ(ch.vibratoPosition, -24);
    ticks(*m, 1); // the next row's 400 applies at -24: positive for negative positions
    EXPECT_EQ(ch.periodDelta, 44);
    ticks(*m, 2);
    EXPECT_EQ(ch.periodDelta, 8 * 256 / 128 * 4);
}

TEST(ReplayerEffects, TremoloAddsToTheVolumeForGoodWhenItStops) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0x30, 0x7, 0x88);
    s.patterns[0].at(1, 0) = fx(0x7, 0x00);
    auto m = load(s);
    ticks(*m, 6 + 6);
    const ChannelState& ch = m->channels[0];
    const int delta = ch.tremoloDelta;
    EXPECT_NE(delta, 0);
    ticks(*m, 1); // row 2 has no tremolo
    EXPECT_EQ(ch.tremoloDelta, 0);
    EXPECT_EQ(ch.volume, 32 + delta);
}

TEST(ReplayerEffects, TremorMutesAndTheNoteComesBackAfterIt) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 29, 0x11); // T: 2 ticks on, 2 off
    auto m = load(s);
    std::vector<int> heard;
    for (int t = 0; t < 6; ++t) {
        ticks(*m, 1);
        heard.push_back(voiceOf(*m, 0).finalVolume > 0 ? 1 : 0);
    }
    const std::vector<int> want = {1, 0, 0, 1, 1, 0};
    EXPECT_EQ(heard, want);
    ticks(*m, 1); // next row without tremor
    EXPECT_GT(voiceOf(*m, 0).finalVolume, 0);
}

TEST(ReplayerEffects, PanningCommands) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0x8, 0x20);
    s.patterns[0].at(1, 0) = fx(0xE, 0x8F);
    s.patterns[0].at(2, 0) = fx(25, 0x40); // P: right by 4 per tick
    auto m = load(s);
    ticks(*m, 1);
    EXPECT_EQ(m->channels[0].panning, 0x20);
    ticks(*m, 6);
    EXPECT_EQ(m->channels[0].panning, 240);
    ticks(*m, 6 + 5);
    EXPECT_EQ(m->channels[0].panning, 255);
}

TEST(ReplayerEffects, ExtraFineAndFinePortamento) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0xE, 0x13);
    s.patterns[0].at(1, 0) = fx(33, 0x25); // X2y
    s.patterns[0].at(2, 0) = fx(33, 0x20); // memory
    auto m = load(s);
    ticks(*m, 1);
    EXPECT_EQ(m->channels[0].period, 4608 - 12);
    ticks(*m, 6);
    EXPECT_EQ(m->channels[0].period, 4608 - 12 + 5);
    ticks(*m, 6);
    EXPECT_EQ(m->channels[0].period, 4608 - 12 + 10);
}

TEST(ReplayerEffects, VolumeEnvelopeWithSustainThenKeyOffAndFadeout) {
    xm::Song s = song(16);
    xm::Instrument& ins = s.instruments[0];
    ins.volumeEnvelope.enabled = true;
    ins.volumeEnvelope.points = {{0, 64}, {4, 32}, {8, 0}};
    ins.volumeEnvelope.sustain = 1;
    ins.fadeout = 1000;
    s.patterns[0].at(0, 0) = cell("C-4");
    s.patterns[0].at(2, 0) = cell("C-4", 0);
    s.patterns[0].at(2, 0).note = xm::keyOff;
    auto m = load(s);
    const ChannelState& ch = m->channels[0];
    std::vector<int> values;
    for (int t = 0; t < 18; ++t) {
        ticks(*m, 1);
        values.push_back(ch.volumeEnvelope.output());
    }
    const std::vector<int> want = {64, 56, 48, 40, 32, 32, 32, 32, 32,
                                   32, 32, 32, 32, 24, 16, 8,  0,  0};
    EXPECT_EQ(values, want);
    EXPECT_TRUE(ch.keyOff);
    EXPECT_EQ(ch.fadeoutVolume, 65536 - 6 * 2000);
    ticks(*m, 40);
    EXPECT_EQ(ch.fadeoutVolume, 0);
}

TEST(ReplayerEffects, LoopingEnvelopeAndEnvelopeJump) {
    xm::Song s = song(4);
    xm::Instrument& ins = s.instruments[0];
    ins.volumeEnvelope.enabled = true;
    ins.volumeEnvelope.points = {{0, 0}, {2, 64}, {4, 0}, {10, 64}};
    ins.volumeEnvelope.loopStart = 0;
    ins.volumeEnvelope.loopEnd = 2;
    s.patterns[0].at(0, 0) = cell("C-4");
    auto m = load(s);
    std::vector<int> values;
    for (int t = 0; t < 9; ++t) {
        ticks(*m, 1);
        values.push_back(m->channels[0].volumeEnvelope.output());
    }
    const std::vector<int> want = {0, 32, 64, 32, 0, 32, 64, 32, 0};
    EXPECT_EQ(values, want);

    ins.volumeEnvelope.loopStart = ins.volumeEnvelope.loopEnd = -1;
    s.patterns[0].at(1, 0) = fx(21, 7); // L07
    m = load(s);
    ticks(*m, 8);
    // Jumped to x = 7 at the row; the next tick is x = 7 on the way from 0 to 64.
    EXPECT_EQ(m->channels[0].volumeEnvelope.output(), 3 * (64 * 65536 / 6) / 65536);
    ticks(*m, 3);
    EXPECT_EQ(m->channels[0].volumeEnvelope.output(), 64);
}

TEST(ReplayerEffects, KeyOffWithoutEnvelopeSilencesAtOnce) {
    xm::Song s = song(4);
    s.patterns[0].at(0, 0) = cell("C-4");
    s.patterns[0].at(1, 0) = fx(20, 0); // K
    auto m = load(s);
    ticks(*m, 1);
    EXPECT_GT(voiceOf(*m, 0).targetLeft, 0);
    ticks(*m, 6);
    EXPECT_TRUE(m->channels[0].keyOff);
    EXPECT_EQ(voiceOf(*m, 0).targetLeft, 0);
    EXPECT_EQ(voiceOf(*m, 0).targetRight, 0);
}

TEST(ReplayerEffects, PanningEnvelopeSwingsThePan) {
    xm::Song s = song(4);
    xm::Instrument& ins = s.instruments[0];
    ins.panningEnvelope.enabled = true;
    ins.panningEnvelope.points = {{0, 0}, {4, 64}};
    s.patterns[0].at(0, 0) = cell("C-4");
    auto m = load(s);
    ticks(*m, 1);
    EXPECT_EQ(voiceOf(*m, 0).finalPanning, 0);
    ticks(*m, 4);
    EXPECT_EQ(voiceOf(*m, 0).finalPanning, 255);
}

TEST(ReplayerEffects, AutoVibratoWithSweep) {
    xm::Song s = song(4);
    xm::Instrument& ins = s.instruments[0];
    ins.vibratoType = 1; // square
    ins.vibratoDepth = 8;
    ins.vibratoRate = 128;
    ins.vibratoSweep = 2;
    s.patterns[0].at(0, 0) = cell("C-4");
    auto m = load(s);
    std::vector<int> deltas;
    for (int t = 0; t < 5; ++t) {
        ticks(*m, 1);
        deltas.push_back(m->channels[0].periodDelta);
    }
    // 64 x 8 x counter / 2 >> 6: the sweep brings it in over two ticks.
    const std::vector<int> want = {0, -4, 8, -8, 8};
    EXPECT_EQ(deltas, want);
}
