#pragma once

#include <cstdint>

// The numbers of an XM pattern cell: notes, effects, the sub-effects of Exy
// and the kinds of the volume column. The replayer switches on them, and the
// module writer and the composer write them, so they are kept in one place.
namespace xm {

// Note bytes: 1..96 (1 = C-0), and the key-off note as stored in the file.
constexpr int firstNote = 1;
constexpr int lastNote = 96;
constexpr std::uint8_t keyOff = 97;
// The key-off note as the replayer holds it once loaded.
constexpr std::uint8_t loadedKeyOff = 255;

// The effect column. Letters past F count on from G = 16, as trackers show
// them.
enum class Effect : std::uint8_t {
    Arpeggio = 0x0,
    PortaUp = 0x1,
    PortaDown = 0x2,
    TonePorta = 0x3,
    Vibrato = 0x4,
    TonePortaVolumeSlide = 0x5,
    VibratoVolumeSlide = 0x6,
    Tremolo = 0x7,
    Panning = 0x8,
    SampleOffset = 0x9,
    VolumeSlide = 0xA,
    PositionJump = 0xB,
    SetVolume = 0xC,
    PatternBreak = 0xD,
    Extended = 0xE,
    SpeedOrTempo = 0xF,
    GlobalVolume = 16,      // G
    GlobalVolumeSlide = 17, // H
    KeyOff = 20,            // K
    EnvelopePosition = 21,  // L
    PanningSlide = 25,      // P
    MultiRetrigger = 27,    // R
    Tremor = 29,            // T
    ExtraFinePorta = 33,    // X
};

// Exy: the high nibble of the parameter.
enum class Extended : std::uint8_t {
    FinePortaUp = 0x1,
    FinePortaDown = 0x2,
    VibratoWaveform = 0x4,
    Finetune = 0x5,
    PatternLoop = 0x6,
    TremoloWaveform = 0x7,
    Panning = 0x8,
    Retrigger = 0x9,
    FineVolumeUp = 0xA,
    FineVolumeDown = 0xB,
    NoteCut = 0xC,
    NoteDelay = 0xD,
    PatternDelay = 0xE,
};

// X1y and X2y: the high nibble of the parameter.
enum class ExtraFine : std::uint8_t { PortaUp = 0x1, PortaDown = 0x2 };

// The volume column: the high nibble of the byte. 0x10..0x50 set the volume
// to the byte minus 0x10.
enum class VolumeColumn : std::uint8_t {
    SetVolume = 0x1,
    SlideDown = 0x6,
    SlideUp = 0x7,
    FineDown = 0x8,
    FineUp = 0x9,
    VibratoSpeed = 0xA,
    VibratoDepth = 0xB,
    Panning = 0xC,
    PanningSlideLeft = 0xD,
    PanningSlideRight = 0xE,
    TonePorta = 0xF,
};

constexpr int maxVolume = 64;

constexpr std::uint8_t effectByte(Effect e) {
    return static_cast<std::uint8_t>(e);
}

// The parameter of Exy.
constexpr std::uint8_t extendedParam(Extended e, int y) {
    return static_cast<std::uint8_t>(static_cast<int>(e) << 4 | (y & 15));
}

// A volume-column byte of a kind and its low nibble.
constexpr std::uint8_t volumeByte(VolumeColumn kind, int y) {
    return static_cast<std::uint8_t>(static_cast<int>(kind) << 4 | (y & 15));
}

// The volume-column byte that sets the volume to v (0..64).
constexpr std::uint8_t setVolumeByte(int v) {
    return static_cast<std::uint8_t>(0x10 + v);
}

} // namespace xm
