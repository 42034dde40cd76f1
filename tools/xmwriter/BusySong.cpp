#include "xmwriter/BusySong.h"

#include "audio/XmCommands.h"

#include <cmath>

namespace xm {

namespace {

Sample tone(int period, int cycles, int bits) {
    Sample s;
    s.bits = bits;
    const double amplitude = bits == 16 ? 12000.0 : 47.0;
    for (int i = 0; i < period * cycles; ++i) {
        const double x = 2.0 * M_PI * i / period;
        s.pcm.push_back(static_cast<int>(amplitude * (std::sin(x) + 0.3 * std::sin(3 * x))));
    }
    s.loop = bits == 16 ? Sample::Loop::Forward : Sample::Loop::PingPong;
    s.loopLength = period * cycles;
    return s;
}

} // namespace

Song busySong(int channels, int orders, int sampleFrames) {
    Song s;
    s.channels = channels;
    s.speed = 4;
    s.bpm = 140;
    for (int i = 0; i < 4; ++i) {
        Instrument ins;
        Sample sample = tone(32 + 16 * i, 8, i % 2 ? 8 : 16);
        if (sampleFrames > 0) {
            sample = tone(97 + i, sampleFrames / (97 + i), 16);
        }
        sample.panning = 40 + 50 * i;
        ins.samples.push_back(sample);
        ins.volumeEnvelope = {true, {{0, 64}, {8, 48}, {40, 20}, {80, 0}}, 2, -1, -1};
        ins.fadeout = 800;
        ins.vibratoDepth = 4;
        ins.vibratoRate = 12;
        s.instruments.push_back(ins);
    }
    const char* notes[] = {"C-4", "E-4", "G-4", "A#3", "D-5", "F-3"};
    const Effect effects[] = {Effect::Vibrato, Effect::Arpeggio, Effect::VolumeSlide,
                              Effect::PortaUp, Effect::Tremolo};
    const int params[] = {0x46, 0x37, 0x02, 0x01, 0x34};
    for (int p = 0; p < 4; ++p) {
        Pattern pattern(64, channels);
        for (int r = 0; r < 64; ++r) {
            for (int c = 0; c < channels; ++c) {
                Cell& cell = pattern.at(r, c);
                if ((r + c) % 2 == 0) {
                    cell.note = static_cast<std::uint8_t>(note(notes[(r + c + p) % 6]));
                    cell.instrument = static_cast<std::uint8_t>(1 + (c + p) % 4);
                }
                cell.effect = effectByte(effects[(r + c) % 5]);
                cell.param = static_cast<std::uint8_t>(params[(r + c) % 5]);
            }
        }
        s.patterns.push_back(pattern);
    }
    s.orders.clear();
    for (int i = 0; i < orders; ++i) {
        s.orders.push_back(static_cast<std::uint8_t>(i % 4));
    }
    return s;
}

} // namespace xm
