#pragma once

#include "xmwriter/XmSong.h"

namespace xm {

// A song that keeps every channel busy: a note every other row with vibrato,
// arpeggio, slides and tremolo on enveloped, auto-vibrating instruments
// panned across the field. The speed benchmarks and the side-by-side timing
// against other players render it. With sampleFrames > 0 the samples are
// that long (a large module for load timing).
Song busySong(int channels, int orders = 4, int sampleFrames = 0);

} // namespace xm
