// The row and tick effects of the replayer.
//
// Sections, in file order:
//   Helpers         waveforms, effect memories, slide steps
//   Row effects     what the effect column does on the row's first tick,
//                   Exy included
//   Tick effects    what it does on the later ticks of the row
//   Shared steps    arpeggio, portamento, vibrato, tremolo, tremor, volume
//                   slide and multi-retrigger, used from both
#include "audio/Module.h"

#include "audio/PeriodTable.h"
#include "audio/XmCommands.h"

#include <algorithm>
#include <array>
#include <cmath>

// Helpers --------------------------------------------------------------

namespace {

using xm::Effect;
using xm::Extended;

// Vibrato and tremolo waveforms over positions -32..31.
int waveform(int type, int pos) {
    switch (type) {
    case 0: {
        // Worked out once rather than at every tick of every channel.
        static const std::array<int, 64> sine = [] {
            std::array<int, 64> t{};
            for (int p = -32; p < 32; ++p) {
                t[p & 63] = static_cast<int>(std::fabs(std::sin(2.0 * M_PI * p / 64.0)) * 256.0);
            }
            return t;
        }();
        return sine[pos & 63];
    }
    case 1:
        return pos >= 0 ? (pos * 8) & 255 : -8 * pos - 1;
    default:
        return 255;
    }
}

int advance(int position, int speed) {
    position += speed;
    return position > 31 ? position - 64 : position;
}

int remember(int param, int& memory) {
    if (param != 0) {
        memory = param;
    }
    return memory;
}

void rememberNibbles(int param, int& high, int& low) {
    if (param >> 4) {
        high = param >> 4;
    }
    if (param & 15) {
        low = param & 15;
    }
}

// The step of a volume or panning slide: up by x, else down by y.
int slide(int param) {
    return (param >> 4) > 0 ? param >> 4 : -(param & 15);
}

} // namespace

// Row effects ----------------------------------------------------------

void Module::rowEffect(ChannelState& ch) {
    const int param = ch.param;
    switch (ch.effect) {
    case Effect::PortaUp:
        remember(param, ch.portaUpMemory);
        break;
    case Effect::PortaDown:
        remember(param, ch.portaDownMemory);
        break;
    case Effect::TonePorta:
        remember(param, ch.tonePortaSpeed);
        break;
    case Effect::Vibrato:
        rememberNibbles(param, ch.vibratoSpeed, ch.vibratoDepth);
        vibrato(ch, false);
        break;
    case Effect::TonePortaVolumeSlide:
        remember(param, ch.volumeSlideMemory);
        break;
    case Effect::VibratoVolumeSlide:
        remember(param, ch.volumeSlideMemory);
        vibrato(ch, false);
        break;
    case Effect::Tremolo:
        rememberNibbles(param, ch.tremoloSpeed, ch.tremoloDepth);
        break;
    case Effect::Panning:
        ch.panning = param;
        ch.flags |= ChannelState::panningFlag;
        break;
    case Effect::SampleOffset:
        ch.sampleOffset = remember(param, ch.sampleOffsetMemory) * 256;
        if ((ch.flags & ChannelState::triggerFlag) &&
            static_cast<std::uint32_t>(ch.sampleOffset) >= ch.sample->loopEnd()) {
            ch.flags &= ~ChannelState::triggerFlag;
            ch.flags |= ChannelState::stopFlag;
        }
        break;
    case Effect::VolumeSlide:
        remember(param, ch.volumeSlideMemory);
        break;
    case Effect::PositionJump:
        nextOrder = param >= songLength ? 0 : param;
        nextRow = 0;
        jumpThisRow_ = true;
        break;
    case Effect::SetVolume:
        ch.volume = std::min(param, 64);
        break;
    case Effect::PatternBreak:
        nextRow = 10 * (param >> 4) + (param & 15);
        if (nextRow > 63) {
            nextRow = 0;
        }
        if (!jumpThisRow_) {
            nextOrder = order + 1 >= songLength ? 0 : order + 1;
        }
        break;
    case Effect::Extended:
        extendedRowEffect(ch, static_cast<Extended>(param >> 4), param & 15);
        break;
    case Effect::SpeedOrTempo:
        // F00 would stop the tick counter for good: ignored.
        if (param >= 32) {
            setBpm(param);
        } else if (param > 0) {
            speed = param;
        }
        break;
    case Effect::GlobalVolume:
        globalVolume = std::min(param, 64);
        break;
    case Effect::GlobalVolumeSlide:
        remember(param, globalSlideMemory);
        break;
    case Effect::EnvelopePosition:
        if (ch.instrument->volumeEnvelope.enabled()) {
            ch.volumeEnvelope.jumpTo(ch.instrument->volumeEnvelope, param);
        }
        break;
    case Effect::PanningSlide:
        remember(param, ch.panningSlideMemory);
        break;
    case Effect::MultiRetrigger:
        remember(param, ch.retriggerMemory);
        break;
    case Effect::Tremor:
        if (param != 0) {
            ch.tremorOn = param >> 4;
            ch.tremorOff = param & 15;
        }
        tremor(ch);
        break;
    case Effect::ExtraFinePorta:
        if (static_cast<xm::ExtraFine>(param >> 4) == xm::ExtraFine::PortaUp) {
            ch.period -= remember(param & 15, ch.extraFineUpMemory);
        } else if (static_cast<xm::ExtraFine>(param >> 4) == xm::ExtraFine::PortaDown) {
            ch.period += remember(param & 15, ch.extraFineDownMemory);
        }
        break;
    default:
        break;
    }
}

void Module::extendedRowEffect(ChannelState& ch, Extended command, int y) {
    switch (command) {
    case Extended::FinePortaUp:
        ch.period -= 4 * remember(y, ch.finePortaUpMemory);
        break;
    case Extended::FinePortaDown:
        ch.period += 4 * remember(y, ch.finePortaDownMemory);
        break;
    case Extended::VibratoWaveform:
        ch.waveControl = (ch.waveControl & 0xF0) | y;
        break;
    case Extended::Finetune: // taken as the note of this row was triggered
        break;
    case Extended::PatternLoop:
        if (y == 0) {
            ch.loopRow = row;
        } else {
            if (ch.loopCount == 0) {
                ch.loopCount = y;
            } else {
                --ch.loopCount;
            }
            if (ch.loopCount != 0) {
                nextRow = ch.loopRow;
            }
        }
        break;
    case Extended::TremoloWaveform:
        ch.waveControl = (ch.waveControl & 0x0F) | (y << 4);
        break;
    case Extended::Panning:
        ch.panning = y * 16;
        ch.flags |= ChannelState::panningFlag;
        break;
    case Extended::FineVolumeUp:
        ch.addVolume(remember(y, ch.fineVolumeUpMemory));
        break;
    case Extended::FineVolumeDown:
        ch.addVolume(-remember(y, ch.fineVolumeDownMemory));
        break;
    case Extended::NoteDelay:
        if (y != 0) {
            ch.volume = ch.savedVolume;
            ch.period = ch.savedPeriod;
            ch.panning = ch.savedPanning;
            ch.flags &= ~ChannelState::triggerFlag;
        }
        break;
    case Extended::PatternDelay:
        patternDelayTicks = y * speed;
        break;
    default:
        break;
    }
}

// Tick effects ---------------------------------------------------------

void Module::tickEffect(ChannelState& ch) {
    const int param = ch.param;
    switch (ch.effect) {
    case Effect::Arpeggio:
        if (param != 0) {
            arpeggio(ch);
        }
        break;
    case Effect::PortaUp:
        ch.period = std::max(ch.period - 4 * ch.portaUpMemory, 56);
        break;
    case Effect::PortaDown:
        ch.period += 4 * ch.portaDownMemory;
        break;
    case Effect::TonePorta:
        tonePorta(ch);
        break;
    case Effect::Vibrato:
        vibrato(ch, true);
        break;
    case Effect::TonePortaVolumeSlide:
        tonePorta(ch);
        volumeSlide(ch);
        break;
    case Effect::VibratoVolumeSlide:
        vibrato(ch, true);
        volumeSlide(ch);
        break;
    case Effect::Tremolo:
        tremolo(ch);
        break;
    case Effect::VolumeSlide:
        volumeSlide(ch);
        break;
    case Effect::Extended: {
        const int y = param & 15;
        switch (static_cast<Extended>(param >> 4)) {
        case Extended::Retrigger:
            if (y != 0 && tick % y == 0) {
                ch.flags |= ChannelState::triggerFlag;
            }
            break;
        case Extended::NoteCut:
            if (tick == y) {
                ch.volume = 0;
            }
            break;
        case Extended::NoteDelay:
            if (tick == y) {
                if (ch.cellInstrument > 0) {
                    resetFromSample(ch);
                }
                ch.period = ch.notePeriod;
                volumeColumnAtRow(ch);
                ch.flags |= ChannelState::triggerFlag;
            }
            break;
        default:
            break;
        }
        break;
    }
    case Effect::GlobalVolumeSlide: {
        globalVolume = std::clamp(globalVolume + slide(globalSlideMemory), 0, 64);
        break;
    }
    case Effect::PanningSlide: {
        ch.addPanning(slide(ch.panningSlideMemory));
        break;
    }
    case Effect::MultiRetrigger:
        multiRetrigger(ch);
        break;
    case Effect::Tremor:
        tremor(ch);
        break;
    default:
        break;
    }
}

// Shared steps ---------------------------------------------------------

void Module::arpeggio(ChannelState& ch) {
    const int step = tick % 3;
    if (step == 0) {
        return;
    }
    const int x = step == 1 ? ch.param >> 4 : ch.param & 15;
    if (linearFrequencies()) {
        ch.periodDelta -= 64 * x;
    } else {
        const int n = ch.note + ch.sample->relativeNote;
        ch.periodDelta += PeriodTable::amiga(n + x) - PeriodTable::amiga(n);
    }
}

void Module::tonePorta(ChannelState& ch) {
    if (ch.tonePortaTarget == 0) {
        return; // no note to slide to yet
    }
    const int s = 4 * ch.tonePortaSpeed;
    if (ch.period < ch.tonePortaTarget) {
        ch.period = std::min(ch.period + s, ch.tonePortaTarget);
    } else if (ch.period > ch.tonePortaTarget) {
        ch.period = std::max(ch.period - s, ch.tonePortaTarget);
    }
}

void Module::vibrato(ChannelState& ch, bool advancePosition) {
    const int pos = ch.vibratoPosition;
    const int delta = ch.vibratoDepth * waveform(ch.waveControl & 3, pos) / 128 * 4;
    ch.periodDelta += pos < 0 ? delta : -delta;
    if (advancePosition) {
        ch.vibratoPosition = advance(pos, ch.vibratoSpeed);
    }
}

void Module::tremolo(ChannelState& ch) {
    const int pos = ch.tremoloPosition;
    int type = (ch.waveControl >> 4) & 3;
    if (type == 3) {
        type = 0;
    }
    int delta = ch.tremoloDepth * waveform(type, pos) / 64;
    if (pos < 0) {
        delta = -delta;
    }
    ch.tremoloDelta = std::clamp(delta, -ch.volume, 64 - ch.volume);
    ch.tremoloPosition = advance(pos, ch.tremoloSpeed);
}

void Module::tremor(ChannelState& ch) {
    ch.tremorCounter = (ch.tremorCounter + 1) % (ch.tremorOn + ch.tremorOff + 2);
    ch.tremoloDelta = ch.tremorCounter >= ch.tremorOn + 1 ? -ch.volume : 0;
}

void Module::volumeSlide(ChannelState& ch) {
    ch.addVolume(slide(ch.volumeSlideMemory));
}

void Module::multiRetrigger(ChannelState& ch) {
    const int y = ch.retriggerMemory & 15;
    if (y == 0 || tick % y != 0) {
        return;
    }
    int v = ch.volume;
    switch (ch.retriggerMemory >> 4) {
    case 1:
        v -= 1;
        break;
    case 2:
        v -= 2;
        break;
    case 3:
        v -= 4;
        break;
    case 4:
        v -= 8;
        break;
    case 5:
        v -= 16;
        break;
    case 6:
        v = v * 2 / 3;
        break;
    case 7:
        v /= 2;
        break;
    case 9:
        v += 1;
        break;
    case 0xA:
        v += 2;
        break;
    case 0xB:
        v += 4;
        break;
    case 0xC:
        v += 8;
        break;
    case 0xD:
        v += 16;
        break;
    case 0xE:
        v = v * 3 / 2;
        break;
    case 0xF:
        v *= 2;
        break;
    default:
        break;
    }
    ch.volume = std::clamp(v, 0, 64);
    ch.flags |= ChannelState::triggerFlag;
}
