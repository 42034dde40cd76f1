#include "xmwriter/XmWriter.h"

#include <algorithm>
#include <fstream>

namespace xm {

namespace {

class Out {
public:
    std::vector<std::uint8_t> bytes;

    void u8(int v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void u16(int v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(std::uint32_t v) {
        u16(static_cast<int>(v & 0xFFFF));
        u16(static_cast<int>(v >> 16));
    }
    void text(const std::string& s, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) {
            u8(i < s.size() ? s[i] : 0);
        }
    }
    void zeros(std::size_t n) { bytes.insert(bytes.end(), n, 0); }
    void patch16(std::size_t at, int v) {
        bytes[at] = static_cast<std::uint8_t>(v & 0xFF);
        bytes[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    }
};

void packCell(Out& out, const Cell& c) {
    const std::uint8_t fields[5] = {c.note, c.instrument, c.volume, c.effect, c.param};
    int mask = 0;
    for (int f = 0; f < 5; ++f) {
        if (fields[f] != 0) {
            mask |= 1 << f;
        }
    }
    if (mask == 0x1F) {
        for (std::uint8_t f : fields) {
            out.u8(f);
        }
        return;
    }
    out.u8(0x80 | mask);
    for (int f = 0; f < 5; ++f) {
        if (mask & (1 << f)) {
            out.u8(fields[f]);
        }
    }
}

void writePattern(Out& out, const Pattern& p, int channels) {
    out.u32(9);
    out.u8(0);
    out.u16(p.rows);
    const std::size_t sizeAt = out.bytes.size();
    out.u16(0);
    const bool empty = std::all_of(p.cells.begin(), p.cells.end(), [](const Cell& c) {
        return c.note == 0 && c.instrument == 0 && c.volume == 0 && c.effect == 0 && c.param == 0;
    });
    if (empty) {
        return; // a packed size of 0 stands for an empty pattern
    }
    const std::size_t start = out.bytes.size();
    for (int r = 0; r < p.rows; ++r) {
        for (int c = 0; c < channels; ++c) {
            packCell(out, c < p.channels ? p.at(r, c) : Cell{});
        }
    }
    out.patch16(sizeAt, static_cast<int>(out.bytes.size() - start));
}

int envelopeType(const Envelope& e) {
    return (e.enabled ? 1 : 0) | (e.sustain >= 0 ? 2 : 0) | (e.loopStart >= 0 ? 4 : 0);
}

void writeEnvelopePoints(Out& out, const Envelope& e) {
    for (std::size_t i = 0; i < 12; ++i) {
        out.u16(i < e.points.size() ? e.points[i].first : 0);
        out.u16(i < e.points.size() ? e.points[i].second : 0);
    }
}

void writeInstrument(Out& out, const Instrument& ins) {
    const int count = static_cast<int>(std::min<std::size_t>(ins.samples.size(), 16));
    out.u32(count > 0 ? 263 : 29);
    out.text(ins.name, 22);
    out.u8(0);
    out.u16(count);
    if (count == 0) {
        return;
    }
    out.u32(40);
    for (std::uint8_t n : ins.noteMap) {
        out.u8(n);
    }
    writeEnvelopePoints(out, ins.volumeEnvelope);
    writeEnvelopePoints(out, ins.panningEnvelope);
    const Envelope& v = ins.volumeEnvelope;
    const Envelope& p = ins.panningEnvelope;
    out.u8(static_cast<int>(std::min<std::size_t>(v.points.size(), 12)));
    out.u8(static_cast<int>(std::min<std::size_t>(p.points.size(), 12)));
    out.u8(std::max(v.sustain, 0));
    out.u8(std::max(v.loopStart, 0));
    out.u8(std::max(v.loopEnd, 0));
    out.u8(std::max(p.sustain, 0));
    out.u8(std::max(p.loopStart, 0));
    out.u8(std::max(p.loopEnd, 0));
    out.u8(envelopeType(v));
    out.u8(envelopeType(p));
    out.u8(ins.vibratoType);
    out.u8(ins.vibratoSweep);
    out.u8(ins.vibratoDepth);
    out.u8(ins.vibratoRate);
    out.u16(ins.fadeout);
    out.zeros(263 - 241);

    for (int i = 0; i < count; ++i) {
        const Sample& s = ins.samples[i];
        const int bytesPer = s.bits == 16 ? 2 : 1;
        const int type = (s.loop == Sample::Loop::Forward    ? 1
                          : s.loop == Sample::Loop::PingPong ? 2
                                                             : 0) |
                         (s.bits == 16 ? 0x10 : 0);
        out.u32(static_cast<std::uint32_t>(s.pcm.size() * bytesPer));
        out.u32(static_cast<std::uint32_t>(s.loopStart * bytesPer));
        out.u32(static_cast<std::uint32_t>(s.loopLength * bytesPer));
        out.u8(s.volume);
        out.u8(s.finetune);
        out.u8(type);
        out.u8(s.panning);
        out.u8(s.relativeNote);
        out.u8(0);
        out.text(s.name, 22);
    }
    for (int i = 0; i < count; ++i) {
        const Sample& s = ins.samples[i];
        int previous = 0;
        for (int value : s.pcm) {
            const int delta = value - previous;
            previous = value;
            if (s.bits == 16) {
                out.u16(delta & 0xFFFF);
            } else {
                out.u8(delta & 0xFF);
            }
        }
    }
}

} // namespace

std::vector<std::uint8_t> XmWriter::write(const Song& song) {
    Out out;
    out.text("Extended Module: ", 17);
    out.text(song.name, 20);
    out.u8(0x1A);
    out.text("Quillmere", 20);
    out.u16(0x0104);
    out.u32(276);
    out.u16(static_cast<int>(song.orders.size()));
    out.u16(song.restartPosition);
    out.u16(song.channels);
    out.u16(static_cast<int>(song.patterns.size()));
    out.u16(static_cast<int>(song.instruments.size()));
    out.u16(song.linearFrequencies ? 1 : 0);
    out.u16(song.speed);
    out.u16(song.bpm);
    for (std::size_t i = 0; i < 256; ++i) {
        out.u8(i < song.orders.size() ? song.orders[i] : 0);
    }
    for (const Pattern& p : song.patterns) {
        writePattern(out, p, song.channels);
    }
    for (const Instrument& ins : song.instruments) {
        writeInstrument(out, ins);
    }
    return out.bytes;
}

bool XmWriter::writeFile(const Song& song, const std::string& path) {
    const std::vector<std::uint8_t> bytes = write(song);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

int note(const std::string& name) {
    static const char* names[12] = {"C-", "C#", "D-", "D#", "E-", "F-",
                                    "F#", "G-", "G#", "A-", "A#", "B-"};
    if (name.size() != 3 || name[2] < '0' || name[2] > '7') {
        return 0;
    }
    for (int i = 0; i < 12; ++i) {
        if (name.compare(0, 2, names[i]) == 0) {
            return firstNote + 12 * (name[2] - '0') + i;
        }
    }
    return 0;
}

} // namespace xm
