// The song side of the replayer: stepping a module tick by tick and driving
// its voices. The effects themselves are in ModuleEffects.cpp.
//
// Sections, in file order:
//   Set-up          construction, tempo, back to the start
//   Rendering       ticks and voice mixing over the output frames
//   Tick function   rows, orders, jumps and the end of the song
//   Rows            a channel's cell: instrument, note, volume column, effect
//   Later ticks     what every tick after the row does to a channel
//   Volume column   its slides, settings and tone portamento
//   Envelopes       envelopes, fadeout and the instrument's auto-vibrato
//   Voices          writing a channel to its voice
#include "audio/Module.h"

#include "audio/PeriodTable.h"
#include "audio/XmCommands.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

using xm::Effect;
using xm::VolumeColumn;

bool isRealNote(int note) {
    return note >= xm::firstNote && note <= xm::lastNote;
}

VolumeColumn volumeKind(int volumeColumn) {
    return static_cast<VolumeColumn>(volumeColumn >> 4);
}

// The auto-vibrato's sine over its 256 positions, worked out once rather
// than at every tick of every channel.
int autoVibratoSine(int pos) {
    static const std::array<int, 256> table = [] {
        std::array<int, 256> t{};
        for (int p = 0; p < 256; ++p) {
            t[p] = static_cast<int>(std::sin(2.0 * M_PI * p / 256.0) * 64.0);
        }
        return t;
    }();
    return table[pos & 255];
}

} // namespace

// Set-up ---------------------------------------------------------------

Module::Module() {
    emptyInstrument.samples.fill(&emptySample);
    emptySample.volume = 0;
}

void Module::setBpm(int newBpm) {
    bpm = newBpm;
    // A damaged header may say 0; keep the tick length finite.
    const float b = static_cast<float>(std::max(newBpm, 1));
    samplesPerTick =
        static_cast<int>(static_cast<float>(rate) * (1000.0f / (2.0f * b / 5.0f)) / 1000.0f);
    samplesPerTick = std::max(samplesPerTick, 1);
}

void Module::restart() {
    for (int i = 0; i < voiceCount; ++i) {
        voices[i] = Voice{};
        voices[i].index = i;
    }
    globalVolume = initialGlobalVolume;
    globalSlideMemory = 0;
    speed = defaultSpeed;
    tick = row = order = patternDelayTicks = 0;
    nextRow = nextOrder = -1;
    setBpm(defaultBpm);
    samplesLeftInTick = 0;
    ended = false;
    endsAfterRow_ = false;
    endFrame = framesMixed = 0;
    for (int c = 0; c < maxChannels; ++c) {
        channels[c] = ChannelState{};
        channels[c].voice = c;
        channels[c].instrument = &emptyInstrument;
        channels[c].sample = &emptySample;
    }
}

// Rendering ------------------------------------------------------------

void Module::render(float* out, int frames) {
    while (frames > 0) {
        if (samplesLeftInTick == 0) {
            tickFunction();
            samplesLeftInTick = samplesPerTick;
        }
        const int n = std::min(samplesLeftInTick, frames);
        mixVoices(out, n);
        samplesLeftInTick -= n;
        frames -= n;
        out += 2 * n;
        framesMixed += static_cast<std::uint64_t>(n);
    }
}

void Module::mixVoices(float* out, int frames) {
    for (Voice& v : voices) {
        v.mix(out, frames);
    }
}

// Tick function --------------------------------------------------------

void Module::tickFunction() {
    if (tick == 0) {
        // The last row has played out: the song ends where the next row
        // would start, and goes on from its restart position.
        if (endsAfterRow_) {
            endsAfterRow_ = false;
            if (!ended) {
                ended = true;
                endFrame = framesMixed;
            }
        }
        if (nextOrder >= 0) {
            order = nextOrder;
            nextOrder = -1;
        }
        if (nextRow >= 0) {
            row = nextRow;
            nextRow = -1;
        }
        const Pattern& pattern = patterns[orderTable[order]];
        // A break or loop into a shorter pattern starts it from the top.
        if (row >= pattern.rows) {
            row = 0;
        }
        processRow();
        if (nextRow < 0) {
            nextRow = row + 1;
            if (nextRow >= pattern.rows) {
                nextRow = 0;
                nextOrder = order + 1;
            }
            if (nextOrder >= songLength) {
                nextOrder = restartPosition;
                endsAfterRow_ = true;
            }
        }
    } else {
        for (int c = 0; c < channelCount; ++c) {
            processChannelTick(channels[c]);
        }
    }
    // ">=" so that a speed of 0 from a damaged header still moves on.
    if (++tick >= speed + patternDelayTicks) {
        tick = 0;
        patternDelayTicks = 0;
    }
}

// Rows -----------------------------------------------------------------

void Module::processRow() {
    jumpThisRow_ = false;
    const Pattern& pattern = patterns[orderTable[order]];
    for (int c = 0; c < channelCount; ++c) {
        processChannelRow(channels[c], pattern.cell(row, c, channelCount));
    }
}

int Module::notePeriod(int note, const Sample& sample, int finetune) const {
    return PeriodTable::notePeriod(note + sample.relativeNote, finetune, linearFrequencies());
}

void Module::lookUpSample(ChannelState& ch) {
    const int slot = ch.instrument->noteMap[ch.note];
    ch.sample = slot < Instrument::maxSamples ? ch.instrument->samples[slot] : &emptySample;
}

void Module::resetFromSample(ChannelState& ch) {
    ch.volume = ch.sample->volume;
    ch.panning = ch.sample->panning;
    ch.volumeEnvelope.reset(64);
    ch.panningEnvelope.reset(32);
    ch.keyOff = false;
    ch.fadeoutVolume = 65536;
    ch.autoVibratoPosition = 0;
    ch.autoVibratoSweep = 0;
    if ((ch.waveControl & 4) == 0) {
        ch.vibratoPosition = 0;
    }
    if ((ch.waveControl & 0x40) == 0) {
        ch.tremoloPosition = 0;
    }
    ch.tremorCounter = 0;
    ch.flags |= ChannelState::volumeFlag | ChannelState::panningFlag;
}

void Module::processChannelRow(ChannelState& ch, const std::uint8_t* cell) {
    const int note = cell[0];
    const int instrument = cell[1];
    ch.previousEffect = ch.effect;
    ch.cellNote = note;
    ch.cellInstrument = instrument;
    ch.volumeColumn = cell[2];
    ch.effect = static_cast<Effect>(cell[3]);
    ch.param = cell[4];

    // The volume column's tone portamento holds the note back just as 3xx.
    const bool tonePortamento = ch.effect == Effect::TonePorta ||
                                ch.effect == Effect::TonePortaVolumeSlide ||
                                volumeKind(ch.volumeColumn) == VolumeColumn::TonePorta;
    if (!tonePortamento) {
        if (instrument > 0) {
            ch.instrument =
                instrument <= instrumentCount ? &instruments[instrument - 1] : &emptyInstrument;
        }
        if (isRealNote(note)) {
            ch.note = note - 1;
        }
        if (instrument > 0 || isRealNote(note)) {
            lookUpSample(ch);
        }
    }

    ch.savedVolume = ch.volume;
    ch.savedPeriod = ch.period;
    ch.savedPanning = ch.panning;
    if (ch.previousEffect == Effect::Tremolo && ch.effect != Effect::Tremolo) {
        ch.volume = std::clamp(ch.volume + ch.tremoloDelta, 0, 64);
        ch.tremoloDelta = 0;
    }
    // Tremor mutes through the same delta; when it ends the note comes back.
    if (ch.previousEffect == Effect::Tremor && ch.effect != Effect::Tremor) {
        ch.tremoloDelta = 0;
    }
    ch.periodDelta = 0;
    ch.flags = 0;
    // A sample offset holds for the note of its own row only.
    ch.sampleOffset = 0;

    if (isRealNote(note)) {
        if (tonePortamento) {
            ch.tonePortaTarget = notePeriod(note - 1, *ch.sample, ch.sample->finetune);
        } else {
            // E5y plays the note it triggers at finetune (y - 8) x 16; the
            // sample keeps its own for every later note.
            const bool setsFinetune =
                ch.effect == Effect::Extended &&
                static_cast<xm::Extended>(ch.param >> 4) == xm::Extended::Finetune;
            const int finetune = setsFinetune ? ((ch.param & 15) - 8) * 16 : ch.sample->finetune;
            const int period = notePeriod(note - 1, *ch.sample, finetune);
            ch.period = period;
            ch.notePeriod = period;
            ch.flags |= ChannelState::triggerFlag;
        }
    }
    ch.flags |= ChannelState::frequencyFlag | ChannelState::volumeFlag;

    if (instrument > 0) {
        resetFromSample(ch);
    }
    volumeColumnAtRow(ch);

    if (note == xm::loadedKeyOff || ch.effect == Effect::KeyOff) {
        ch.keyOff = true;
    }
    envelopesAndFadeout(ch);
    rowEffect(ch);
    autoVibrato(ch);
    writeVoice(ch);
}

// Later ticks ----------------------------------------------------------

void Module::processChannelTick(ChannelState& ch) {
    ch.periodDelta = 0;
    ch.flags = ChannelState::frequencyFlag | ChannelState::volumeFlag;
    volumeColumnAtTick(ch);
    tickEffect(ch);
    envelopesAndFadeout(ch);
    autoVibrato(ch);
    writeVoice(ch);
}

// Volume column --------------------------------------------------------

bool Module::volumeColumnSlide(ChannelState& ch) {
    const int y = ch.volumeColumn & 15;
    switch (volumeKind(ch.volumeColumn)) {
    case VolumeColumn::SlideDown:
        ch.addVolume(-y);
        return true;
    case VolumeColumn::SlideUp:
        ch.addVolume(y);
        return true;
    case VolumeColumn::PanningSlideLeft:
        ch.addPanning(-y);
        return true;
    case VolumeColumn::PanningSlideRight:
        ch.addPanning(y);
        return true;
    default:
        return false;
    }
}

void Module::volumeColumnAtRow(ChannelState& ch) {
    // Slides act on this tick and again on every later tick of the row.
    if (volumeColumnSlide(ch)) {
        return;
    }
    const int v = ch.volumeColumn;
    if (v >= xm::setVolumeByte(0) && v <= xm::setVolumeByte(xm::maxVolume)) {
        ch.volume = v - xm::setVolumeByte(0);
        return;
    }
    const int y = v & 15;
    switch (volumeKind(v)) {
    case VolumeColumn::FineDown:
        ch.addVolume(-y);
        break;
    case VolumeColumn::FineUp:
        ch.addVolume(y);
        break;
    case VolumeColumn::VibratoSpeed:
        ch.vibratoSpeed = y;
        break;
    case VolumeColumn::VibratoDepth:
        ch.vibratoDepth = y;
        break;
    case VolumeColumn::Panning:
        ch.panning = y * 16;
        ch.flags |= ChannelState::panningFlag;
        break;
    case VolumeColumn::TonePorta:
        if (y > 0) {
            ch.tonePortaSpeed = y * 16;
        }
        break;
    default:
        break;
    }
}

void Module::volumeColumnAtTick(ChannelState& ch) {
    if (volumeColumnSlide(ch)) {
        return;
    }
    if (volumeKind(ch.volumeColumn) == VolumeColumn::VibratoDepth) {
        vibrato(ch, true);
    } else if (volumeKind(ch.volumeColumn) == VolumeColumn::TonePorta) {
        tonePorta(ch);
    }
}

// Envelopes ------------------------------------------------------------

void Module::envelopesAndFadeout(ChannelState& ch) {
    const Instrument& ins = *ch.instrument;
    if (ins.volumeEnvelope.enabled()) {
        ch.volumeEnvelope.step(ins.volumeEnvelope, ch.keyOff);
    } else if (ch.keyOff) {
        ch.volumeEnvelope.value = 0;
    }
    if (ins.panningEnvelope.enabled()) {
        ch.panningEnvelope.step(ins.panningEnvelope, ch.keyOff);
    }
    if (ch.keyOff) {
        ch.fadeoutVolume = std::max(ch.fadeoutVolume - ins.fadeout, 0);
    }
}

void Module::autoVibrato(ChannelState& ch) {
    const Instrument& ins = *ch.instrument;
    const int pos = ch.autoVibratoPosition;
    int value = 0;
    switch (ins.vibratoType) {
    case 0:
        value = autoVibratoSine(pos);
        break;
    case 1:
        value = pos < 128 ? 64 : -64;
        break;
    case 2:
        value = (128 - ((pos + 128) % 256)) / 2;
        break;
    case 3:
        value = (128 - ((384 - pos) % 256)) / 2;
        break;
    default:
        break;
    }
    value *= ins.vibratoDepth;
    if (ins.vibratoSweep != 0) {
        value = value * ch.autoVibratoSweep / ins.vibratoSweep;
    }
    ch.periodDelta += value >> 6;
    if (ch.autoVibratoSweep < ins.vibratoSweep) {
        ++ch.autoVibratoSweep;
    }
    ch.autoVibratoPosition = (pos + ins.vibratoRate) & 255;
}

// Voices ---------------------------------------------------------------

void Module::writeVoice(ChannelState& ch) {
    Voice* v = &voices[ch.voice];
    if (ch.flags & ChannelState::triggerFlag) {
        if (v->sample != nullptr) {
            // The old note fades out on its own voice while the new one
            // ramps in on the twin.
            const int twin =
                ch.voice < maxChannels ? ch.voice + maxChannels : ch.voice - maxChannels;
            voices[twin] = *v;
            voices[twin].index = twin;
            v->targetLeft = 0;
            v->targetRight = 0;
            v->fading = true;
            ch.voice = twin;
            v = &voices[twin];
        }
        v->sample = ch.sample;
        v->fading = false;
        v->position = static_cast<std::uint32_t>(ch.sampleOffset) < ch.sample->loopEnd()
                          ? static_cast<std::uint32_t>(ch.sampleOffset)
                          : 0;
        v->fraction = 0;
        v->direction = Voice::Direction::Forward;
        v->levelLeft = v->levelRight = 0;
        v->incrementLeft = v->incrementRight = 0;
        v->rampLeft = 0;
        // Whatever the targets are, the new note ramps in from silence.
        v->previousTargetLeft = v->previousTargetRight = -1;
    }
    if (ch.flags & (ChannelState::volumeFlag | ChannelState::panningFlag)) {
        const std::int64_t volume = std::clamp(ch.volume + ch.tremoloDelta, 0, 64);
        const std::int64_t level = static_cast<std::int64_t>(ch.volumeEnvelope.output()) * volume *
                                   ch.fadeoutVolume * globalVolume;
        // Not cut to whole steps: a volume of 1 must not mix to nothing.
        v->finalVolume = static_cast<float>(static_cast<double>(level) * 255.0 / 0x1p35);
        const int spread = (128 - std::abs(ch.panning - 128)) / 32;
        v->finalPanning =
            std::clamp(ch.panning + (ch.panningEnvelope.output() - 32) * spread, 0, 255);
        // Panning 0 is the left, 255 the right.
        v->targetLeft = v->finalVolume * static_cast<float>(255 - v->finalPanning) / 255.0f;
        v->targetRight = v->finalVolume * static_cast<float>(v->finalPanning) / 255.0f;
    }
    const int period = ch.period + ch.periodDelta;
    // Most ticks leave the period as it was: no new frequency then.
    if ((ch.flags & ChannelState::frequencyFlag) && period != 0 && period != v->period) {
        v->period = period;
        v->frequency = PeriodTable::frequency(period, linearFrequencies());
        v->step = PeriodTable::step(v->frequency, rate);
    }
    if (ch.flags & ChannelState::stopFlag) {
        v->position = 0;
        v->fraction = 0;
        ch.sampleOffset = 0;
    }
}
